// tavelle-cli: runs the documentation engine from the command line.
// See options.h for the command line and engine_session.h for the steps.
#include <filesystem>

#include "automation/registry.h"
#include "cli/engine_session.h"
#include "cli/options.h"

int main(int argc, char** argv) {
  cli::CommandLine line;
  if (std::optional<int> status = cli::ParseCommandLine(argc, argv, line)) return *status;

  automation::ObjectRef engine = automation::CreateObject("Corvane.Tavelle");
  if (!engine) {
    cli::ReportError("cannot load the documentation engine (libcorvane.so)");
    return cli::kExitBadUsage;
  }
  cli::ApplyDesktopDefaults(*engine);

  const std::filesystem::path start = std::filesystem::current_path();
  if (!line.config.empty() && !cli::LoadConfiguration(*engine, start / line.config))
    return cli::kExitBadUsage;
  if (!cli::ApplyOptions(*engine, line, start)) return cli::kExitBadUsage;

  if (!line.save.empty() || line.print_settings) {
    if (!line.save.empty() && !cli::SaveConfiguration(*engine, start / line.save))
      return cli::kExitBadUsage;
    if (line.print_settings) cli::PrintSettings(*engine);
    return cli::kExitFinished;
  }
  return cli::RunDocumentation(*engine, line.quiet);
}
