#include "engine/scan/text_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>

#include "engine/core/message_log.h"

namespace tavelle {
namespace {

constexpr size_t kReadChunk = 1 << 15;

// Splits bytes into lines as they arrive, strips the prefix and appends
// each line with CR LF. A line may span two chunks, and so may the CR LF
// that ends it.
class LineCollector {
 public:
  LineCollector(std::string& text, std::string_view prefix) : text_(text), prefix_(prefix) {}

  // Takes the next chunk of the file; false when a cancel was requested.
  bool Add(std::string_view data) {
    if (skipLineFeed_ && !data.empty() && data.front() == '\n') data.remove_prefix(1);
    skipLineFeed_ = false;
    while (!data.empty()) {
      size_t end = FindLineEnd(data);
      if (end == data.size()) {
        partial_.append(data);
        return true;
      }
      if (CheckCancel()) return false;
      if (partial_.empty()) {
        AppendLine(data.substr(0, end));
      } else {
        partial_.append(data.substr(0, end));
        AppendLine(partial_);
        partial_.clear();
      }
      if (data[end] == '\r' && end + 1 == data.size()) skipLineFeed_ = true;
      bool crlf = data[end] == '\r' && end + 1 < data.size() && data[end + 1] == '\n';
      data.remove_prefix(end + (crlf ? 2 : 1));
    }
    return true;
  }

  // Ends the text: the last line needs no terminator.
  bool Finish() {
    if (partial_.empty()) return true;
    if (CheckCancel()) return false;
    AppendLine(partial_);
    partial_.clear();
    return true;
  }

 private:
  // Position of the first CR or LF, or data.size() when there is none.
  static size_t FindLineEnd(std::string_view data) {
    size_t i = 0;
    while (i < data.size() && data[i] != '\r' && data[i] != '\n') ++i;
    return i;
  }

  void AppendLine(std::string_view line) {
    if (!prefix_.empty() && line.starts_with(prefix_)) line.remove_prefix(prefix_.size());
    text_.append(line);
    text_.append("\r\n");
  }

  std::string& text_;
  std::string_view prefix_;
  std::string partial_;
  bool skipLineFeed_ = false;
};

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

void LogFileFailure(const automation::ObjectRef& outputMsgBox, std::string_view description,
                    std::string_view filePath) {
  std::string row(description);
  row += "  File: ";
  row += filePath;
  AddOutputMsg(outputMsgBox, row);
  CountRunFailure();
}

void ReadTextFile(const std::string& filePath, std::string& text, std::string_view prefix,
                  const automation::ObjectRef& outputMsgBox) {
  text.clear();
  std::error_code status;
  // Opening a directory succeeds here; report it as the system would.
  if (std::filesystem::is_directory(filePath, status)) {
    LogFileFailure(outputMsgBox, std::strerror(EISDIR), filePath);
    return;
  }
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(filePath.c_str(), "rb"));
  if (!file) {
    LogFileFailure(outputMsgBox, std::strerror(errno), filePath);
    return;
  }
  // Line breaks become CR LF, so the text may grow a little beyond the file.
  uintmax_t size = std::filesystem::file_size(filePath, status);
  if (!status) text.reserve(size + size / 16 + 2);

  LineCollector lines(text, prefix);
  char buffer[kReadChunk];
  size_t count;
  while ((count = std::fread(buffer, 1, kReadChunk, file.get())) > 0) {
    if (!lines.Add(std::string_view(buffer, count))) return;
  }
  if (std::ferror(file.get())) {
    LogFileFailure(outputMsgBox, std::strerror(errno), filePath);
    return;
  }
  lines.Finish();
}

}  // namespace tavelle
