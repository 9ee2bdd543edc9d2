// StageTimes: the wall time of each stage of the last run, kept for
// profiling. A run marks the end of each stage; the time since the
// previous mark (or since Restart) is recorded under the stage's name.
// Nothing is logged; callers read the figures through Text().
#ifndef TAVELLE_ENGINE_CORE_STAGE_TIMES_H_
#define TAVELLE_ENGINE_CORE_STAGE_TIMES_H_

#include <chrono>
#include <string>
#include <string_view>
#include <vector>

namespace tavelle {

class StageTimes {
 public:
  // Forgets the stages of the previous run and starts the clock.
  void Restart();

  // Records the time since the previous mark under `stage`.
  void Mark(std::string_view stage);

  // One line per stage in run order: the seconds with three decimals, a
  // TAB and the stage's name. Empty before the first run.
  std::string Text() const;

 private:
  using Clock = std::chrono::steady_clock;
  struct Stage {
    std::string name;
    Clock::duration time;
  };
  Clock::time_point last_mark_ = Clock::now();
  std::vector<Stage> stages_;
};

}  // namespace tavelle

#endif  // TAVELLE_ENGINE_CORE_STAGE_TIMES_H_
