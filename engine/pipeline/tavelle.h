// Tavelle: the engine's one automation class ("Corvane.Tavelle"). An object
// is one documentation project; clients set its properties and call its
// methods by member name:
//   the 52 settings (see settings.h), ErrMsg (read), Cancel (write, read),
//   ProcessFiles, which leaves alone the files that the previous run into
//   the same folder made from the same inputs, and ProcessFilesFully,
//   which makes every file again; the sixteen list operations, SaveConfig (which returns
//   false when the file could not be replaced) and OpenConfig,
//   and RunFailures (read): how many read, write or database failures the
//   last ProcessFiles reported, so that a client can fail a build.
//   StageTimes (read): the wall time of each stage of the last run as
//   "seconds<TAB>stage" lines, for profiling.
//   Warnings (read): the authoring mistakes the last run found, one a line
//   as "path<TAB>line<TAB>kind<TAB>message"; WarningCount (read): how many;
//   WarningKinds (read): every kind DisabledWarnings may name, one a line.
//   Progress (read): during a run, "stage<TAB>done<TAB>total" (total 0
//   while unknown), else empty.
// Arguments are passed by reference; out-arguments are written back.
// ProcessFiles creates the Run that the stages report to; writing Cancel
// while it runs (from the host's events) requests that run's cancel.
#ifndef TAVELLE_ENGINE_PIPELINE_TAVELLE_H_
#define TAVELLE_ENGINE_PIPELINE_TAVELLE_H_

#include <string>
#include <vector>

#include "automation/object.h"
#include "engine/core/run.h"
#include "engine/pipeline/pipeline.h"
#include "engine/scan/project.h"

namespace tavelle {

class Tavelle : public automation::Object {
 public:
  bool Invoke(std::string_view member, automation::CallKind kind,
              std::span<automation::Variant> args, automation::Variant& result) override;
  std::vector<std::string> PropertyNames() const override;

  // Every member a client may call by name: the settings, then the methods
  // and the other properties.
  static std::vector<std::string> MemberNames();

  Project& project() { return project_; }

  // The clock and pump of the runs ProcessFiles creates; tests replace them.
  void SetRunClock(RunClock clock) { run_clock_ = std::move(clock); }

 private:
  bool InvokeMethod(int member, std::span<automation::Variant> args,
                    automation::Variant& result);

  void ProcessFiles(OutputCaches caches, automation::Variant& result);
  void WriteCancel(bool value);

  Project project_;
  RunClock run_clock_ = RunClock::System();
  Run* active_run_ = nullptr;  // the run of a ProcessFiles in progress
  int32_t run_failures_ = 0;
};

}  // namespace tavelle

#endif  // TAVELLE_ENGINE_PIPELINE_TAVELLE_H_
