#include "engine/core/stage_times.h"

#include <cstdio>

namespace tavelle {

void StageTimes::Restart() {
  stages_.clear();
  last_mark_ = Clock::now();
}

void StageTimes::Mark(std::string_view stage) {
  Clock::time_point now = Clock::now();
  stages_.push_back({std::string(stage), now - last_mark_});
  last_mark_ = now;
}

std::string StageTimes::Text() const {
  std::string text;
  for (const Stage& stage : stages_) {
    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "%.3f\t",
                  std::chrono::duration<double>(stage.time).count());
    text += seconds;
    text += stage.name;
    text += '\n';
  }
  return text;
}

}  // namespace tavelle
