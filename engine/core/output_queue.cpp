#include "engine/core/output_queue.h"

#include <algorithm>
#include <chrono>
#include <system_error>
#include <utility>

#include "automation/platform.h"
#include "engine/core/run.h"

namespace tavelle {

namespace {

// An idle worker is woken once this many jobs, or bytes, wait for it, not
// for every job: waking a thread costs more than writing a small page.
constexpr size_t kJobsPerWake = 16;
constexpr size_t kBytesPerWake = 256u << 10;

constexpr std::chrono::milliseconds kPumpWhileWaiting(15);

// Independent jobs are spread over this many workers at most.
constexpr unsigned kMaxWorkers = 4;

// What a job reports, kept until the run logs it.
class HeldReport final : public RunReport {
 public:
  explicit HeldReport(const Run& run) : run_(&run) {}

  void Log(std::string_view message) override { rows_.emplace_back(message); }
  void Fail(const Status& status) override {
    if (status.ok()) return;
    for (const std::string& row : status.rows()) rows_.push_back(row);
    ++failures_;
  }
  bool CancelRequested() const override { return run_->CancelRequested(); }

  const std::vector<std::string>& rows() const { return rows_; }
  int32_t failures() const { return failures_; }
  void CountFailure() { ++failures_; }

 private:
  const Run* run_;
  std::vector<std::string> rows_;
  int32_t failures_ = 0;
};

}  // namespace

struct OutputQueue::Job {
  OutputJob job;
  uint64_t seq;  // posting order, from 0
  bool done = false;
  HeldReport report;
};

OutputQueue::OutputQueue(Run& run, bool background, size_t maxPendingBytes)
    : max_pending_bytes_(maxPendingBytes), run_(run) {
  if (!background) return;
  unsigned count = std::clamp(std::thread::hardware_concurrency(), 1u, kMaxWorkers);
  try {
    for (unsigned i = 0; i < count; ++i) workers_.emplace_back(&OutputQueue::WorkerLoop, this);
  } catch (const std::system_error&) {
    // Fewer threads, or none: with none, every job runs where it is posted.
  }
}

OutputQueue::~OutputQueue() {
  Drain();
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
  }
  work_ready_.notify_all();
  for (std::thread& worker : workers_) worker.join();
}

void OutputQueue::Post(OutputJob job) {
  if (workers_.empty()) {
    job.work(run_);
    return;
  }
  RetireDone();
  job.bytes += kBytesPerJob;
  size_t bytes = job.bytes;
  if (pending_bytes_ + bytes > max_pending_bytes_) LetDownTo(max_pending_bytes_ / 2);
  bool wake;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    jobs_.push_back(Job{std::move(job), posted_++, false, HeldReport(run_)});
    pending_bytes_ += bytes;
    wake = idle_workers_ > 0 && CanStartNext() &&
           (jobs_.size() - next_to_run_ >= kJobsPerWake || pending_bytes_ >= kBytesPerWake);
  }
  if (wake) work_ready_.notify_one();
}

void OutputQueue::Drain() {
  if (retiring_ || posted_ == 0) return;
  WaitUntilDoneThrough(posted_ - 1);
  RetireDone();
}

// Once full, the queue is let down to half before the run goes on, in one
// wait, so the threads do not take turns at every job.
void OutputQueue::LetDownTo(size_t target) {
  uint64_t last = 0;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    size_t remaining = pending_bytes_;
    for (const Job& job : jobs_) {
      if (remaining <= target) break;
      remaining -= job.job.bytes;
      last = job.seq;
    }
  }
  WaitUntilDoneThrough(last);
  RetireDone();
}

bool OutputQueue::CanStartNext() const {
  if (next_to_run_ == jobs_.size()) return false;
  const OutputJob& next = jobs_[next_to_run_].job;
  if (!next.independent) return running_.empty();
  return std::none_of(running_.begin(), running_.end(), [&next](const Job* other) {
    return !other->job.independent || other->job.key == next.key;
  });
}

bool OutputQueue::DoneThrough(uint64_t seq) const {
  if (next_to_run_ < jobs_.size() && jobs_[next_to_run_].seq <= seq) return false;
  return std::none_of(running_.begin(), running_.end(),
                      [seq](const Job* job) { return job->seq <= seq; });
}

void OutputQueue::WaitUntilDoneThrough(uint64_t seq) {
  std::unique_lock<std::mutex> lock(mutex_);
  if (DoneThrough(seq)) return;
  if (idle_workers_ > 0 && CanStartNext()) work_ready_.notify_one();
  wait_through_ = seq;
  run_thread_waiting_ = true;
  // The host's events keep running meanwhile, as they do between checks
  // for cancel: a window stays alive, and a cancel request is seen by the
  // run as soon as the wait is over.
  while (!job_done_.wait_for(lock, kPumpWhileWaiting, [this, seq] { return DoneThrough(seq); })) {
    lock.unlock();
    run_.CheckCancel();
    lock.lock();
  }
  run_thread_waiting_ = false;
}

void OutputQueue::RetireDone() {
  std::vector<Job> finished;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    while (!jobs_.empty() && jobs_.front().done) {
      pending_bytes_ -= jobs_.front().job.bytes;
      finished.push_back(std::move(jobs_.front()));
      jobs_.pop_front();
      --next_to_run_;
    }
  }
  // What the jobs held was mostly allocated on this thread, and is freed
  // here too, when `finished` goes: freeing it on a worker would contend
  // for this thread's allocator.
  retiring_ = true;
  for (Job& job : finished) {
    for (const std::string& row : job.report.rows()) run_.AddRow(row);
    run_.AddFailures(job.report.failures());
  }
  retiring_ = false;
}

void OutputQueue::WorkerLoop() {
  // The run's thread builds what the workers write; when the processors
  // are all busy, it goes first.
  automation::LowerThreadPriority();
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    if (!CanStartNext()) {
      if (stopping_ && next_to_run_ == jobs_.size()) return;
      ++idle_workers_;
      work_ready_.wait(lock, [this] {
        return CanStartNext() || (stopping_ && next_to_run_ == jobs_.size());
      });
      --idle_workers_;
      continue;
    }
    // The reference stays valid without the lock: the run's thread only
    // appends, and removes jobs that are done.
    Job& job = jobs_[next_to_run_++];
    running_.push_back(&job);
    // A second independent job in a row can go to an idle worker; a
    // sequential one waits for this worker, which takes it next.
    if (idle_workers_ > 0 && job.job.independent && CanStartNext()) work_ready_.notify_one();
    lock.unlock();
    try {
      job.job.work(job.report);
    } catch (...) {
      // Output work reports its own failures; anything else that escapes
      // (such as running out of memory) still counts against the run.
      job.report.CountFailure();
    }
    lock.lock();
    running_.erase(std::find(running_.begin(), running_.end(), &job));
    job.done = true;
    if (run_thread_waiting_ && job.seq <= wait_through_ && DoneThrough(wait_through_)) {
      job_done_.notify_one();
    }
  }
}

}  // namespace tavelle
