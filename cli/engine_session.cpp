#include "cli/engine_session.h"

#include <cstdio>
#include <fstream>
#include <optional>
#include <utility>

#include "automation/ascii.h"
#include "automation/event_pump.h"
#include "automation/frontend_defaults.h"
#include "cli/interrupt.h"
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
  return true;
}

void PrintSettings(Object& engine) {
  for (const std::string& name : engine.PropertyNames())
    std::printf("%s=%s\n", name.c_str(), DisplayText(engine.Get(name)).c_str());
  std::fflush(stdout);
}

bool SaveConfiguration(Object& engine, const fs::path& file) {
  engine.Call("SaveConfig", {file.string()});
  std::error_code error;
  if (fs::is_regular_file(file, error)) return true;
  ReportError("could not write configuration file " + file.string());
  return false;
}

int RunDocumentation(Object& engine, bool quiet, int* removedFiles) {
  // Full buffering even on a terminal; the event pump flushes.
  static char buffer[1 << 16];
  std::setvbuf(stdout, buffer, _IOFBF, sizeof buffer);
  auto printer = std::make_shared<RowPrinter>(quiet ? nullptr : stdout);
  if (!quiet || removedFiles != nullptr) engine.Put("OutputMsgBox", ObjectRef(printer));

  InstallInterruptHandler();
  automation::SetEventPump([&engine, &printer] {
    if (InterruptRequested()) engine.Put("Cancel", true);
    printer->Flush();
  });
  engine.Call("ProcessFiles");
  automation::SetEventPump({});
  printer->Flush();
  if (removedFiles != nullptr) *removedFiles = printer->RemovedFiles();

  if (!engine.Get("Cancel").AsBool()) return kExitFinished;
  ReportError("run cancelled");
  return kExitCancelled;
}

}  // namespace cli
