// tavelle-cli: runs the documentation engine from the command line.
// See options.h for the command line and engine_session.h for the steps.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

#include "automation/frontend_defaults.h"
#include "automation/platform.h"
#include "automation/registry.h"
#include "cli/engine_session.h"
#include "cli/options.h"
#include "cli/starter_project.h"
#include "cli/watch.h"

int main(int argc, char** argv) {
  automation::RestartWithHugePageHeap(argv);
  cli::CommandLine line;
  if (std::optional<int> status = cli::ParseCommandLine(argc, argv, line)) return *status;

  automation::ObjectRef engine = automation::CreateObject("Corvane.Tavelle");
  if (!engine) {
    cli::ReportError("cannot load the documentation engine (libcorvane.so)");
    return cli::kExitBadUsage;
  }
  cli::ApplyDesktopDefaults(*engine);

  const std::filesystem::path start = std::filesystem::current_path();
  if (line.init) return cli::WriteStarterProject(*engine, *line.init, start);
  if (!line.config.empty() && !cli::LoadConfiguration(*engine, start / line.config))
    return cli::kExitBadUsage;
  if (!cli::ApplyOptions(*engine, line, start)) return cli::kExitBadUsage;

  if (!line.save.empty() || line.print_settings) {
    if (!line.save.empty() && !cli::SaveConfiguration(*engine, start / line.save))
      return cli::kExitBadUsage;
    if (line.print_settings) cli::PrintSettings(*engine);
    return cli::kExitFinished;
  }
  automation::ApplyRunDefaults(
      *engine, line.config.empty() ? std::filesystem::path() : start / line.config);
  if (line.watch)
    return cli::WatchDocumentation(
        *engine, line.quiet, line.full, line.config.empty() ? std::filesystem::path() : start / line.config);
  int status = cli::RunDocumentation(*engine, line.quiet, line.progress, line.full);
  if (line.profile) std::fputs(engine->Get("StageTimes").AsText().c_str(), stderr);
  if (status != cli::kExitFinished) return status;
  int32_t warnings = cli::PrintWarnings(*engine, start);
  // The failure rows themselves were printed during the run.
  if (int32_t failures = engine->Get("RunFailures").AsInt32(); failures > 0) {
    cli::ReportError("the run reported " + std::to_string(failures) +
                     " read, write or database failure(s)");
    return cli::kExitFailures;
  }
  if (warnings > 0 && engine->Get("WarningsAsErrors").AsBool()) {
    cli::ReportError("warnings are errors (-W, WarningsAsErrors)");
    return cli::kExitWarnings;
  }
  return status;
}
