#include "engine/scan/text_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "engine/core/message_log.h"

namespace tavelle {
namespace {

// Reads the whole file into `bytes`; on failure returns the error's
// description and leaves in `bytes` what was read.
bool ReadAllBytes(const std::string& path, std::string& bytes, std::string& error) {
  std::error_code status;
  if (std::filesystem::is_directory(path, status)) {
    error = std::strerror(EISDIR);
    return false;
  }
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) {
    error = std::strerror(errno);
    return false;
  }
  char buffer[1 << 16];
  size_t count;
  while ((count = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, count);
  bool failed = std::ferror(file) != 0;
  if (failed) error = std::strerror(errno);
  std::fclose(file);
  return !failed;
}

}  // namespace

void LogFileFailure(const automation::ObjectRef& outputMsgBox, std::string_view description,
                    std::string_view filePath) {
  std::string row(description);
  row += "  File: ";
  row += filePath;
  AddOutputMsg(outputMsgBox, row);
}

void ReadTextFile(const std::string& filePath, std::string& text, std::string_view prefix,
                  const automation::ObjectRef& outputMsgBox) {
  text.clear();
  std::string bytes, error;
  bool complete = ReadAllBytes(filePath, bytes, error);
  text.reserve(bytes.size() + bytes.size() / 16 + 2);

  std::string_view rest(bytes);
  while (!rest.empty()) {
    if (CheckCancel()) return;
    size_t end = rest.find_first_of("\r\n");
    std::string_view line = rest.substr(0, end);
    if (end == std::string_view::npos) {
      rest = {};
    } else {
      size_t terminator = rest.compare(end, 2, "\r\n") == 0 ? 2 : 1;
      rest.remove_prefix(end + terminator);
    }
    if (!prefix.empty() && line.starts_with(prefix)) line.remove_prefix(prefix.size());
    text.append(line);
    text.append("\r\n");
  }
  if (!complete) LogFileFailure(outputMsgBox, error, filePath);
}

}  // namespace tavelle
