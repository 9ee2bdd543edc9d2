// OutputQueue: a run's slow output work (writing pages, drawing pictures,
// updating the search-word table) done on worker threads while the run
// goes on building the next output.
//
// Jobs start in the order they were posted. A sequential job runs alone,
// once every earlier job has finished, so sequential jobs take effect in
// posting order. Independent jobs (each writing one file) may run side by
// side, except two with the same key (the file), which keep their order.
//
// A job reports through the RunReport it is handed. Its rows and failures
// are held and logged by the run, on the run's thread, in posting order and
// before any row the run logs afterwards: the log reads exactly as if every
// job had run where it was posted. A queue belongs to one run; only the
// run's thread posts to it.
#ifndef TAVELLE_ENGINE_CORE_OUTPUT_QUEUE_H_
#define TAVELLE_ENGINE_CORE_OUTPUT_QUEUE_H_

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "engine/core/run_report.h"

namespace tavelle {

class Run;

struct OutputJob {
  std::function<void(RunReport&)> work;
  size_t bytes = 0;          // memory the job holds until it has run
  bool independent = false;  // may run beside other independent jobs
  std::string key;           // independent jobs with one key never overlap
};

class OutputQueue {
 public:
  // At most `maxPendingBytes` of posted work waits at a time, each job
  // counted as its `bytes` plus kBytesPerJob for what the queue itself keeps
  // for it; a post beyond it waits for the oldest jobs. Without
  // `background` there are no workers, and every job runs where it is
  // posted.
  OutputQueue(Run& run, bool background, size_t maxPendingBytes = kDefaultPendingBytes);
  ~OutputQueue();  // finishes every job and logs its rows
  OutputQueue(const OutputQueue&) = delete;
  OutputQueue& operator=(const OutputQueue&) = delete;

  void Post(OutputJob job);

  // Waits for every posted job and logs its rows. The run calls this
  // before it logs a row of its own.
  void Drain();

  // The bound is a fixed part of a run's memory: room for every picture
  // of a large run and the pages that follow, so that the run's thread
  // rarely waits for the workers.
  static constexpr size_t kDefaultPendingBytes = 32u << 20;
  static constexpr size_t kBytesPerJob = 512;

 private:
  struct Job;

  void WorkerLoop();
  // The two tests are made with mutex_ held.
  bool CanStartNext() const;
  // Whether every job posted as number `seq` or earlier is done.
  bool DoneThrough(uint64_t seq) const;
  void WaitUntilDoneThrough(uint64_t seq);
  // Logs the rows of the done jobs at the front and lets them go.
  void RetireDone();
  void LetDownTo(size_t pendingBytes);

  std::mutex mutex_;
  std::condition_variable work_ready_;
  std::condition_variable job_done_;
  std::deque<Job> jobs_;     // posted and not yet retired, oldest first
  size_t next_to_run_ = 0;   // index in jobs_ of the first job not started
  uint64_t posted_ = 0;      // jobs posted so far
  uint64_t wait_through_ = 0;  // the run's thread waits for jobs up to this one
  size_t pending_bytes_ = 0;
  size_t max_pending_bytes_;
  std::vector<const Job*> running_;
  size_t idle_workers_ = 0;
  bool stopping_ = false;
  bool run_thread_waiting_ = false;
  bool retiring_ = false;    // rows being logged; no nested drain
  Run& run_;
  std::vector<std::thread> workers_;
};

}  // namespace tavelle

#endif  // TAVELLE_ENGINE_CORE_OUTPUT_QUEUE_H_
