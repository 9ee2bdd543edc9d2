#include "engine/core/run.h"

#include <utility>

#include "automation/event_pump.h"
#include "automation/platform.h"
#include "engine/core/message_log.h"

namespace tavelle {
namespace {

// The pump runs at most this often; every check still reads the current
// request, so a cancel written by the pump is seen at once.
constexpr int64_t kPumpIntervalMs = 15;

}  // namespace

RunClock RunClock::System() {
  // Checks guard work from a single line to a whole page, so the pump is
  // spaced by time, not by count; the coarse clock costs a few nanoseconds
  // where a precise one would cost a good share of scanning a line.
  return RunClock{automation::CoarseClockMilliseconds, automation::RunEventPump};
}

Run::Run(automation::ObjectRef sink, std::string outputDirectory, RunClock clock,
         bool backgroundOutput)
    : sink_(std::move(sink)),
      clock_(std::move(clock)),
      queue_(*this, backgroundOutput),
      output_(std::move(outputDirectory), queue_) {}

Run::~Run() { queue_.Drain(); }

void Run::Log(std::string_view message) {
  queue_.Drain();
  AddRow(message);
}

void Run::Fail(const Status& status) {
  if (status.ok()) return;
  queue_.Drain();
  for (const std::string& row : status.rows()) AddRow(row);
  ++failures_;
}

bool Run::CheckCancel() {
  int64_t now = clock_.milliseconds();
  if (now >= next_pump_) {
    next_pump_ = now + kPumpIntervalMs;
    clock_.pump();
  }
  return CancelRequested();
}

void Run::SetProgress(std::string_view stage, int64_t done, int64_t total) {
  progress_stage_ = stage;
  progress_done_ = done;
  progress_total_ = total;
}

std::string Run::ProgressText() const {
  return progress_stage_ + "\t" + std::to_string(progress_done_) + "\t" +
         std::to_string(progress_total_);
}

void Run::AddRow(std::string_view message) {
  if (keeping_rows_) kept_rows_.emplace_back(message);
  if (!sink_) return;
  std::time_t now = std::time(nullptr);
  if (now != row_second_) {
    row_second_ = now;
    row_time_ = DateTimeText(now);
  }
  AddOutputMsg(sink_, row_time_, message);
}

}  // namespace tavelle
