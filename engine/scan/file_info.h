// FileInfo: one text file held in memory. A run keeps one per source file
// read (SourceFiles) and one per topic page written (HTMLFiles).
#ifndef TAVELLE_ENGINE_SCAN_FILE_INFO_H_
#define TAVELLE_ENGINE_SCAN_FILE_INFO_H_

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace tavelle {

struct FileInfo {
  std::string Name;      // full path of the file
  std::string FileText;  // source text after comment stripping; empty for pages
  int32_t ID = 0;        // numbers the written pages; 0 for source files
  // Where each line of a source's FileText starts, as the reader found the
  // lines; kept as long as FileText.
  std::vector<uint32_t> LineStarts;
  // A key of the source file's bytes as read (BytesKeyOfFile).
  uint64_t BytesKey = 0;
};

// The line (from 1) of `file` that holds the character at `offset`; 0 when
// the file's lines were not recorded.
inline int32_t LineAt(const FileInfo& file, size_t offset) {
  const std::vector<uint32_t>& starts = file.LineStarts;
  return static_cast<int32_t>(std::upper_bound(starts.begin(), starts.end(), offset) -
                              starts.begin());
}

// The same line, searched forward from line `from`, which must start at or
// before `offset`: cheaper than LineAt when the lines asked for are close
// together, as a scan's are. The window ahead doubles until it holds the
// line, which is then searched for within it.
inline int32_t LineAfter(const FileInfo& file, int32_t from, size_t offset) {
  const std::vector<uint32_t>& starts = file.LineStarts;
  size_t low = static_cast<size_t>(std::max(from, 0));
  size_t high = low;
  for (size_t step = 1; high < starts.size() && starts[high] <= offset; step *= 2) {
    low = high + 1;
    high += step;
  }
  high = std::min(high, starts.size());
  return static_cast<int32_t>(std::upper_bound(starts.begin() + low, starts.begin() + high, offset) -
                              starts.begin());
}

}  // namespace tavelle

#endif  // TAVELLE_ENGINE_SCAN_FILE_INFO_H_
