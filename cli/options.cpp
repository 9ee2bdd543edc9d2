#include "cli/options.h"

#include <CLI/CLI.hpp>

#include <cstdio>

namespace cli {

std::optional<int> ParseCommandLine(int argc, char** argv, CommandLine& line) {
  CLI::App app("Generates HTML documentation from the documentation blocks of source files.",
               "tavelle-cli");
  app.add_option("config", line.config, "Configuration file to load; its folder becomes the "
                                        "working folder of the run")
      ->type_name("CONFIG.tvg");
  CLI::Option* output =
      app.add_option("-o,--output", "Output directory (OutputDirectory), set after loading")
          ->type_name("DIR");
  // One value per occurrence, so that "-i src project.tvg" leaves the
  // configuration file alone.
  app.add_option("-i,--input", line.inputs, "Add an input folder (repeatable)")
      ->type_name("DIR")
      ->allow_extra_args(false);
  app.add_option("-t,--file-type", line.file_types, "Add a file type such as .cpp (repeatable)")
      ->type_name("EXT")
      ->allow_extra_args(false);
  app.add_option("--set", line.settings,
                 "Set any engine property by name; true/false for Booleans (repeatable)")
      ->type_name("NAME=VALUE")
      ->allow_extra_args(false);
  app.add_flag("--print-settings", line.print_settings,
               "Print every property as NAME=VALUE and exit without a run");
  app.add_option("--save", line.save, "Write the configuration to FILE and exit without a run")
      ->type_name("FILE");
  CLI::Option* init =
      app.add_option("--init",
                     "Write a starter project into DIR (default: the current folder; created "
                     "when missing): a commented project.tvg with paths relative to it, an "
                     "example source in src/, editable copies of the theme's templates in "
                     "theme/ and the output folder docs/. Existing files are never "
                     "overwritten. Prints the commands to run next; takes no other options")
          ->type_name("[DIR]")
          ->expected(0, 1);
  app.add_flag("-q,--quiet", line.quiet,
               "Print no progress rows; on a terminal, show one progress line instead");
  app.add_flag("--progress", line.progress,
               "Show the progress line on standard error even when it is no terminal");
  app.add_flag("--profile", line.profile,
               "After the run, print the wall time of each stage to standard error");
  app.add_flag("-W,--warnings-as-errors", line.warnings_as_errors,
               "Exit with status 4 when the run gave warnings (sets WarningsAsErrors, which "
               "--save keeps)");
  app.add_option("--no-warn", line.no_warn,
                 "Do not report warnings of this kind, such as undocumented-base; an unknown "
                 "kind lists the kinds (repeatable; adds to DisabledWarnings, which --save "
                 "keeps)")
      ->type_name("KIND")
      ->allow_extra_args(false);
  app.add_flag("--full", line.full,
               "Make every output again, ignoring what the previous run into the output "
               "folder left (.tavelle-cache); the files are the same either way");
  app.add_flag("--watch", line.watch,
               "After the run, wait for changes to the input folders, the templates and the "
               "configuration file and run again; one summary line per run; Ctrl-C ends it");
  app.set_version_flag("--version", "tavelle-cli " TAVELLE_VERSION);
  app.footer(
      "Exit status:\n"
      "  0  the run finished\n"
      "  1  the run was cancelled (Ctrl-C)\n"
      "  2  bad usage, the configuration file is missing or unreadable, or a file\n"
      "     is in the way of --init\n"
      "  3  the run finished but reported read, write or database failures\n"
      "  4  the run finished with warnings and -W (WarningsAsErrors) is on; 3 wins over 4\n"
      "Warnings go to standard error as 'path:line: warning: message [kind]'.");

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    // --help and --version arrive here too, with status 0.
    if (error.get_exit_code() == 0) return app.exit(error);
    ReportError(std::string(error.what()) + " (see --help)");
    return kExitBadUsage;
  }
  if (output->count() > 0) line.output = output->as<std::string>();
  if (init->count() == 0) return std::nullopt;
  // Only -q may come with --init.
  if (!line.config.empty() || line.output || !line.inputs.empty() || !line.file_types.empty() ||
      !line.settings.empty() || line.print_settings || !line.save.empty() || line.profile || line.watch || line.full) {
    ReportError("--init takes no configuration file and no other options (see --help)");
    return kExitBadUsage;
  }
  line.init = init->results().empty() ? "." : init->as<std::string>();
  return std::nullopt;
}

void ReportError(const std::string& message) {
  std::fflush(stdout);
  std::fprintf(stderr, "tavelle-cli: %s\n", message.c_str());
}

}  // namespace cli
