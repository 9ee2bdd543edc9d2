#include "engine/scan/text_file.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>

#include "automation/platform.h"
#include "engine/core/content_key.h"


namespace tavelle {
namespace {

constexpr size_t kReadChunk = 1 << 15;

// Splits bytes into lines as they arrive, strips the prefix and appends
// each line with CR LF. A line may span two chunks, and so may the CR LF
// that ends it.
class LineCollector {
 public:
  LineCollector(std::string& text, std::string_view prefix, Run& run,
                std::vector<uint32_t>* lineStarts)
      : text_(text), prefix_(prefix), run_(run), lineStarts_(lineStarts) {}

  // Takes the next chunk of the file; false when a cancel was requested.
  bool Add(std::string_view data) {
    if (skipLineFeed_ && !data.empty() && data.front() == '\n') data.remove_prefix(1);
    skipLineFeed_ = false;
    const char* pos = data.data();
    const char* end = pos + data.size();
    // The next CR and the next LF are each looked for again only once the
    // scan has passed them, so a file with one kind of line end is not
    // searched to its end for the other kind at every line.
    const char* nextCR = Find(pos, end, '\r');
    const char* nextLF = Find(pos, end, '\n');
    while (pos < end) {
      if (nextCR < pos) nextCR = Find(pos, end, '\r');
      if (nextLF < pos) nextLF = Find(pos, end, '\n');
      const char* lineEnd = std::min(nextCR, nextLF);
      if (lineEnd == end) {
        partial_.append(pos, end);
        return true;
      }
      if (run_.CheckCancel()) return false;
      std::string_view line(pos, static_cast<size_t>(lineEnd - pos));
      if (partial_.empty()) {
        AppendLine(line);
      } else {
        partial_.append(line);
        AppendLine(partial_);
        partial_.clear();
      }
      pos = lineEnd + 1;
      if (*lineEnd == '\r') {
        if (pos == end) skipLineFeed_ = true;
        else if (*pos == '\n') ++pos;
      }
    }
    return true;
  }

  // Ends the text: the last line needs no terminator.
  bool Finish() {
    if (partial_.empty()) return true;
    if (run_.CheckCancel()) return false;
    AppendLine(partial_);
    partial_.clear();
    return true;
  }

 private:
  // The first `c` in [from, end), or end.
  static const char* Find(const char* from, const char* end, char c) {
    const void* found = std::memchr(from, c, static_cast<size_t>(end - from));
    return found ? static_cast<const char*>(found) : end;
  }

  void AppendLine(std::string_view line) {
    if (lineStarts_ && text_.size() <= UINT32_MAX)
      lineStarts_->push_back(static_cast<uint32_t>(text_.size()));
    if (!prefix_.empty() && line.starts_with(prefix_)) line.remove_prefix(prefix_.size());
    text_.append(line);
    text_.append("\r\n");
  }

  std::string& text_;
  std::string_view prefix_;
  Run& run_;
  std::vector<uint32_t>* lineStarts_;
  std::string partial_;
  bool skipLineFeed_ = false;
};

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

Status ReadTextFile(const std::string& filePath, std::string& text, std::string_view prefix,
                    Run& run, std::vector<uint32_t>* lineStarts, uint64_t* bytesKey) {
  text.clear();
  if (lineStarts) lineStarts->clear();
  uintmax_t size = 0;
  automation::RegularFile opened = automation::OpenRegularFile(filePath, size);
  if (opened.error != 0) return Status::FileFailure(std::strerror(opened.error), filePath);
  if (!opened.file) return Status::FileFailure("Not a regular file", filePath);
  std::unique_ptr<std::FILE, FileCloser> file(opened.file);
  if (size > kMaxTextFileSize) return Status::FileFailure("File larger than 64 MB", filePath);
  // Line breaks become CR LF, so the text may grow a little beyond the file.
  text.reserve(size + size / 16 + 2);

  LineCollector lines(text, prefix, run, lineStarts);
  std::optional<ContentKey> key;
  if (bytesKey) key.emplace();
  char buffer[kReadChunk];
  size_t count;
  uintmax_t total = 0;
  while ((count = std::fread(buffer, 1, kReadChunk, file.get())) > 0) {
    // A file that grows while it is read stops at the limit too.
    total += count;
    if (total > kMaxTextFileSize) return Status::FileFailure("File larger than 64 MB", filePath);
    if (key) key->AddBytes(std::string_view(buffer, count));
    if (!lines.Add(std::string_view(buffer, count))) return Status();
  }
  if (std::ferror(file.get())) return Status::FileFailure(std::strerror(errno), filePath);
  lines.Finish();
  if (key) *bytesKey = key->Add(static_cast<int64_t>(total)).Value();
  return Status();
}

uint64_t BytesKeyOfFile(const std::string& filePath) {
  uintmax_t size = 0;
  automation::RegularFile opened = automation::OpenRegularFile(filePath, size);
  if (!opened.file) return 0;
  std::unique_ptr<std::FILE, FileCloser> file(opened.file);
  ContentKey key;
  char buffer[kReadChunk];
  size_t count;
  uintmax_t total = 0;
  while ((count = std::fread(buffer, 1, kReadChunk, file.get())) > 0) {
    total += count;
    key.AddBytes(std::string_view(buffer, count));
  }
  if (std::ferror(file.get())) return 0;
  return key.Add(static_cast<int64_t>(total)).Value();
}

}  // namespace tavelle
