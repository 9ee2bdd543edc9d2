// RunReport: where a piece of a run's work tells what happened. Log adds a
// progress row; Fail logs the rows of a failed status and counts one
// failure against the run (a no-op for an ok status); CancelRequested
// reads the run's cancel request without running the host's events, so
// that work on any thread may ask it.
//
// The run itself is a RunReport that logs at once (engine/core/run.h);
// work on the output queue gets one that holds its rows until the run
// logs them in posting order.
#ifndef TAVELLE_ENGINE_CORE_RUN_REPORT_H_
#define TAVELLE_ENGINE_CORE_RUN_REPORT_H_

#include <string_view>

#include "engine/core/status.h"

namespace tavelle {

class RunReport {
 public:
  virtual ~RunReport() = default;
  virtual void Log(std::string_view message) = 0;
  virtual void Fail(const Status& status) = 0;
  virtual bool CancelRequested() const = 0;
};

}  // namespace tavelle

#endif  // TAVELLE_ENGINE_CORE_RUN_REPORT_H_
