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

#include "engine/core/message_log.h"
#include "tests/support/test_support.h"

namespace {

using tavelle::AddOutputMsg;
using tavelle::CountRunFailure;
using tavelle::OutputQueue;
using tavelle::RunFailureCount;
using tavelle::RunInBackground;
using testing_support::RecordingSink;

void Pause() { std::this_thread::sleep_for(std::chrono::milliseconds(1)); }

tavelle::OutputJob Sequential(std::function<void()> work, size_t bytes = 0) {
  return tavelle::OutputJob{std::move(work), bytes, false, std::string()};
}

tavelle::OutputJob Independent(std::function<void()> work, std::string key) {
  return tavelle::OutputJob{std::move(work), 0, true, std::move(key)};
}

// The log must read as if every job had run where it was posted, whichever
// workers ran them and in whatever order they finished: a job's rows come
// before any row logged after the post, and failures counted on a worker
// reach this thread's count.
TEST(OutputQueue, RowsAndFailuresOfJobsKeepThePostingOrder) {
  auto sink = std::make_shared<RecordingSink>();
  automation::ObjectRef list = sink;
  tavelle::ResetRunFailures();
  std::thread::id runThread = std::this_thread::get_id();
  std::atomic<bool> ranElsewhere{false};
  {
    OutputQueue queue;
    AddOutputMsg(list, "before");
    for (int i = 0; i < 40; ++i) {
      auto work = [&, i] {
        if (std::this_thread::get_id() != runThread) ranElsewhere = true;
        if (i % 7 == 0) Pause();  // the workers fall behind now and then
        AddOutputMsg(list, "job " + std::to_string(i));
        if (i % 10 == 0) CountRunFailure();
      };
      RunInBackground(i % 3 == 0 ? Sequential(work, 10)
                                 : Independent(work, "file " + std::to_string(i % 4)));
      if (i == 19) {
        AddOutputMsg(list, "middle");
        EXPECT_EQ(RunFailureCount(), 2) << "jobs 0 and 10 were retired by the middle row";
      }
    }
  }
  std::vector<std::string> expected = {"before"};
  for (int i = 0; i < 40; ++i) {
    expected.push_back("job " + std::to_string(i));
    if (i == 19) expected.push_back("middle");
  }
  EXPECT_EQ(sink->messages(), expected);
  EXPECT_EQ(RunFailureCount(), 4);
  EXPECT_TRUE(ranElsewhere);
  EXPECT_EQ(OutputQueue::OfThisThread(), nullptr);
}

TEST(OutputQueue, WithoutAQueueJobsRunAtOnceAndAnEscapingErrorCountsAsAFailure) {
  bool ran = false;
  RunInBackground(Sequential([&] { ran = true; }));
  EXPECT_TRUE(ran);

  tavelle::ResetRunFailures();
  {
    OutputQueue queue;
    RunInBackground(Sequential([] { throw std::runtime_error("out of memory"); }));
    RunInBackground(Sequential([&] { ran = false; }));
  }
  EXPECT_FALSE(ran) << "the job after a throwing one still runs";
  EXPECT_EQ(RunFailureCount(), 1);
}

// Jobs wait in memory until the worker is done with them; a post that would
// pass the limit waits, so no more than the limit is ever queued.
TEST(OutputQueue, QueuedBytesStayWithinTheLimit) {
  auto sink = std::make_shared<RecordingSink>();
  automation::ObjectRef list = sink;
  constexpr size_t kJobBytes = 60;
  OutputQueue queue(100);
  size_t posted = 0;
  size_t mostWaiting = 0;
  for (int i = 0; i < 30; ++i) {
    RunInBackground(Sequential(
        [list] {
          Pause();
          AddOutputMsg(list, "done");
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
    return [&, key, number] {
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
    OutputQueue queue;
    for (int i = 0; i < 60; ++i) {
      if (i % 20 == 19) {
        RunInBackground(Sequential(job("sequential", i)));
      } else {
        std::string key = "file " + std::to_string(i % 3);
        RunInBackground(Independent(job(key, i), key));
      }
    }
  }
  EXPECT_FALSE(overlapped);
  EXPECT_EQ(lastWriter, (std::vector<std::string>{"57", "58", "56"}))
      << "the last job posted for each file wrote last";
}

// A run nested on the same thread (a host may start one from an event)
// gets its own queue; the outer queue is back afterwards.
TEST(OutputQueue, ANestedQueueRestoresTheOuterOne) {
  OutputQueue outer;
  {
    OutputQueue inner;
    EXPECT_EQ(OutputQueue::OfThisThread(), &inner);
  }
  EXPECT_EQ(OutputQueue::OfThisThread(), &outer);
}

}  // namespace
