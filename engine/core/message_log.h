// The caller's message sink: a list view reached through its automation
// members. AddOutputMsg adds one row (date and time, message), emptying
// the list first when it holds 1000 rows, selects the row, scrolls to it
// and refreshes the list. A run logs through its Run, which calls this.
#ifndef TAVELLE_ENGINE_CORE_MESSAGE_LOG_H_
#define TAVELLE_ENGINE_CORE_MESSAGE_LOG_H_

#include <ctime>
#include <string>
#include <string_view>

#include "automation/variant.h"

namespace tavelle {

void AddOutputMsg(const automation::ObjectRef& listView, std::string_view dateTime,
                  std::string_view message);

// The local date and time `when` as "YYYY-MM-DD HH:MM:SS".
std::string DateTimeText(std::time_t when);

}  // namespace tavelle

#endif  // TAVELLE_ENGINE_CORE_MESSAGE_LOG_H_
