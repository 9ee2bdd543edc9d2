#include "engine/pipeline/tavelle.h"

#include <optional>

#include "engine/core/config_file.h"
#include "engine/core/named_lists.h"
#include "engine/pipeline/authoring_checks.h"
#include "engine/pipeline/pipeline.h"

namespace tavelle {
namespace {

using automation::CallKind;
using automation::Variant;

// Members after the 52 properties, in interface order.
enum Method {
  kErrMsg,
  kCancel,
  kProcessFiles,
  kAddKeyWord,
  kRemoveKeyWord,
  kUpdateKeyWord,
  kGetKeyWord,
  kGetKeyWordCount,
  kClearKeyWords,
  kAddInputFolder,
  kRemoveInputFolder,
  kGetInputFolder,
  kGetInputFoldersCount,
  kClearInputFolders,
  kAddFileType,
  kRemoveFileType,
  kGetFileType,
  kGetFileTypeCount,
  kClearFileTypes,
  kSaveConfig,
  kOpenConfig,
  kRunFailures,
  kStageTimes,
  kWarnings,
  kWarningCount,
  kWarningKinds,
  kProgress,
  kProcessFilesFully,
};

const char* const kMethodNames[] = {
    "ErrMsg",         "Cancel",          "ProcessFiles",      "AddKeyWord",
    "RemoveKeyWord",  "UpdateKeyWord",   "GetKeyWord",        "GetKeyWordCount",
    "ClearKeyWords",  "AddInputFolder",  "RemoveInputFolder", "GetInputFolder",
    "GetInputFoldersCount", "ClearInputFolders", "AddFileType", "RemoveFileType",
    "GetFileType",    "GetFileTypeCount", "ClearFileTypes",   "SaveConfig",
    "OpenConfig",     "RunFailures",     "StageTimes",        "Warnings",
    "WarningCount",   "WarningKinds",    "Progress",          "ProcessFilesFully",
};

// How many arguments each method takes.
constexpr size_t kArgumentCounts[] = {0, 0, 0, 4, 1, 4, 4, 0, 0, 2, 1, 2, 0, 0,
                                      2, 1, 2, 0, 0, 1, 1, 0, 0, 0, 0, 0, 0, 0};

const automation::MemberNames& Members() {
  static const automation::MemberNames members(Tavelle::MemberNames());
  return members;
}

std::string Text(const Variant& value) { return value.AsText(); }

std::string WarningKindsText() {
  std::string text;
  for (std::string_view kind : WarningKinds()) {
    text += kind;
    text += '\n';
  }
  return text;
}

// The read-only members that report on the last run, or nothing.
// GCC 12 with the sanitizers warns of a maybe-uninitialized string inside
// libstdc++'s variant when a number is moved into an optional Variant; the
// warning is a known false positive of that compiler.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif
std::optional<Variant> LastRunReport(int method, const Project& project, int32_t runFailures) {
  switch (method) {
    case kStageTimes:
      return Variant(project.Stages.Text());
    case kRunFailures:
      return Variant(runFailures);
    case kWarnings:
      return Variant(project.Warnings.Text());
    case kWarningCount:
      return Variant(project.Warnings.Count());
    case kWarningKinds:
      return Variant(WarningKindsText());
    default:
      return std::nullopt;
  }
}
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic pop
#endif

}  // namespace

std::vector<std::string> Tavelle::MemberNames() {
  std::vector<std::string> names;
  for (const PropertyInfo& property : SettingProperties()) names.push_back(property.name);
  for (const char* name : kMethodNames) names.push_back(name);
  return names;
}

std::vector<std::string> Tavelle::PropertyNames() const {
  std::vector<std::string> names;
  for (const PropertyInfo& property : SettingProperties()) names.push_back(property.name);
  return names;
}

bool Tavelle::Invoke(std::string_view member, CallKind kind, std::span<Variant> args,
                     Variant& result) {
  int number = Members().Find(member);
  if (number < 0) return false;
  auto properties = SettingProperties();
  if (static_cast<size_t>(number) < properties.size()) {
    const PropertyInfo& property = properties[static_cast<size_t>(number)];
    if (kind == CallKind::kPropertyPut) {
      return !args.empty() && WriteProperty(project_.settings, property, args.back());
    }
    result = ReadProperty(project_.settings, property);
    return true;
  }
  int method = number - static_cast<int>(properties.size());
  if (method == kCancel) {
    if (kind == CallKind::kPropertyPut) {
      if (args.empty()) return false;
      auto value = args.back().ToBool();
      if (!value) return false;
      WriteCancel(*value);
      return true;
    }
    result = project_.CancelFlag;
    return true;
  }
  if (method == kErrMsg) {
    if (kind == CallKind::kPropertyPut) return false;
    result = project_.ErrMsg;
    return true;
  }
  if (method == kProgress) {
    if (kind == CallKind::kPropertyPut) return false;
    result = active_run_ ? active_run_->ProgressText() : std::string();
    return true;
  }
  if (std::optional<Variant> report = LastRunReport(method, project_, run_failures_)) {
    if (kind == CallKind::kPropertyPut) return false;
    result = std::move(*report);
    return true;
  }
  if (args.size() < kArgumentCounts[method]) return false;
  return InvokeMethod(method, args, result);
}

bool Tavelle::InvokeMethod(int method, std::span<Variant> args, Variant& result) {
  Project& p = project_;
  int32_t index = 0;
  std::string name, keyFile, replace;
  switch (method) {
    case kProcessFiles:
      ProcessFiles(OutputCaches::kUse, result);
      return true;
    case kProcessFilesFully:
      ProcessFiles(OutputCaches::kIgnore, result);
      return true;
    case kAddKeyWord:
      result = AddKeyWord(p, Text(args[0]), Text(args[1]), Text(args[2]), index);
      args[3] = index;
      return true;
    case kRemoveKeyWord:
      result = RemoveKeyWord(p, Text(args[0]));
      return true;
    case kUpdateKeyWord:
      index = args[3].AsInt32();
      result = UpdateKeyWord(p, Text(args[0]), Text(args[1]), Text(args[2]), index);
      if (result.AsBool()) args[3] = index;
      return true;
    case kGetKeyWord: {
      bool found = GetKeyWord(p, args[0].AsInt32(), name, keyFile, replace);
      if (found) {
        args[1] = name;
        args[2] = keyFile;
        args[3] = replace;
      }
      result = found;
      return true;
    }
    case kGetKeyWordCount:
      result = GetKeyWordCount(p);
      return true;
    case kClearKeyWords:
      ClearKeyWords(p);
      return true;
    case kAddInputFolder:
      result = AddInputFolder(p, Text(args[0]), index);
      args[1] = index;
      return true;
    case kRemoveInputFolder:
      result = RemoveInputFolder(p, Text(args[0]));
      return true;
    case kGetInputFolder: {
      bool found = GetInputFolder(p, args[0].AsInt32(), name);
      if (found) args[1] = name;
      result = found;
      return true;
    }
    case kGetInputFoldersCount:
      result = GetInputFoldersCount(p);
      return true;
    case kClearInputFolders:
      ClearInputFolders(p);
      return true;
    case kAddFileType: {
      name = Text(args[0]);
      index = args[1].AsInt32();
      result = AddFileType(p, name, index);
      args[0] = name;
      args[1] = index;
      return true;
    }
    case kRemoveFileType:
      result = RemoveFileType(p, Text(args[0]));
      return true;
    case kGetFileType: {
      bool found = GetFileType(p, args[0].AsInt32(), name);
      if (found) args[1] = name;
      result = found;
      return true;
    }
    case kGetFileTypeCount:
      result = GetFileTypeCount(p);
      return true;
    case kClearFileTypes:
      ClearFileTypes(p);
      return true;
    case kSaveConfig:
      result = SaveConfig(p, Text(args[0]));
      return true;
    case kOpenConfig:
      OpenConfig(p, Text(args[0]));
      // Shown at once, and again by every run of the project.
      p.Warnings.Clear();
      p.Warnings.SetDisabled(p.settings.DisabledWarnings);
      WarnOfConfigFile(p);
      return true;
    default:
      return false;
  }
}

void Tavelle::ProcessFiles(OutputCaches caches, Variant& result) {
  Run run(project_.settings.OutputMsgBox, project_.settings.OutputDirectory, run_clock_);
  active_run_ = &run;
  result = tavelle::ProcessFiles(project_, run, caches);
  run.Queue().Drain();
  active_run_ = nullptr;
  run_failures_ = run.Failures();
}

void Tavelle::WriteCancel(bool value) {
  project_.CancelFlag = value;
  if (active_run_) active_run_->RequestCancel(value);
}

}  // namespace tavelle
