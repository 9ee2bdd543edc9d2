// Writing output files, confined to the output directory.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "engine/html/page_frame.h"

#include "engine/core/message_log.h"
#include "engine/core/output_queue.h"
#include "engine/scan/text_file.h"

namespace tavelle {

namespace {

// Prepares `fileName`, where something may already stand, for writing and
// reports the mode to open it with, or nullptr after logging why it cannot
// be written. A directory (or a link to one) is refused. When overwriting,
// whatever stands at the name, even a link, is removed first, so that the
// new file never writes through a link.
const char* PrepareTarget(const std::string& fileName, bool overwrite,
                          const automation::ObjectRef& outputMsgBox) {
  std::error_code status;
  std::filesystem::file_type type = std::filesystem::symlink_status(fileName, status).type();
  if (type == std::filesystem::file_type::not_found) return "wb";
  if (type == std::filesystem::file_type::directory ||
      (type == std::filesystem::file_type::symlink &&
       std::filesystem::is_directory(fileName, status))) {
    LogFileFailure(outputMsgBox, std::strerror(EISDIR), fileName);
    return nullptr;
  }
  if (!overwrite) return "ab";
  std::remove(fileName.c_str());
  return "ab";
}

}  // namespace

void WriteTextFile(const std::string& fileName, std::string_view text, bool overwrite,
                   const automation::ObjectRef& outputMsgBox) {
  // Creating the file outright spares a lookup in the common case, a fresh
  // output folder; "x" fails when anything, even a dangling link, stands
  // at the name.
  std::FILE* file = overwrite ? std::fopen(fileName.c_str(), "wbx") : nullptr;
  if (file == nullptr && (!overwrite || errno == EEXIST)) {
    const char* mode = PrepareTarget(fileName, overwrite, outputMsgBox);
    if (mode == nullptr) return;
    file = std::fopen(fileName.c_str(), mode);
  }
  if (file == nullptr) {
    LogFileFailure(outputMsgBox, std::strerror(errno), fileName);
    return;
  }
  // One buffer for the whole page spares the C library a look at the file
  // to size its own, and most pages then leave in a single write.
  char buffer[1 << 16];
  std::setvbuf(file, buffer, _IOFBF, sizeof buffer);
  bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size() &&
                 std::fwrite("\r\n", 1, 2, file) == 2;
  int error = errno;
  if (std::fclose(file) != 0 && written) {
    written = false;
    error = errno;
  }
  if (!written) LogFileFailure(outputMsgBox, std::strerror(error), fileName);
}

std::string OutputFilePath(const std::string& outDir, const std::string& fileName) {
  if (outDir.empty()) return fileName;
  return outDir + "/" + fileName;
}

bool IsInsideOutputDirectory(const std::string& fileName) {
  std::filesystem::path name(fileName);
  if (name.has_root_path()) return false;
  int depth = 0;
  for (const auto& part : name) {
    if (part == "..") {
      if (--depth < 0) return false;
    } else if (part != "." && !part.empty()) {
      ++depth;
    }
  }
  return true;
}

void WriteOutputFile(const std::string& outDir, const std::string& fileName, std::string text,
                     const automation::ObjectRef& outputMsgBox, std::string_view createdMessage) {
  size_t bytes = text.size();
  std::string path = OutputFilePath(outDir, fileName);
  auto write = [path, inside = IsInsideOutputDirectory(fileName), text = std::move(text),
                outputMsgBox, createdMessage = std::string(createdMessage)] {
    if (inside) {
      WriteTextFile(path, text, true, outputMsgBox);
    } else {
      LogFileFailure(outputMsgBox, "Path outside the output directory", path);
    }
    if (!createdMessage.empty()) AddOutputMsg(outputMsgBox, createdMessage + path);
  };
  WriteInBackground(path, std::move(write), bytes);
}

void WriteInBackground(const std::string& path, std::function<void()> write, size_t bytes) {
  // Two spellings of one file ("a/../b.html", "b.html") share one key.
  // Most paths are plain already, and normalising costs more than a write.
  bool plain = path.find("/.") == std::string::npos && path.find("//") == std::string::npos &&
               !path.starts_with(".");
  std::string key = plain ? path : std::filesystem::path(path).lexically_normal().string();
  RunInBackground(OutputJob{std::move(write), bytes, true, std::move(key)});
}

}  // namespace tavelle
