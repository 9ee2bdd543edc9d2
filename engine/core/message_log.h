// The message log and the cancel request of a run.
//
// AddOutputMsg adds one row (date and time, message) to the caller's list
// view through its automation members, emptying the list first when it
// holds 1000 rows. CheckCancel lets the caller's pending events run (the
// thread's event pump, at most every few milliseconds) and tells whether a
// cancel was requested. The request is one value per thread, shared by
// every engine object on that thread.
#ifndef TAVELLE_ENGINE_CORE_MESSAGE_LOG_H_
#define TAVELLE_ENGINE_CORE_MESSAGE_LOG_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "automation/variant.h"

namespace tavelle {

void AddOutputMsg(const automation::ObjectRef& listView, std::string_view message);

// Rows and failure counts held back from the list views while a RowHolding
// is active on a thread; Log() passes them on from the caller's thread.
class HeldRows {
 public:
  void Log();

 private:
  friend void AddOutputMsg(const automation::ObjectRef&, std::string_view);
  friend void CountRunFailure();

  std::vector<std::pair<automation::ObjectRef, std::string>> rows_;
  int32_t failures_ = 0;
};

// Holds every row and failure of this thread in `rows` while it lives.
class RowHolding {
 public:
  explicit RowHolding(HeldRows& rows);
  ~RowHolding();
  RowHolding(const RowHolding&) = delete;
  RowHolding& operator=(const RowHolding&) = delete;

 private:
  HeldRows* previous_;
};

bool CheckCancel();

// Written by the Cancel property of any engine object on this thread.
void SetCancelRequested(bool requested);

// Failures of the running project (rows that report a read, write or
// database failure), counted per thread like the cancel request: a thread
// runs one project at a time. The engine resets the count when a run
// starts and hands it to its clients when the run ends.
void CountRunFailure();
int32_t RunFailureCount();
void ResetRunFailures();

// The current local date and time as "YYYY-MM-DD HH:MM:SS".
std::string CurrentDateTimeText();

}  // namespace tavelle

#endif  // TAVELLE_ENGINE_CORE_MESSAGE_LOG_H_
