#include <gtest/gtest.h>

#include "engine/core/message_log.h"
#include "engine/core/run.h"
#include "tests/core/core_test_util.h"
#include "tests/support/test_support.h"

namespace {

using automation::ObjectRef;
using automation::Variant;
using tavelle::AddOutputMsg;
using tavelle::Tavelle;

// A list view that remembers the last row it was asked to show.
class WatchedList : public automation::ListView {
 public:
  long shown = -1;
  int refreshes = 0;

 protected:
  void OnEnsureVisible(size_t row) override { shown = static_cast<long>(row); }
  void OnRefresh() override { ++refreshes; }
};

TEST(MessageLog, RowsCarryDateAndMessageAndTheListNeverPassesAThousand) {
  auto list = std::make_shared<WatchedList>();
  ObjectRef sink = list;
  tavelle::Run run(sink, "");
  for (int i = 1; i <= 999; ++i) run.Log("row " + std::to_string(i));
  EXPECT_EQ(list->RowCount(), 999u);
  run.Log("row 1000");
  EXPECT_EQ(list->RowCount(), 1000u);
  EXPECT_EQ(list->SelectedRow(), 999);
  EXPECT_EQ(list->shown, 999);
  EXPECT_EQ(list->refreshes, 1000) << "one refresh per message";

  run.Log("row 1001");
  ASSERT_EQ(list->RowCount(), 1u);
  const automation::ListItem& row = list->Row(0);
  EXPECT_EQ(row.sub_item(1), "row 1001");
  EXPECT_TRUE(testing_support::IsDateTimeText(row.text())) << row.text();
  EXPECT_EQ(list->SelectedRow(), 0);
  EXPECT_EQ(list->shown, 0);

  AddOutputMsg(nullptr, "", "nowhere");  // no sink: nothing happens
  AddOutputMsg(std::make_shared<Tavelle>(), "", "a sink without list members");
}

// Cancel belongs to the object whose run it stops: a host's Cancel button
// reaches the run it started and no other.
TEST(MessageLog, CancelStopsTheRunOfItsOwnObject) {
  Tavelle first, second;
  testing_support::TempDir out;
  second.Put("OutputDirectory", out.path().string());
  auto sink = std::make_shared<testing_support::RecordingSink>();
  second.Put("OutputMsgBox", ObjectRef(sink));
  sink->on_message = [&](const std::string& message) {
    if (message == "Starting Documentation") first.Put("Cancel", true);
  };
  second.Call("ProcessFiles");
  EXPECT_EQ(sink->messages().back(), "Finished generating HTML files for this project")
      << "another object's request does not stop this run";
  EXPECT_EQ(first.Get("Cancel"), Variant(true));

  sink->on_message = [&](const std::string& message) {
    if (message == "Starting Documentation") second.Put("Cancel", true);
  };
  second.Call("ProcessFiles");
  EXPECT_EQ(sink->messages().back(), "Starting Documentation");
  EXPECT_EQ(second.Get("Cancel"), Variant(true));
}

// The host's events run at a check once 15 ms of the run's clock have
// passed since they last ran; every check returns the current request.
TEST(MessageLog, CheckCancelRunsTheHostsEventsAtMostEvery15Ms) {
  int64_t now = 0;
  int pumps = 0;
  tavelle::Run* current = nullptr;
  tavelle::Run run(nullptr, "", tavelle::RunClock{[&] { return now; }, [&] {
                                                    if (++pumps == 3) current->RequestCancel(true);
                                                  }});
  current = &run;
  EXPECT_FALSE(run.CheckCancel());
  now = 14;
  EXPECT_FALSE(run.CheckCancel());
  EXPECT_EQ(pumps, 1);
  now = 15;
  EXPECT_FALSE(run.CheckCancel());
  EXPECT_EQ(pumps, 2);
  now = 40;
  EXPECT_TRUE(run.CheckCancel()) << "the request written by the pump is returned";
  EXPECT_EQ(pumps, 3);
  EXPECT_TRUE(run.CheckCancel());
}

}  // namespace
