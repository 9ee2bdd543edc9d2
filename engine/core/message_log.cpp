#include "engine/core/message_log.h"

#include <cstdio>
#include <ctime>

#include "automation/event_pump.h"
#include "automation/object.h"
#include "automation/platform.h"
#include "engine/core/output_queue.h"

namespace tavelle {
namespace {

using automation::CallKind;
using automation::ObjectRef;
using automation::Variant;

thread_local bool cancel_requested = false;
thread_local int32_t run_failures = 0;
thread_local HeldRows* held_rows = nullptr;

constexpr int kMaxRows = 1000;
// The pump runs at most this often; every check still reads the current
// request, so a cancel written by the pump is seen at once.
constexpr int64_t kPumpIntervalMs = 15;

}  // namespace

std::string CurrentDateTimeText() {
  // Formatting is cached per second: a run logs many rows each second.
  thread_local std::time_t cached_second = -1;
  thread_local std::string cached_text;
  std::time_t now = std::time(nullptr);
  if (now != cached_second) {
    std::tm local = automation::LocalTime(now);
    char buffer[32];
    std::strftime(buffer, sizeof buffer, "%Y-%m-%d %H:%M:%S", &local);
    cached_second = now;
    cached_text = buffer;
  }
  return cached_text;
}

void AddOutputMsg(const ObjectRef& listView, std::string_view message) {
  if (!listView) return;
  if (held_rows) {
    held_rows->rows_.emplace_back(listView, std::string(message));
    return;
  }
  // Output work still queued comes first, with its rows.
  if (OutputQueue* queue = OutputQueue::OfThisThread()) queue->Drain();
  // Each step is tried on its own: a sink that lacks a member still gets
  // the steps it supports.
  ObjectRef items = listView->Get("ListItems").AsObject();
  if (items) {
    if (items->Get("Count").AsInt32() >= kMaxRows) items->Call("Clear");
    if (ObjectRef row = items->Call("Add").AsObject()) {
      row->Put("Text", CurrentDateTimeText());
      Variant args[2] = {Variant(int32_t{1}), Variant(message)};
      Variant ignored;
      row->Invoke("SubItems", CallKind::kPropertyPut, args, ignored);
    }
    Variant index[1] = {items->Get("Count")};
    Variant last;
    if (items->Invoke("Item", CallKind::kPropertyGet, index, last)) {
      listView->Put("SelectedItem", last);
      if (ObjectRef lastRow = last.AsObject()) lastRow->Call("EnsureVisible");
    }
  }
  listView->Call("Refresh");
}

bool CheckCancel() {
  // Checks guard work from a single line to a whole page, so the pump is
  // spaced by time, not by count; the coarse clock costs a few nanoseconds
  // where a precise one would cost a good share of scanning a line.
  thread_local int64_t next_pump = 0;
  int64_t now = automation::CoarseClockMilliseconds();
  if (now >= next_pump) {
    next_pump = now + kPumpIntervalMs;
    automation::RunEventPump();
  }
  return cancel_requested;
}

void SetCancelRequested(bool requested) { cancel_requested = requested; }

void CountRunFailure() {
  if (held_rows) {
    ++held_rows->failures_;
    return;
  }
  ++run_failures;
}

void HeldRows::Log() {
  for (const auto& [listView, message] : rows_) AddOutputMsg(listView, message);
  run_failures += failures_;
  rows_.clear();
  failures_ = 0;
}

RowHolding::RowHolding(HeldRows& rows) : previous_(held_rows) { held_rows = &rows; }

RowHolding::~RowHolding() { held_rows = previous_; }

int32_t RunFailureCount() { return run_failures; }

void ResetRunFailures() { run_failures = 0; }

}  // namespace tavelle
