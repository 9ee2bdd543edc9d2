#include "engine/core/message_log.h"

#include <cstdint>

#include "automation/object.h"
#include "automation/platform.h"

namespace tavelle {
namespace {

using automation::CallKind;
using automation::ObjectRef;
using automation::Variant;

constexpr int kMaxRows = 1000;

}  // namespace

std::string DateTimeText(std::time_t when) {
  std::tm local = automation::LocalTime(when);
  char buffer[32];
  std::strftime(buffer, sizeof buffer, "%Y-%m-%d %H:%M:%S", &local);
  return buffer;
}

void AddOutputMsg(const ObjectRef& listView, std::string_view dateTime, std::string_view message) {
  if (!listView) return;
  // Each step is tried on its own: a sink that lacks a member still gets
  // the steps it supports.
  ObjectRef items = listView->Get("ListItems").AsObject();
  if (items) {
    if (items->Get("Count").AsInt32() >= kMaxRows) items->Call("Clear");
    if (ObjectRef row = items->Call("Add").AsObject()) {
      row->Put("Text", dateTime);
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

}  // namespace tavelle
