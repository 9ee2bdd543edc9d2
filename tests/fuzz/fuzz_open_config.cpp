// OpenConfig over arbitrary file bytes, through the profile component.
//
// Checked besides the sanitizers: the settings a configuration file does
// not hold keep their values; every file type starts with a dot; and
// whatever was read survives SaveConfig and OpenConfig again: the same
// settings, the same input folders and file types in the same order, the
// same key words. (Key words of equal name come back in the opposite
// order, since each one read goes before the others of its name.) Values
// read from a file hold no CR, since the component reads every line break
// in a value as LF; so the round trip does not see that a value with CR in
// it comes back with LF instead. Paths also come back as they were read:
// saving writes only those inside the scratch folder relative, and
// fuzzed values, taken from the working folder, do not lead there.
#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "engine/core/config_file.h"
#include "engine/scan/project.h"
#include "engine/core/settings.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

using tavelle::Project;

// The settings the configuration file holds.
constexpr std::string_view kFileSettings[] = {
    "OutputDirectory",  "FunctionsHTMLFile", "ClassesHTMLFile",   "SearchRecursive",
    "GenerateDiagrams", "CommentString",     "AutoLink",          "DefaultHTML",
    "ProjFileTemplate", "IndexFileTemplate", "ContentFileTemplate", "CompiledFile",
    "ContentFile",      "DefTopicFile",      "IndexFile",         "ProjFile",
    "ProcAccessLevel",  "GenerateSearchIndex", "WarningsAsErrors", "DisabledWarnings"};

bool InFile(std::string_view name) {
  return std::find(std::begin(kFileSettings), std::end(kFileSettings), name) !=
         std::end(kFileSettings);
}

// A project whose settings outside the file are not their defaults, so
// that a read that wrongly touches them shows.
void MarkSettings(tavelle::Settings& settings) {
  settings.GenerateJScriptTreeFile = true;
  settings.lStartJavaNode = 7;
  settings.JavaTreeFont = "Helvetica";
  settings.JavaTreeFontSize = 9;
  settings.OpenClassImage = "open_class.gif";
  settings.JavaUrlPath = "docs/";
}

std::vector<std::string> Names(const tavelle::SortedCollection<tavelle::SearchWord>& list) {
  std::vector<std::string> names;
  for (const auto& entry : list) names.push_back(entry->Name);
  return names;
}

std::vector<std::tuple<std::string, std::string, std::string>> KeyWords(const Project& project) {
  std::vector<std::tuple<std::string, std::string, std::string>> words;
  for (const auto& entry : project.KeyWords)
    words.emplace_back(entry->Name, entry->filename, entry->ReplaceString);
  std::sort(words.begin(), words.end());
  return words;
}

void CheckSameState(const Project& opened, const Project& reopened) {
  for (const tavelle::PropertyInfo& property : tavelle::SettingProperties()) {
    FUZZ_CHECK(ReadProperty(opened.settings, property) ==
                   ReadProperty(reopened.settings, property),
               property.name);
  }
  FUZZ_CHECK(Names(opened.InputFolders) == Names(reopened.InputFolders), "input folders");
  FUZZ_CHECK(Names(opened.FileTypes) == Names(reopened.FileTypes), "file types");
  FUZZ_CHECK(KeyWords(opened) == KeyWords(reopened), "key words");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string path = fuzz_support::ScratchPath("project.tvg");
  testing_support::WriteFile(path, std::string(fuzz_support::AsText(data, size)));
  Project opened;
  MarkSettings(opened.settings);
  tavelle::OpenConfig(opened, path);

  tavelle::Settings marked;
  MarkSettings(marked);
  for (const tavelle::PropertyInfo& property : tavelle::SettingProperties()) {
    if (InFile(property.name)) continue;
    FUZZ_CHECK(ReadProperty(opened.settings, property) == ReadProperty(marked, property),
               property.name);
  }
  for (const auto& type : opened.FileTypes)
    FUZZ_CHECK(type->Name.starts_with("."), "file types start with a dot");

  std::string savedPath = fuzz_support::ScratchPath("saved.tvg");
  tavelle::SaveConfig(opened, savedPath);
  Project reopened;
  MarkSettings(reopened.settings);
  tavelle::OpenConfig(reopened, savedPath);
  CheckSameState(opened, reopened);
  return 0;
}
