#include "engine/core/output_queue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
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

// The log must read as if every job had run where it was posted: a job's
// rows come before any row logged after the post, and failures counted on
// the worker reach this thread's count.
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
      RunInBackground(
          [&, i] {
            if (std::this_thread::get_id() != runThread) ranElsewhere = true;
            if (i % 7 == 0) Pause();  // the worker falls behind now and then
            AddOutputMsg(list, "job " + std::to_string(i));
            if (i % 10 == 0) CountRunFailure();
          },
          10);
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
  RunInBackground([&] { ran = true; }, 0);
  EXPECT_TRUE(ran);

  tavelle::ResetRunFailures();
  {
    OutputQueue queue;
    RunInBackground([] { throw std::runtime_error("out of memory"); }, 0);
    RunInBackground([&] { ran = false; }, 0);
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
    RunInBackground(
        [list] {
          Pause();
          AddOutputMsg(list, "done");
        },
        kJobBytes);
    ++posted;
    // Rows are logged when jobs leave the queue.
    mostWaiting = std::max(mostWaiting, posted - sink->messages().size());
  }
  EXPECT_LE(mostWaiting * kJobBytes, 100u);
  queue.Drain();
  EXPECT_EQ(sink->messages().size(), 30u);
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
