// The per-thread event pump: how a long synchronous call lets its host run
// pending events (repaint a window, notice Ctrl-C) on the same thread.
//
// A host installs a pump for its thread; the engine runs it at each cancel
// check. Pumps are per thread, so two hosts on two threads do not meet.
#ifndef TAVELLE_AUTOMATION_EVENT_PUMP_H_
#define TAVELLE_AUTOMATION_EVENT_PUMP_H_

#include <functional>

namespace automation {

using EventPump = std::function<void()>;

// Installs `pump` for the calling thread; an empty function removes it.
void SetEventPump(EventPump pump);

// Runs the calling thread's pump, if one is installed.
void RunEventPump();

}  // namespace automation

#endif  // TAVELLE_AUTOMATION_EVENT_PUMP_H_
