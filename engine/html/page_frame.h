// The page frame shared by every page writer: the template split into head
// and tail, the title, text-to-HTML conversion, writing output files and
// the register of written topic pages.
//
// Every output file goes through WriteOutputFile, which keeps it inside the
// output directory: a file name that would place it elsewhere (an absolute
// path, ".." that climbs out) is refused with the row
// "Path outside the output directory  File: <path>".
#ifndef TAVELLE_ENGINE_HTML_PAGE_FRAME_H_
#define TAVELLE_ENGINE_HTML_PAGE_FRAME_H_

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "automation/variant.h"
#include "engine/core/project.h"
#include "engine/scan/file_info.h"

namespace tavelle {

// Reads DefaultHTML and cuts it at "<!--Begin HTML Body-->" and
// "<!--End HTML Body-->".
void SplitHTMLTemplate(const Project& project, std::string& head, std::string& tail);

std::string InsertTitle(std::string_view html, std::string_view title);

// With keepLayout false, `text` is flattened in place first.
std::string TextToHTML(std::string& text, bool keepLayout);

// Writes `text` and CR LF to `fileName` (replacing it when `overwrite`);
// a failure logs the system's description, "  File: " and the name.
void WriteTextFile(const std::string& fileName, std::string_view text, bool overwrite,
                   const automation::ObjectRef& outputMsgBox);

// The full path of an output file: the output directory, "/", the name
// (the name alone when the output directory is empty).
std::string OutputFilePath(const std::string& outDir, const std::string& fileName);

// Whether `fileName` stays inside the output directory once joined to it.
bool IsInsideOutputDirectory(const std::string& fileName);

// Runs `write`, which writes the file at `path`, on the run's output queue
// (at once when there is none). Writes of different files may run at the
// same time; writes of one file keep their order. `bytes` is the memory
// the job holds until it has run.
void WriteInBackground(const std::string& path, std::function<void()> write, size_t bytes);

// Writes `text` to the output file `fileName` with WriteTextFile, or logs
// the refusal of a name that would leave the output directory, then logs
// `createdMessage` and the file's full path when a message is given. The
// work runs on the run's output queue when there is one.
void WriteOutputFile(const std::string& outDir, const std::string& fileName, std::string text,
                     const automation::ObjectRef& outputMsgBox,
                     std::string_view createdMessage = {});

void AddHTMLFile(std::vector<FileInfo>& htmlFiles, const std::string& fileName,
                 std::string_view text);

int32_t NextFileID(const std::vector<FileInfo>& files);

}  // namespace tavelle

#endif  // TAVELLE_ENGINE_HTML_PAGE_FRAME_H_
