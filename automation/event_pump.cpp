#include "automation/event_pump.h"

namespace automation {
namespace {

EventPump& ThreadPump() {
  thread_local EventPump pump;
  return pump;
}

}  // namespace

void SetEventPump(EventPump pump) { ThreadPump() = std::move(pump); }

void RunEventPump() {
  EventPump& pump = ThreadPump();
  if (pump) pump();
}

}  // namespace automation
