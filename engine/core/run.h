// Run: the state of one documentation run. ProcessFiles creates one and
// hands it to every stage; nothing about a run lives anywhere else.
//
// A run owns the rows it logs to the caller's message sink (in order, the
// rows of background work included), the cancel request and its check,
// the failure count, the output queue that writes files on worker threads,
// and the output folder, the only way a run writes files. The check runs
// the host's pending events at most every 15 ms of the run's clock; tests
// may hand a run a clock and pump of their own, and may have its output
// written at once instead of on worker threads.
#ifndef TAVELLE_ENGINE_CORE_RUN_H_
#define TAVELLE_ENGINE_CORE_RUN_H_

#include <atomic>
#include <cstdint>
#include <ctime>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "automation/variant.h"
#include "engine/core/output_folder.h"
#include "engine/core/output_queue.h"
#include "engine/core/run_report.h"

namespace tavelle {

// How a run tells time for its cancel checks and lets its host's events
// run. The defaults are the coarse monotonic clock and the thread's event
// pump.
struct RunClock {
  std::function<int64_t()> milliseconds;
  std::function<void()> pump;

  static RunClock System();
};

class Run final : public RunReport {
 public:
  Run(automation::ObjectRef sink, std::string outputDirectory, RunClock clock = RunClock::System(),
      bool backgroundOutput = true);
  ~Run() override;  // finishes the queued output and logs its rows
  Run(const Run&) = delete;
  Run& operator=(const Run&) = delete;

  // A row; output still queued logs its rows first.
  void Log(std::string_view message) override;
  void Fail(const Status& status) override;
  bool CancelRequested() const override { return cancel_requested_.load(); }

  // Lets the host's events run (throttled) and tells whether a cancel was
  // requested, by the host during those events or before.
  bool CheckCancel();
  void RequestCancel(bool requested) { cancel_requested_.store(requested); }

  // Failures logged so far: read, write and database failures.
  int32_t Failures() const { return failures_; }

  // Where the run stands, for a host that shows progress: the stage, the
  // items done and their total (0 when not known yet). Read on the run's
  // thread, between checks.
  void SetProgress(std::string_view stage, int64_t done, int64_t total);
  void AdvanceProgress(int64_t count = 1) { progress_done_ += count; }
  // "stage TAB done TAB total".
  std::string ProgressText() const;

  // Notes that the run mended what it found (a damaged database), which a
  // run repeating this one would not do again.
  void NoteRepair() { repaired_ = true; }
  bool Repaired() const { return repaired_; }

  // Keeps a copy of each row from now on (or stops keeping them), in the
  // order the sink gets them.
  void KeepRows(bool keep) { keeping_rows_ = keep; }
  const std::vector<std::string>& KeptRows() const { return kept_rows_; }

  OutputQueue& Queue() { return queue_; }
  OutputFolder& Output() { return output_; }

 private:
  friend class OutputQueue;

  // Adds one row to the sink, with no wait for queued output.
  void AddRow(std::string_view message);
  void AddFailures(int32_t count) { failures_ += count; }

  automation::ObjectRef sink_;
  RunClock clock_;
  int64_t next_pump_ = 0;
  std::atomic<bool> cancel_requested_{false};
  int32_t failures_ = 0;
  std::string progress_stage_;
  int64_t progress_done_ = 0;
  int64_t progress_total_ = 0;
  // The date column, formatted once per second.
  std::time_t row_second_ = -1;
  std::string row_time_;
  bool repaired_ = false;
  bool keeping_rows_ = false;
  std::vector<std::string> kept_rows_;
  OutputQueue queue_;
  OutputFolder output_;
};

}  // namespace tavelle

#endif  // TAVELLE_ENGINE_CORE_RUN_H_
