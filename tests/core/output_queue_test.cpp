#include "engine/core/output_queue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "engine/core/run.h"
#include "tests/support/test_support.h"

namespace {

using tavelle::OutputJob;
using tavelle::RunReport;
using tavelle::Status;
using testing_support::RecordingSink;

void Pause() { std::this_thread::sleep_for(std::chrono::milliseconds(1)); }

OutputJob Sequential(std::function<void(RunReport&)> work, size_t bytes = 0) {
  return OutputJob{std::move(work), bytes, false, std::string()};
}

OutputJob Independent(std::function<void(RunReport&)> work, std::string key) {
  return OutputJob{std::move(work), 0, true, std::move(key)};
}

// The log must read as if every job had run where it was posted, whichever
// workers ran them and in whatever order they finished: a job's rows come
// before any row logged after the post, and failures counted on a worker
// reach this thread's count.
TEST(OutputQueue, RowsAndFailuresOfJobsKeepThePostingOrder) {
  auto sink = std::make_shared<RecordingSink>();
  std::thread::id runThread = std::this_thread::get_id();
  std::atomic<bool> ranElsewhere{false};
  int failures = 0;
  {
    tavelle::Run run(sink, "");
    run.Log("before");
    for (int i = 0; i < 40; ++i) {
      auto work = [&, i](RunReport& report) {
        if (std::this_thread::get_id() != runThread) ranElsewhere = true;
        if (i % 7 == 0) Pause();  // the workers fall behind now and then
        report.Log("job " + std::to_string(i));
        if (i % 10 == 0) report.Fail(Status::FileFailure("failed", std::to_string(i)));
      };
      run.Queue().Post(i % 3 == 0 ? Sequential(work, 10)
                                  : Independent(work, "file " + std::to_string(i % 4)));
      if (i == 19) {
        run.Log("middle");
        EXPECT_EQ(run.Failures(), 2) << "jobs 0 and 10 were retired by the middle row";
      }
    }
    run.Queue().Drain();
    failures = run.Failures();
  }
  std::vector<std::string> expected = {"before"};
  for (int i = 0; i < 40; ++i) {
    expected.push_back("job " + std::to_string(i));
    if (i % 10 == 0) expected.push_back("failed  File: " + std::to_string(i));
    if (i == 19) expected.push_back("middle");
  }
  EXPECT_EQ(sink->messages(), expected);
  EXPECT_EQ(failures, 4);
  EXPECT_TRUE(ranElsewhere);
}

TEST(OutputQueue, ImmediateRunsJobsAtOnceAndAnEscapingErrorCountsAsAFailure) {
  bool ran = false;
  tavelle::Run immediate(nullptr, "", tavelle::RunClock::System(), false);
  immediate.Queue().Post(Sequential([&](RunReport&) { ran = true; }));
  EXPECT_TRUE(ran);

  tavelle::Run run(nullptr, "");
  run.Queue().Post(Sequential([](RunReport&) { throw std::runtime_error("out of memory"); }));
  run.Queue().Post(Sequential([&](RunReport&) { ran = false; }));
  run.Queue().Drain();
  EXPECT_FALSE(ran) << "the job after a throwing one still runs";
  EXPECT_EQ(run.Failures(), 1);
}

// Work on the workers sees a cancel requested on the run's thread.
TEST(OutputQueue, JobsSeeTheRunsCancelRequest) {
  tavelle::Run run(nullptr, "");
  std::atomic<bool> seen{false};
  run.RequestCancel(true);
  run.Queue().Post(Sequential([&](RunReport& report) { seen = report.CancelRequested(); }));
  run.Queue().Drain();
  EXPECT_TRUE(seen);
}

// Jobs wait in memory until the worker is done with them; a post that would
// pass the limit waits, so no more than the limit is ever queued.
TEST(OutputQueue, QueuedBytesStayWithinTheLimit) {
  auto sink = std::make_shared<RecordingSink>();
  constexpr size_t kJobBytes = 60;
  tavelle::Run run(sink, "");
  tavelle::OutputQueue queue(run, true, 100);
  size_t posted = 0;
  size_t mostWaiting = 0;
  for (int i = 0; i < 30; ++i) {
    queue.Post(Sequential(
        [](RunReport& report) {
          Pause();
          report.Log("done");
        },
        kJobBytes));
    ++posted;
    // Rows are logged when jobs leave the queue.
    mostWaiting = std::max(mostWaiting, posted - sink->messages().size());
  }
  EXPECT_LE(mostWaiting * kJobBytes, 100u);
  queue.Drain();
  EXPECT_EQ(sink->messages().size(), 30u);
}

// Jobs of one key (one file) never overlap and take effect in posting
// order; a sequential job overlaps nothing.
TEST(OutputQueue, JobsOfOneFileAndSequentialJobsNeverOverlap) {
  std::mutex mutex;
  std::vector<std::string> running;
  std::vector<std::string> lastWriter(3);
  bool overlapped = false;
  auto job = [&](std::string key, int number) {
    return [&, key, number](RunReport&) {
      {
        std::lock_guard<std::mutex> lock(mutex);
        for (const std::string& other : running)
          if (other == key || other == "sequential" || key == "sequential") overlapped = true;
        running.push_back(key);
      }
      Pause();
      std::lock_guard<std::mutex> lock(mutex);
      running.erase(std::find(running.begin(), running.end(), key));
      if (key != "sequential") lastWriter[key.back() - '0'] = std::to_string(number);
    };
  };
  {
    tavelle::Run run(nullptr, "");
    for (int i = 0; i < 60; ++i) {
      if (i % 20 == 19) {
        run.Queue().Post(Sequential(job("sequential", i)));
      } else {
        std::string key = "file " + std::to_string(i % 3);
        run.Queue().Post(Independent(job(key, i), key));
      }
    }
  }
  EXPECT_FALSE(overlapped);
  EXPECT_EQ(lastWriter, (std::vector<std::string>{"57", "58", "56"}))
      << "the last job posted for each file wrote last";
}

}  // namespace
