#include "cli/engine_session.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <optional>
#include <utility>
#include <vector>

#include "automation/ascii.h"
#include "automation/event_pump.h"
#include "automation/frontend_defaults.h"
#include "automation/platform.h"
#include "cli/interrupt.h"
#include "cli/progress_line.h"
#include "cli/row_printer.h"

namespace cli {
namespace {

using automation::Object;
using automation::ObjectRef;
using automation::Variant;

namespace fs = std::filesystem;

// Settings whose values are paths of files or folders to read or write;
// --set takes them relative to the start folder like the other options.
const char* const kPathSettings[] = {"OutputDirectory",     "DefaultHTML",
                                     "ProjFileTemplate",    "IndexFileTemplate",
                                     "ContentFileTemplate", "TreeViewerFolder"};

std::string FromStart(const fs::path& start, const std::string& path) {
  if (path.empty()) return path;
  return (start / path).lexically_normal().string();
}

// The declared name of the property called `name` in any letter case, or
// empty when the engine has no such property.
std::string PropertyName(Object& engine, std::string_view name) {
  for (const std::string& property : engine.PropertyNames())
    if (automation::EqualsIgnoringAsciiCase(property, name)) return property;
  return {};
}

std::optional<bool> ParseBoolean(std::string_view text) {
  if (automation::EqualsIgnoringAsciiCase(text, "true")) return true;
  if (automation::EqualsIgnoringAsciiCase(text, "false")) return false;
  return std::nullopt;
}

// Applies one "NAME=VALUE"; false after reporting what is wrong.
bool ApplySetting(Object& engine, const std::string& assignment, const fs::path& start) {
  size_t equals = assignment.find('=');
  if (equals == std::string::npos) {
    ReportError("--set expects NAME=VALUE, got '" + assignment + "'");
    return false;
  }
  std::string name = PropertyName(engine, assignment.substr(0, equals));
  std::string value = assignment.substr(equals + 1);
  if (name.empty()) {
    ReportError("--set: unknown setting '" + assignment.substr(0, equals) + "'");
    return false;
  }
  Variant current = engine.Get(name);
  if (current.kind() == Variant::Kind::kObject || name == "OutputMsgBox") {
    ReportError("--set: " + name + " cannot be set from the command line");
    return false;
  }
  if (current.kind() == Variant::Kind::kBoolean) {
    std::optional<bool> flag = ParseBoolean(value);
    if (!flag) {
      ReportError("--set: " + name + " takes true or false, not '" + value + "'");
      return false;
    }
    return engine.Put(name, *flag);
  }
  for (const char* path_setting : kPathSettings)
    if (name == path_setting) value = FromStart(start, value);
  if (!engine.Put(name, value)) {
    ReportError("--set: '" + value + "' is not a valid value for " + name);
    return false;
  }
  return true;
}

// The lines of a text, without their line ends.
std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  for (size_t start = 0; start < text.size();) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

// Adds each --no-warn kind to DisabledWarnings; false after reporting a
// kind the engine does not have.
bool DisableWarnings(Object& engine, const std::vector<std::string>& kinds) {
  std::vector<std::string> known = Lines(engine.Get("WarningKinds").AsText());
  std::string disabled = engine.Get("DisabledWarnings").AsText();
  for (const std::string& kind : kinds) {
    if (std::find(known.begin(), known.end(), kind) == known.end()) {
      std::string list;
      for (const std::string& name : known) list += (list.empty() ? "" : ", ") + name;
      ReportError("--no-warn: unknown warning kind '" + kind + "' (kinds: " + list + ")");
      return false;
    }
    disabled += (disabled.empty() ? "" : ",") + kind;
  }
  return engine.Put("DisabledWarnings", disabled);
}

// A warning's path as the user sees it: relative to the start folder (the
// engine's paths are relative to the configuration's folder).
std::string DisplayPath(const std::string& path, const fs::path& start) {
  std::error_code error;
  fs::path full = fs::absolute(path, error).lexically_normal();
  fs::path relative = full.lexically_relative(start);
  return (relative.empty() ? full : relative).string();
}

std::string DisplayText(const Variant& value) {
  if (value.kind() == Variant::Kind::kBoolean) return value.AsBool() ? "true" : "false";
  return value.AsText();  // an object reference prints as nothing
}

}  // namespace

void ApplyDesktopDefaults(Object& engine) {
  automation::ApplyFrontEndDefaults(engine);
  for (const automation::ControlDefault& control : automation::WindowControlDefaults()) {
    if (!engine.Put(control.property, control.value))
      ReportError(std::string("the engine does not take ") + control.property);
  }
}

bool LoadConfiguration(Object& engine, const fs::path& config) {
  std::error_code error;
  if (!fs::is_regular_file(config, error) || !std::ifstream(config).good()) {
    ReportError("cannot read configuration file " + config.string());
    return false;
  }
  engine.Call("OpenConfig", {config.string()});
  // Relative paths in the file are relative to the file.
  fs::current_path(config.parent_path(), error);
  if (error) {
    ReportError("cannot change to the folder of " + config.string() + ": " + error.message());
    return false;
  }
  return true;
}

bool ApplyOptions(Object& engine, const CommandLine& line, const fs::path& start) {
  if (line.output) engine.Put("OutputDirectory", FromStart(start, *line.output));
  for (const std::string& input : line.inputs)
    engine.Call("AddInputFolder", {FromStart(start, input), int32_t{0}});
  // A type that is listed already is refused by the engine; that is fine.
  for (const std::string& type : line.file_types) engine.Call("AddFileType", {type, int32_t{0}});
  for (const std::string& assignment : line.settings)
    if (!ApplySetting(engine, assignment, start)) return false;
  if (line.warnings_as_errors) engine.Put("WarningsAsErrors", true);
  return line.no_warn.empty() || DisableWarnings(engine, line.no_warn);
}

int32_t PrintWarnings(Object& engine, const fs::path& start) {
  int32_t count = 0;
  for (const std::string& warning : Lines(engine.Get("Warnings").AsText())) {
    // path TAB line TAB kind TAB message
    size_t tab1 = warning.find('\t');
    size_t tab2 = warning.find('\t', tab1 + 1);
    size_t tab3 = warning.find('\t', tab2 + 1);
    if (tab3 == std::string::npos) continue;
    std::string path = warning.substr(0, tab1);
    std::string line = warning.substr(tab1 + 1, tab2 - tab1 - 1);
    std::string place = path.empty() ? "tavelle-cli" : DisplayPath(path, start);
    if (line != "0") place += ":" + line;
    std::fprintf(stderr, "%s: warning: %s [%s]\n", place.c_str(), warning.substr(tab3 + 1).c_str(),
                 warning.substr(tab2 + 1, tab3 - tab2 - 1).c_str());
    ++count;
  }
  if (count > 0) std::fprintf(stderr, "tavelle-cli: %d warning%s\n", count, count == 1 ? "" : "s");
  return count;
}

void PrintSettings(Object& engine) {
  for (const std::string& name : engine.PropertyNames())
    std::printf("%s=%s\n", name.c_str(), DisplayText(engine.Get(name)).c_str());
  std::fflush(stdout);
}

bool SaveConfiguration(Object& engine, const fs::path& file) {
  if (engine.Call("SaveConfig", {file.string()}).AsBool()) return true;
  ReportError("could not write configuration file " + file.string());
  return false;
}

int RunDocumentation(Object& engine, bool quiet, bool progress, bool full, int* removedFiles) {
  // Full buffering even on a terminal; the event pump flushes.
  static char buffer[1 << 16];
  std::setvbuf(stdout, buffer, _IOFBF, sizeof buffer);
  auto printer = std::make_shared<RowPrinter>(quiet ? nullptr : stdout);
  if (!quiet || removedFiles != nullptr) engine.Put("OutputMsgBox", ObjectRef(printer));

  ProgressLine line(stderr);
  bool showProgress = progress || (quiet && automation::IsTerminal(stderr));
  InstallInterruptHandler();
  automation::SetEventPump([&engine, &printer, &line, showProgress] {
    if (InterruptRequested()) engine.Put("Cancel", true);
    printer->Flush();
    if (showProgress) line.Show(engine.Get("Progress").AsText());
  });
  if (full) {
    engine.Call("ProcessFilesFully");
  } else {
    engine.Call("ProcessFiles");
  }
  automation::SetEventPump({});
  line.Clear();
  printer->Flush();
  if (removedFiles != nullptr) *removedFiles = printer->RemovedFiles();

  if (!engine.Get("Cancel").AsBool()) return kExitFinished;
  ReportError("run cancelled");
  return kExitCancelled;
}

}  // namespace cli
