#include <gtest/gtest.h>

#include <thread>

#include "automation/event_pump.h"
#include "engine/core/message_log.h"
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
  for (int i = 1; i <= 999; ++i) AddOutputMsg(sink, "row " + std::to_string(i));
  EXPECT_EQ(list->RowCount(), 999u);
  AddOutputMsg(sink, "row 1000");
  EXPECT_EQ(list->RowCount(), 1000u);
  EXPECT_EQ(list->SelectedRow(), 999);
  EXPECT_EQ(list->shown, 999);
  EXPECT_EQ(list->refreshes, 1000) << "one refresh per message";

  AddOutputMsg(sink, "row 1001");
  ASSERT_EQ(list->RowCount(), 1u);
  const automation::ListItem& row = list->Row(0);
  EXPECT_EQ(row.sub_item(1), "row 1001");
  EXPECT_TRUE(testing_support::IsDateTimeText(row.text())) << row.text();
  EXPECT_EQ(list->SelectedRow(), 0);
  EXPECT_EQ(list->shown, 0);

  AddOutputMsg(nullptr, "nowhere");  // no sink: nothing happens
  AddOutputMsg(std::make_shared<Tavelle>(), "a sink without list members");
}

TEST(MessageLog, CancelIsSharedPerThreadButReadPerObject) {
  Tavelle first, second;
  EXPECT_TRUE(first.Put("Cancel", true));
  EXPECT_EQ(first.Get("Cancel"), Variant(true));
  EXPECT_EQ(second.Get("Cancel"), Variant(false));
  EXPECT_TRUE(tavelle::CheckCancel()) << "the request is the thread's";

  // A run of the second object stops at its first check, because the
  // first object's request is seen there.
  auto sink = std::make_shared<testing_support::RecordingSink>();
  second.Put("OutputMsgBox", ObjectRef(sink));
  sink->on_message = [&](const std::string& message) {
    if (message == "Starting Documentation") first.Put("Cancel", true);
  };
  second.Call("ProcessFiles");
  EXPECT_EQ(sink->messages(), std::vector<std::string>{"Starting Documentation"});
  EXPECT_EQ(second.Get("Cancel"), Variant(false));
  EXPECT_EQ(first.Get("Cancel"), Variant(true));

  // Another thread has its own request.
  bool seen_elsewhere = true;
  std::thread([&] { seen_elsewhere = tavelle::CheckCancel(); }).join();
  EXPECT_FALSE(seen_elsewhere);
  first.Put("Cancel", false);
  EXPECT_FALSE(tavelle::CheckCancel());
}

TEST(MessageLog, CheckCancelRunsTheHostsEventPump) {
  Tavelle engine;
  engine.Put("Cancel", false);
  bool pumped = false;
  automation::SetEventPump([&] {
    pumped = true;
    engine.Put("Cancel", true);
  });
  // The pump may be throttled; within a short while it must run.
  for (int i = 0; i < 200 && !tavelle::CheckCancel(); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  automation::SetEventPump({});
  EXPECT_TRUE(pumped);
  EXPECT_TRUE(tavelle::CheckCancel()) << "the request written by the pump is returned";
  engine.Put("Cancel", false);
}

}  // namespace
