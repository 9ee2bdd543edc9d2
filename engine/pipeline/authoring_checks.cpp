#include "engine/pipeline/authoring_checks.h"

#include <algorithm>
#include <filesystem>
#include <string>
#include <string_view>
#include <unordered_map>

#include "engine/diagram/class_diagrams.h"
#include "engine/scan/fields.h"

namespace tavelle {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kFilterLevels[] = {"Public Only", "Public, Protected", "All Access"};

// A warning about the project's settings, placed in its configuration file.
void WarnOfSetting(Project& project, std::string_view kind, const std::string& message) {
  project.Warnings.Add(project.ConfigFile, 0, kind, message);
}

void CheckAccessFilter(Project& project) {
  const std::string& level = project.settings.ProcAccessLevel;
  // Empty text, the engine's own default, filters nothing on purpose.
  if (level.empty()) return;
  if (std::find(std::begin(kFilterLevels), std::end(kFilterLevels), level) !=
      std::end(kFilterLevels))
    return;
  NearestName nearest(level);
  for (std::string_view known : kFilterLevels) nearest.Consider(known);
  WarnOfSetting(project, kUnknownAccessWarning,
                "ProcAccessLevel '" + level +
                    "' is not Public Only, Public, Protected or All Access, so no item is "
                    "filtered" + nearest.Suggestion());
}

void CheckInputFolders(Project& project) {
  for (const SearchWordRef& folder : project.InputFolders) {
    const std::string& name = folder->Name;
    std::error_code error;
    if (name.empty()) {
      WarnOfSetting(project, kMissingInputWarning, "an input folder has an empty name");
    } else if (!fs::exists(name, error)) {
      WarnOfSetting(project, kMissingInputWarning, "input folder '" + name + "' does not exist");
    } else if (!fs::is_directory(name, error)) {
      WarnOfSetting(project, kMissingInputWarning, "input folder '" + name + "' is not a folder");
    }
  }
}

// The extension of a source file as file types match it: its name from the
// first dot.
std::string_view Extension(std::string_view path) {
  std::string_view name = path.substr(path.rfind('/') + 1);
  size_t dot = name.find('.');
  return dot == std::string_view::npos ? std::string_view() : name.substr(dot);
}

void CheckFileTypes(Project& project) {
  for (const SearchWordRef& type : project.FileTypes) {
    bool matched = std::any_of(
        project.SourceFiles.begin(), project.SourceFiles.end(),
        [&](const FileInfo& file) { return Extension(file.Name) == type->Name; });
    if (!matched)
      WarnOfSetting(project, kUnmatchedTypeWarning,
                    "file type '" + type->Name + "' matched no file in the input folders");
  }
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view WithoutLeadingBlanks(std::string_view line) {
  size_t first = 0;
  while (first < line.size() && IsBlank(line[first])) ++first;
  return line.substr(first);
}

// The text before the first marker on its line, when every line of that
// block begins with it and it holds no letter or digit: a comment prefix
// the comment string should have stripped. Empty otherwise.
std::string_view LeakedPrefix(std::string_view text, size_t marker) {
  size_t lineStart = text.rfind('\n', marker);
  lineStart = lineStart == std::string_view::npos ? 0 : lineStart + 1;
  std::string_view prefix =
      TrimSpaces(WithoutLeadingBlanks(text.substr(lineStart, marker - lineStart)));
  if (prefix.empty() || std::any_of(prefix.begin(), prefix.end(), [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
      }))
    return {};
  // The block's lines run to the next marker, its end marker.
  size_t blockEnd = text.find("DOC_DEFINE_", marker + 1);
  if (blockEnd == std::string_view::npos) return {};
  for (size_t pos = text.find('\n', marker); pos != std::string_view::npos && pos < blockEnd;
       pos = text.find('\n', pos + 1)) {
    if (!WithoutLeadingBlanks(text.substr(pos + 1)).starts_with(prefix)) return {};
  }
  return prefix;
}

// With an empty comment string nothing is stripped, so a prefix every
// documentation line carries shows in the pages. One warning a file, at
// its first block.
void CheckCommentPrefix(Project& project) {
  if (!project.settings.CommentString.empty()) return;
  for (size_t file = 0; file < project.SourceFiles.size(); ++file) {
    std::string_view text = project.SourceFiles[file].FileText;
    size_t marker = text.find("DOC_DEFINE_");
    if (marker == std::string_view::npos) continue;
    std::string prefix(LeakedPrefix(text, marker));
    if (prefix.empty()) continue;
    Warn(project, static_cast<int32_t>(file), LineAt(project.SourceFiles[file], marker),
         kCommentPrefixWarning,
         "every line of this block begins with '" + prefix +
             "' but CommentString is empty, so '" + prefix +
             "' shows in the pages; set CommentString to '" + prefix + "'");
  }
}

void CheckBaseClasses(Project& project) {
  const std::vector<std::string>& rejected = project.RejectedClasses;
  // Many classes may derive from the same outside class; its suggestion is
  // looked for once.
  std::unordered_map<std::string, std::string> suggestions;
  for (const auto& record : project.Classes) {
    for (const std::string& written : record->BaseClasses) {
      std::string base(TrimSpaces(written));
      if (base.empty() || project.Classes.Find(base) ||
          std::find(rejected.begin(), rejected.end(), base) != rejected.end())
        continue;
      auto [suggestion, added] = suggestions.try_emplace(base);
      if (added) {
        NearestName nearest(base);
        for (const auto& other : project.Classes) nearest.Consider(other->Name);
        suggestion->second = nearest.Suggestion();
      }
      Warn(project, record->Place.File, record->BaseClassesLine, kUndocumentedBaseWarning,
           "base class '" + base + "' of '" + record->Name + "' is not documented" +
               suggestion->second);
    }
  }
}

// An item that writes an output file: what it is ("class", "function", ...),
// its name (with its class for members) and where its page name comes from;
// or one of the list pages, which `what` then names.
struct OutputItem {
  std::string_view what;
  std::string_view className;  // empty except for members
  std::string_view name;
  SourcePlace place;
  bool isListPage = false;

  std::string Text() const {
    std::string text(what);
    text += " '";
    if (!className.empty()) {
      text += className;
      text += "::";
    }
    text += name;
    text += "'";
    return text;
  }
};

// The output files of a run by name, each with the item that writes it
// first, so that a second writer can be told of it. The names are views of
// the records' and settings' texts, which outlive the check.
class OutputOwners {
 public:
  OutputOwners(Project& project, std::string_view file) : project_(project), file_(file) {}

  void Claim(std::string_view output, const OutputItem& item) {
    if (output.empty()) return;
    auto [first, added] = owners_.try_emplace(output, item);
    if (added) return;
    const OutputItem& owner = first->second;
    std::string ownerText =
        owner.isListPage ? std::string(owner.what)
                         : owner.Text() + " (" +
                               PlaceText(project_, owner.place.File, owner.place.FileLine) + ")";
    Warn(project_, item.place.File, item.place.FileLine, kSharedOutputWarning,
         std::string(file_) + " '" + std::string(output) + "' of " + item.Text() +
             " is also written for " + ownerText + ", so one overwrites the other");
  }

  // The list pages are written after every item page.
  void ClaimListPage(std::string_view output, std::string_view page) {
    if (!output.empty()) owners_.try_emplace(output, OutputItem{page, {}, {}, {}, true});
  }

 private:
  Project& project_;
  std::string_view file_;  // "page" or "diagram picture"
  std::unordered_map<std::string_view, OutputItem> owners_;
};

void CheckSharedOutputs(Project& project) {
  OutputOwners pages(project, "page");
  pages.ClaimListPage(project.settings.FunctionsHTMLFile, "the functions list page");
  pages.ClaimListPage(project.settings.ClassesHTMLFile, "the classes list page");
  for (const auto& record : project.Classes) {
    pages.Claim(record->filename, {"class", {}, record->Name, record->Place});
    for (const auto& member : record->Members)
      pages.Claim(member->filename, {"member", record->Name, member->Name, member->Place});
  }
  for (const auto& record : project.Functions)
    pages.Claim(record->filename, {"function", {}, record->Name, record->Place});
  for (const auto& record : project.GeneralDocs)
    pages.Claim(record->filename, {"topic", {}, record->Name, record->Place});

  if (!project.settings.GenerateDiagrams) return;
  // The picture names are made here, so they are kept until the check ends.
  std::vector<std::string> names;
  names.reserve(project.Classes.Count());
  OutputOwners pictures(project, "diagram picture");
  for (const auto& record : project.Classes) {
    if (record->BaseClasses.empty()) continue;
    names.push_back(DiagramPictureName(record->filename));
    pictures.Claim(names.back(), {"class", {}, record->Name, record->Place});
  }
}

}  // namespace

void WarnOfConfigFile(Project& project) {
  if (!project.ConfigLacksSections) return;
  WarnOfSetting(project, kUnknownConfigWarning,
                "the file holds none of the sections of a configuration file "
                "(TavellePaths, TavelleConfig, InputFolders, FileTypes, KeyWords, "
                "HelpProjInfo), so every setting took its default");
}

void CheckAuthoring(Project& project) {
  WarnOfConfigFile(project);
  CheckAccessFilter(project);
  CheckInputFolders(project);
  CheckFileTypes(project);
  CheckCommentPrefix(project);
  CheckBaseClasses(project);
  CheckSharedOutputs(project);
  project.Warnings.SortByPlace();
}

}  // namespace tavelle
