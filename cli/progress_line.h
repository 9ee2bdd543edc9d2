// ProgressLine: one line on a terminal that shows where a run stands
// (stage, items done of total, percent), redrawn in place and removed at
// the end, for runs whose rows are not printed.
#ifndef TAVELLE_CLI_PROGRESS_LINE_H_
#define TAVELLE_CLI_PROGRESS_LINE_H_

#include <cstdint>
#include <cstdio>
#include <string>

namespace cli {

class ProgressLine {
 public:
  explicit ProgressLine(std::FILE* terminal) : terminal_(terminal) {}

  // Shows the engine's Progress text ("stage TAB done TAB total"); drawn
  // at most ten times a second and only when it changed.
  void Show(const std::string& progress);
  // Removes the line.
  void Clear();

 private:
  std::FILE* terminal_;
  std::string shown_;
  int64_t next_draw_ = 0;
};

// The text of the line for a Progress text, such as
// "Writing pages 1200 of 24200 (4%)"; empty for an empty Progress.
std::string ProgressLineText(const std::string& progress);

}  // namespace cli

#endif  // TAVELLE_CLI_PROGRESS_LINE_H_
