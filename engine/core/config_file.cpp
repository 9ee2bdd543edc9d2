#include "engine/core/config_file.h"

#include <algorithm>
#include <limits>
#include <span>

#include "automation/object.h"
#include "automation/registry.h"
#include "engine/core/named_lists.h"

namespace tavelle {
namespace {

using automation::CallKind;
using automation::ObjectRef;
using automation::Variant;

// One setting in the file; the key is also the property's name.
struct ConfigEntry {
  const char* section;
  const char* key;
};

// The settings written before the lists, in file order.
constexpr ConfigEntry kLeadingSettings[] = {
    {"TavellePaths", "OutputDirectory"},   {"TavellePaths", "FunctionsHTMLFile"},
    {"TavellePaths", "ClassesHTMLFile"},   {"TavelleConfig", "SearchRecursive"},
    {"TavelleConfig", "GenerateDiagrams"}, {"TavelleConfig", "CommentString"},
    {"TavelleConfig", "AutoLink"},         {"TavelleConfig", "DefaultHTML"},
    {"TavelleConfig", "ProjFileTemplate"}, {"TavelleConfig", "IndexFileTemplate"},
    {"TavelleConfig", "ContentFileTemplate"},
};

// The settings written after the lists, in file order.
constexpr ConfigEntry kHelpSettings[] = {
    {"HelpProjInfo", "CompiledFile"}, {"HelpProjInfo", "ContentFile"},
    {"HelpProjInfo", "DefTopicFile"}, {"HelpProjInfo", "IndexFile"},
    {"HelpProjInfo", "ProjFile"},     {"HelpProjInfo", "ProcAccessLevel"},
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

void WriteSettings(Profile& profile, const Settings& settings,
                   std::span<const ConfigEntry> entries) {
  for (const ConfigEntry& entry : entries) {
    if (const PropertyInfo* property = FindProperty(entry.key))
      profile.Set(entry.section, entry.key, ReadProperty(settings, *property));
  }
}

void ReadSettings(Profile& profile, Settings& settings, std::span<const ConfigEntry> entries) {
  for (const ConfigEntry& entry : entries) {
    if (const PropertyInfo* property = FindProperty(entry.key))
      WriteProperty(settings, *property, profile.Get(entry.section, entry.key, DefaultOf(*property)));
  }
}

// Lists are counted with 16-bit numbers in the file.
int16_t SavedCount(const SortedCollection<SearchWord>& list) {
  return static_cast<int16_t>(
      std::min<size_t>(list.Count(), std::numeric_limits<int16_t>::max()));
}

void WriteNames(Profile& profile, const char* section, const char* countKey, const char* itemKey,
                const SortedCollection<SearchWord>& list) {
  int16_t count = SavedCount(list);
  profile.Set(section, countKey, count);
  int n = 0;
  for (const SearchWordRef& entry : list) {
    if (++n > count) break;
    profile.Set(section, itemKey + std::to_string(n), entry->Name);
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
  return holds(kLeadingSettings) || holds(kHelpSettings) || holds(kCountEntries);
}

int16_t ReadCount(Profile& profile, const char* section, const char* countKey) {
  return profile.Get(section, countKey, Variant(int16_t{0})).AsInt16();
}

std::string ReadText(Profile& profile, const char* section, const std::string& key) {
  return profile.Get(section, key, Variant(std::string())).AsText();
}

// Each list is rebuilt through its add operation, so it comes back sorted
// whatever order the file gives; refusals are ignored.
void ReadLists(Profile& profile, Project& project) {
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

void SaveConfig(Project& project, const std::string& configFile) {
  ObjectRef component = automation::CreateObject("StoweProj.Stowe");
  if (!component) return;  // without the component the old file stays as it is
  component->Put("filename", configFile);
  // Start from no entries, so that nothing of an old file survives. The
  // component replaces the file only when Save has written everything.
  component->Call("Clear");
  Profile profile(component);
  const Settings& settings = project.settings;
  WriteSettings(profile, settings, kLeadingSettings);
  WriteNames(profile, "InputFolders", "NumInputFolders", "Folder", project.InputFolders);
  WriteNames(profile, "FileTypes", "NumFileTypes", "TypeName", project.FileTypes);
  WriteKeyWords(profile, project.KeyWords);
  WriteSettings(profile, settings, kHelpSettings);
  WriteWarningSettings(profile, settings);
  component->Call("Save");
}

void OpenConfig(Project& project, const std::string& configFile) {
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
  ReadLists(profile, project);
  ReadSettings(profile, project.settings, kHelpSettings);
  ReadWarningSettings(profile, project.settings);
  project.ConfigLacksSections = !HoldsKnownKeys(profile);
  // Shown at once, and again by every run of the project.
  project.Warnings.Clear();
  project.Warnings.SetDisabled(project.settings.DisabledWarnings);
  WarnOfConfigFile(project);
}

void WarnOfConfigFile(Project& project) {
  if (!project.ConfigLacksSections) return;
  project.Warnings.Add(project.ConfigFile, 0, kUnknownConfigWarning,
                       "the file holds none of the sections of a configuration file "
                       "(TavellePaths, TavelleConfig, InputFolders, FileTypes, KeyWords, "
                       "HelpProjInfo), so every setting took its default");
}

}  // namespace tavelle
