// Project: the state one engine object holds. Its settings, the three user
// lists, and the collections a run fills. Every stage of a run is a free
// function that takes the Project it works on.
#ifndef TAVELLE_ENGINE_CORE_PROJECT_H_
#define TAVELLE_ENGINE_CORE_PROJECT_H_

#include <string>
#include <string_view>
#include <vector>

#include "engine/core/message_log.h"
#include "engine/core/settings.h"
#include "engine/core/stage_times.h"
#include "engine/core/warnings.h"
#include "engine/core/sorted_collection.h"
#include "engine/scan/file_info.h"
#include "engine/scan/records.h"
#include "engine/search/search_word.h"
#include "engine/search/search_word_index.h"

namespace tavelle {

struct Project {
  Settings settings;
  bool CancelFlag = false;  // the value last written to Cancel on this object
  std::string ErrMsg;       // reason of the last failed list operation

  // The user's lists; they outlive runs.
  SortedCollection<SearchWord> FileTypes;
  SortedCollection<SearchWord> KeyWords;
  SortedCollection<SearchWord> InputFolders;

  // What a run builds; emptied at the start of the next run.
  SortedCollection<ClassDoc> Classes;
  SortedCollection<FunctionDoc> Functions;
  SortedCollection<GeneralDoc> GeneralDocs;
  std::vector<SearchWordRef> SearchWords;
  std::vector<FileInfo> SourceFiles;
  std::vector<FileInfo> HTMLFiles;
  // The search words as the database stored them in this run, and the
  // index that auto-linking resolves words with.
  std::vector<SearchWordRef> StoredWords;
  SearchWordIndex WordIndex;
  // How long each stage of the last run took.
  StageTimes Stages;
  // The authoring mistakes the last run found; emptied when a run starts.
  WarningLog Warnings;
  // Classes the access-level filter dropped in this run: members naming
  // them are no mistake.
  std::vector<std::string> RejectedClasses;
  // The configuration file last opened, the place of settings warnings,
  // and whether it held none of the sections a configuration has.
  std::string ConfigFile;
  bool ConfigLacksSections = false;

  // Adds one row to the caller's message sink.
  void Log(std::string_view message) const { AddOutputMsg(settings.OutputMsgBox, message); }

  // The path of SourceFiles[file]; empty for an index outside it.
  std::string_view SourceName(int32_t file) const {
    if (file < 0 || static_cast<size_t>(file) >= SourceFiles.size()) return {};
    return SourceFiles[static_cast<size_t>(file)].Name;
  }

  // Adds a warning about line `line` of SourceFiles[file].
  void Warn(int32_t file, int32_t line, std::string_view kind, std::string_view message) {
    Warnings.Add(SourceName(file), line, kind, message);
  }

  // "path:line", naming line `line` of SourceFiles[file].
  std::string PlaceText(int32_t file, int32_t line) const {
    return std::string(SourceName(file)) + ":" + std::to_string(line);
  }
};

}  // namespace tavelle

#endif  // TAVELLE_ENGINE_CORE_PROJECT_H_
