#include "engine/scan/text_file.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tavelle {
namespace {

constexpr size_t kReadChunk = 1 << 15;

// Splits bytes into lines as they arrive, strips the prefix and appends
// each line with CR LF. A line may span two chunks, and so may the CR LF
// that ends it.
class LineCollector {
 public:
  LineCollector(std::string& text, std::string_view prefix, Run& run)
      : text_(text), prefix_(prefix), run_(run) {}

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
    if (!prefix_.empty() && line.starts_with(prefix_)) line.remove_prefix(prefix_.size());
    text_.append(line);
    text_.append("\r\n");
  }

  std::string& text_;
  std::string_view prefix_;
  Run& run_;
  std::string partial_;
  bool skipLineFeed_ = false;
};

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

Status ReadTextFile(const std::string& filePath, std::string& text, std::string_view prefix,
                    Run& run) {
  text.clear();
  // Not blocking, so that opening a FIFO returns at once; the type is
  // checked on what was opened, so a swapped-in name changes nothing.
  int descriptor = ::open(filePath.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (descriptor < 0) return Status::FileFailure(std::strerror(errno), filePath);
  struct stat info;
  if (::fstat(descriptor, &info) != 0) {
    Status failure = Status::FileFailure(std::strerror(errno), filePath);
    ::close(descriptor);
    return failure;
  }
  if (!S_ISREG(info.st_mode)) {
    ::close(descriptor);
    const char* why = S_ISDIR(info.st_mode) ? std::strerror(EISDIR) : "Not a regular file";
    return Status::FileFailure(why, filePath);
  }
  uintmax_t size = static_cast<uintmax_t>(info.st_size);
  if (size > kMaxTextFileSize) {
    ::close(descriptor);
    return Status::FileFailure("File larger than 64 MB", filePath);
  }
  std::unique_ptr<std::FILE, FileCloser> file(::fdopen(descriptor, "rb"));
  if (!file) {
    Status failure = Status::FileFailure(std::strerror(errno), filePath);
    ::close(descriptor);
    return failure;
  }
  // Line breaks become CR LF, so the text may grow a little beyond the file.
  text.reserve(size + size / 16 + 2);

  LineCollector lines(text, prefix, run);
  char buffer[kReadChunk];
  size_t count;
  uintmax_t total = 0;
  while ((count = std::fread(buffer, 1, kReadChunk, file.get())) > 0) {
    // A file that grows while it is read stops at the limit too.
    total += count;
    if (total > kMaxTextFileSize) return Status::FileFailure("File larger than 64 MB", filePath);
    if (!lines.Add(std::string_view(buffer, count))) return Status();
  }
  if (std::ferror(file.get())) return Status::FileFailure(std::strerror(errno), filePath);
  lines.Finish();
  return Status();
}

}  // namespace tavelle
