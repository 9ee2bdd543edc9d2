// The page frame shared by every page writer: the template split into head
// and tail, the title, text-to-HTML conversion and the register of written
// topic pages. Pages are written through the run's output folder.
#ifndef TAVELLE_ENGINE_HTML_PAGE_FRAME_H_
#define TAVELLE_ENGINE_HTML_PAGE_FRAME_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/core/run.h"
#include "engine/scan/file_info.h"
#include "engine/scan/project.h"

namespace tavelle {

// Reads DefaultHTML and cuts it at "<!--Begin HTML Body-->" and
// "<!--End HTML Body-->".
void SplitHTMLTemplate(const Project& project, Run& run, std::string& head, std::string& tail);

std::string InsertTitle(std::string_view html, std::string_view title);

// Appends `head` with `title`, written as HTML text, as its title: what
// InsertTitle(head, HTMLText(title)) gives, without the copies.
void AppendTitledHead(std::string& page, std::string_view head, std::string_view title);

// With keepLayout false, `text` is flattened in place first.
std::string TextToHTML(std::string& text, bool keepLayout);

// TextToHTML appending to `html`.
void AppendTextAsHTML(std::string& html, std::string& text, bool keepLayout);

void AddHTMLFile(std::vector<FileInfo>& htmlFiles, const std::string& fileName,
                 std::string_view text);

int32_t NextFileID(const std::vector<FileInfo>& files);

}  // namespace tavelle

#endif  // TAVELLE_ENGINE_HTML_PAGE_FRAME_H_
