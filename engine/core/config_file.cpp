#include "engine/core/config_file.h"

#include <algorithm>
#include <filesystem>
#include <limits>
#include <span>
#include <string_view>

#include "automation/object.h"
#include "automation/registry.h"
#include "engine/core/named_lists.h"

namespace tavelle {
namespace {

using automation::CallKind;
using automation::ObjectRef;
using automation::Variant;

namespace fs = std::filesystem;

// One setting in the file; the key is also the property's name. Settings
// added to the file later keep their value when an older file lacks them.
struct ConfigEntry {
  const char* section;
  const char* key;
  bool keepWhenAbsent = false;
};

// The settings written before the lists, in file order.
constexpr ConfigEntry kLeadingSettings[] = {
    {"TavellePaths", "OutputDirectory"},   {"TavellePaths", "FunctionsHTMLFile"},
    {"TavellePaths", "ClassesHTMLFile"},   {"TavelleConfig", "SearchRecursive"},
    {"TavelleConfig", "GenerateDiagrams"}, {"TavelleConfig", "CommentString"},
    {"TavelleConfig", "AutoLink"},         {"TavelleConfig", "DefaultHTML"},
    {"TavelleConfig", "ProjFileTemplate"}, {"TavelleConfig", "IndexFileTemplate"},
    {"TavelleConfig", "ContentFileTemplate"},
    {"TavelleConfig", "GenerateSearchIndex", true},
};

// The project's title, which came later, ends "TavelleConfig". It is
// written only when set, so that a project without one saves the same file
// as before; an absent title reads as empty like the other texts.
constexpr ConfigEntry kTitleSetting[] = {{"TavelleConfig", "ProjectTitle"}};

// The settings written after the lists, in file order.
constexpr ConfigEntry kHelpSettings[] = {
    {"HelpProjInfo", "CompiledFile"}, {"HelpProjInfo", "ContentFile"},
    {"HelpProjInfo", "DefTopicFile"}, {"HelpProjInfo", "IndexFile"},
    {"HelpProjInfo", "ProjFile"},     {"HelpProjInfo", "ProcAccessLevel"},
};

// The settings whose values are paths; the input folders are paths too.
constexpr std::string_view kPathSettings[] = {"OutputDirectory", "DefaultHTML", "ProjFileTemplate",
                                              "IndexFileTemplate", "ContentFileTemplate"};

bool IsPathSetting(std::string_view key) {
  return std::find(std::begin(kPathSettings), std::end(kPathSettings), key) !=
         std::end(kPathSettings);
}

// `path` relative to `folder` when it lies inside it, else empty. Both are
// absolute and normal.
fs::path RelativeInside(const fs::path& path, const fs::path& folder) {
  fs::path relative = path.lexically_relative(folder);
  if (relative.empty() || *relative.begin() == "..") return {};
  return relative;
}

// Writes paths so that a project folder can be moved or shared: a path that
// lies inside the configuration file's folder is saved relative to it (and
// is read back relative to it, as the front-ends make that folder the
// working folder), any other path as given. Relative paths are taken from
// the working folder, as a run would take them.
class PathSaver {
 public:
  explicit PathSaver(const std::string& configFile) {
    std::error_code error;
    working_ = fs::current_path(error);
    folder_ = Absolute(fs::path(configFile).parent_path());
  }

  std::string Saved(const std::string& path) const {
    if (path.empty() || folder_.empty()) return path;
    fs::path absolute = Absolute(path);
    fs::path relative = RelativeInside(absolute, folder_);
    if (relative.empty()) {
      // The same places may be spelt through symbolic links.
      std::error_code error;
      fs::path real = fs::weakly_canonical(absolute, error);
      fs::path realFolder = fs::weakly_canonical(folder_, error);
      if (!error) relative = RelativeInside(real, realFolder);
    }
    return relative.empty() ? path : relative.generic_string();
  }

 private:
  fs::path Absolute(const fs::path& path) const {
    if (path.is_absolute()) return path.lexically_normal();
    if (working_.empty()) return {};
    return (working_ / path).lexically_normal();
  }

  fs::path working_;
  fs::path folder_;
};

// The settings of the warnings, written only when they differ from their
// defaults (off, none), so that a project that never set them saves the
// same file as before.
constexpr const char* kWarningsSection = "TavelleWarnings";

// The keys that only a configuration file holds: a file with none of them
// holds none of the sections either.
constexpr ConfigEntry kCountEntries[] = {{"InputFolders", "NumInputFolders"},
                                         {"FileTypes", "NumFileTypes"},
                                         {"KeyWords", "NumKeyWords"},
                                         {kWarningsSection, "WarningsAsErrors"},
                                         {kWarningsSection, "DisabledWarnings"}};

// The profile component, called by member name. A call that fails is
// skipped: a failed read gives the default.
class Profile {
 public:
  explicit Profile(ObjectRef component) : component_(std::move(component)) {}

  void Set(const char* section, const std::string& key, Variant value) {
    Variant args[3] = {Variant(section), Variant(key), std::move(value)};
    Variant ignored;
    component_->Invoke("SetEntry", CallKind::kMethod, args, ignored);
  }

  Variant Get(const char* section, const std::string& key, const Variant& fallback) {
    Variant args[3] = {Variant(section), Variant(key), fallback};
    Variant result;
    if (!component_->Invoke("GetEntry", CallKind::kMethod, args, result)) return fallback;
    return result;
  }

 private:
  ObjectRef component_;
};

// Absent Booleans read as true, absent texts as empty.
Variant DefaultOf(const PropertyInfo& property) {
  if (std::holds_alternative<bool Settings::*>(property.field)) return Variant(true);
  return Variant(std::string());
}

void WriteSettings(Profile& profile, const Settings& settings, const PathSaver& paths,
                   std::span<const ConfigEntry> entries) {
  for (const ConfigEntry& entry : entries) {
    const PropertyInfo* property = FindProperty(entry.key);
    if (property == nullptr) continue;
    Variant value = ReadProperty(settings, *property);
    if (IsPathSetting(entry.key)) value = Variant(paths.Saved(value.AsText()));
    profile.Set(entry.section, entry.key, std::move(value));
  }
}

void ReadSettings(Profile& profile, Settings& settings, std::span<const ConfigEntry> entries) {
  for (const ConfigEntry& entry : entries) {
    const PropertyInfo* property = FindProperty(entry.key);
    if (!property) continue;
    Variant fallback =
        entry.keepWhenAbsent ? ReadProperty(settings, *property) : DefaultOf(*property);
    WriteProperty(settings, *property, profile.Get(entry.section, entry.key, fallback));
  }
}

// Lists are counted with 16-bit numbers in the file.
int16_t SavedCount(const SortedCollection<SearchWord>& list) {
  return static_cast<int16_t>(
      std::min<size_t>(list.Count(), std::numeric_limits<int16_t>::max()));
}

// Writes the names of `list`; `paths`, when given, saves them as paths.
void WriteNames(Profile& profile, const char* section, const char* countKey, const char* itemKey,
                const SortedCollection<SearchWord>& list, const PathSaver* paths = nullptr) {
  int16_t count = SavedCount(list);
  profile.Set(section, countKey, count);
  int n = 0;
  for (const SearchWordRef& entry : list) {
    if (++n > count) break;
    profile.Set(section, itemKey + std::to_string(n),
                paths != nullptr ? paths->Saved(entry->Name) : entry->Name);
  }
}

void WriteKeyWords(Profile& profile, const SortedCollection<SearchWord>& keyWords) {
  int16_t count = SavedCount(keyWords);
  profile.Set("KeyWords", "NumKeyWords", count);
  int n = 0;
  for (const SearchWordRef& entry : keyWords) {
    if (++n > count) break;
    std::string number = std::to_string(n);
    profile.Set("KeyWords", "KeyName" + number, entry->Name);
    profile.Set("KeyWords", "KeyFile" + number, entry->filename);
    profile.Set("KeyWords", "ReplaceString" + number, entry->ReplaceString);
  }
}

void WriteWarningSettings(Profile& profile, const Settings& settings) {
  if (settings.WarningsAsErrors) profile.Set(kWarningsSection, "WarningsAsErrors", true);
  if (!settings.DisabledWarnings.empty())
    profile.Set(kWarningsSection, "DisabledWarnings", settings.DisabledWarnings);
}

void ReadWarningSettings(Profile& profile, Settings& settings) {
  settings.WarningsAsErrors =
      profile.Get(kWarningsSection, "WarningsAsErrors", Variant(false)).AsBool();
  settings.DisabledWarnings =
      profile.Get(kWarningsSection, "DisabledWarnings", Variant(std::string())).AsText();
}

// Whether the file holds any key of a configuration file. A key that is
// missing reads back as a default no file holds.
bool HoldsKnownKeys(Profile& profile) {
  const Variant absent(std::string("\x01" "absent"));
  auto holds = [&](std::span<const ConfigEntry> entries) {
    return std::any_of(entries.begin(), entries.end(), [&](const ConfigEntry& entry) {
      return profile.Get(entry.section, entry.key, absent) != absent;
    });
  };
  return holds(kLeadingSettings) || holds(kTitleSetting) || holds(kHelpSettings) ||
         holds(kCountEntries);
}

int16_t ReadCount(Profile& profile, const char* section, const char* countKey) {
  return profile.Get(section, countKey, Variant(int16_t{0})).AsInt16();
}

std::string ReadText(Profile& profile, const char* section, const std::string& key) {
  return profile.Get(section, key, Variant(std::string())).AsText();
}

// Each list is rebuilt through its add operation, so it comes back sorted
// whatever order the file gives; refusals are ignored.
void ReadLists(Profile& profile, ProjectSetup& project) {
  int32_t index = 0;
  int16_t count = ReadCount(profile, "InputFolders", "NumInputFolders");
  ClearInputFolders(project);
  for (int n = 1; n <= count; ++n)
    AddInputFolder(project, ReadText(profile, "InputFolders", "Folder" + std::to_string(n)), index);

  count = ReadCount(profile, "FileTypes", "NumFileTypes");
  ClearFileTypes(project);
  for (int n = 1; n <= count; ++n) {
    std::string type = ReadText(profile, "FileTypes", "TypeName" + std::to_string(n));
    AddFileType(project, type, index);
  }

  count = ReadCount(profile, "KeyWords", "NumKeyWords");
  ClearKeyWords(project);
  for (int n = 1; n <= count; ++n) {
    std::string number = std::to_string(n);
    std::string name = ReadText(profile, "KeyWords", "KeyName" + number);
    std::string keyFile = ReadText(profile, "KeyWords", "KeyFile" + number);
    std::string replace = ReadText(profile, "KeyWords", "ReplaceString" + number);
    AddKeyWord(project, name, keyFile, replace, index);
  }
}

}  // namespace

bool SaveConfig(ProjectSetup& project, const std::string& configFile) {
  ObjectRef component = automation::CreateObject("StoweProj.Stowe");
  if (!component) return false;  // without the component the old file stays as it is
  component->Put("filename", configFile);
  // Start from no entries, so that nothing of an old file survives. The
  // component replaces the file only when Save has written everything.
  component->Call("Clear");
  Profile profile(component);
  const Settings& settings = project.settings;
  PathSaver paths(configFile);
  WriteSettings(profile, settings, paths, kLeadingSettings);
  if (!settings.ProjectTitle.empty()) WriteSettings(profile, settings, paths, kTitleSetting);
  WriteNames(profile, "InputFolders", "NumInputFolders", "Folder", project.InputFolders, &paths);
  WriteNames(profile, "FileTypes", "NumFileTypes", "TypeName", project.FileTypes);
  WriteKeyWords(profile, project.KeyWords);
  WriteSettings(profile, settings, paths, kHelpSettings);
  WriteWarningSettings(profile, settings);
  return component->Call("Save").AsBool();
}

void OpenConfig(ProjectSetup& project, const std::string& configFile) {
  project.ConfigFile = configFile;
  project.ConfigLacksSections = false;
  ObjectRef component = automation::CreateObject("StoweProj.Stowe");
  if (!component) {
    // Every read fails: the settings stay, and each list is cleared and
    // rebuilt from a count of zero.
    ClearInputFolders(project);
    ClearFileTypes(project);
    ClearKeyWords(project);
    return;
  }
  component->Put("filename", configFile);
  Profile profile(component);
  ReadSettings(profile, project.settings, kLeadingSettings);
  ReadSettings(profile, project.settings, kTitleSetting);
  ReadLists(profile, project);
  ReadSettings(profile, project.settings, kHelpSettings);
  ReadWarningSettings(profile, project.settings);
  project.ConfigLacksSections = !HoldsKnownKeys(profile);
}

}  // namespace tavelle
