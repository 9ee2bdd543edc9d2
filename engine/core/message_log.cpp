#include "engine/core/message_log.h"

#include <chrono>
#include <cstdio>
#include <ctime>

#include "automation/event_pump.h"
#include "automation/object.h"
#include "automation/platform.h"

namespace tavelle {
namespace {

using automation::CallKind;
using automation::ObjectRef;
using automation::Variant;

thread_local bool cancel_requested = false;
thread_local int32_t run_failures = 0;

constexpr int kMaxRows = 1000;
// The pump runs at most this often; every check still reads the current
// request, so a cancel written by the pump is seen at once.
constexpr auto kPumpInterval = std::chrono::milliseconds(15);

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
  // The clock is read on every call (a few nanoseconds): counting calls
  // instead would leave the host's events waiting for long when each check
  // guards slow work, such as writing a page.
  thread_local auto last_pump = std::chrono::steady_clock::time_point();
  auto now = std::chrono::steady_clock::now();
  if (now - last_pump >= kPumpInterval) {
    last_pump = now;
    automation::RunEventPump();
  }
  return cancel_requested;
}

void SetCancelRequested(bool requested) { cancel_requested = requested; }

void CountRunFailure() { ++run_failures; }

int32_t RunFailureCount() { return run_failures; }

void ResetRunFailures() { run_failures = 0; }

}  // namespace tavelle
