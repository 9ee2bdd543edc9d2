#include "cli/progress_line.h"

#include "automation/platform.h"

namespace cli {

std::string ProgressLineText(const std::string& progress) {
  size_t first = progress.find('\t');
  if (first == std::string::npos || first == 0) return {};
  size_t second = progress.find('\t', first + 1);
  if (second == std::string::npos) return {};
  std::string stage = progress.substr(0, first);
  std::string done = progress.substr(first + 1, second - first - 1);
  int64_t total = std::stoll(progress.substr(second + 1));
  if (total <= 0) return stage + " " + done;
  int64_t percent = std::stoll(done) * 100 / total;
  return stage + " " + done + " of " + std::to_string(total) + " (" + std::to_string(percent) +
         "%)";
}

void ProgressLine::Show(const std::string& progress) {
  int64_t now = automation::CoarseClockMilliseconds();
  if (now < next_draw_) return;
  std::string text = ProgressLineText(progress);
  if (text.empty() || text == shown_) return;
  next_draw_ = now + 100;
  shown_ = text;
  // Back to the start of the line, the text, then the rest of the line cleared.
  std::fprintf(terminal_, "\r%s\x1b[K", text.c_str());
  std::fflush(terminal_);
}

void ProgressLine::Clear() {
  if (shown_.empty()) return;
  std::fputs("\r\x1b[K", terminal_);
  std::fflush(terminal_);
  shown_.clear();
}

}  // namespace cli
