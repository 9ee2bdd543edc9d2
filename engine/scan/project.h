// Project: the state one engine object holds. Its setup (settings and user
// lists) and the collections a run fills: the source files, the item
// records, the search words, the register of written pages and the
// warnings. Each stage of a run is a free function that takes the Project
// it works on and the Run it reports to.
#ifndef TAVELLE_ENGINE_SCAN_PROJECT_H_
#define TAVELLE_ENGINE_SCAN_PROJECT_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/core/project_setup.h"
#include "engine/core/search_word.h"
#include "engine/core/sorted_collection.h"
#include "engine/core/stage_times.h"
#include "engine/core/warnings.h"
#include "engine/scan/file_info.h"
#include "engine/scan/records.h"

namespace tavelle {

struct Project : ProjectSetup {
  bool CancelFlag = false;  // the value last written to Cancel on this object

  // What a run builds; emptied at the start of the next run.
  SortedCollection<ClassDoc> Classes;
  SortedCollection<FunctionDoc> Functions;
  SortedCollection<GeneralDoc> GeneralDocs;
  std::vector<SearchWordRef> SearchWords;
  std::vector<FileInfo> SourceFiles;
  std::vector<FileInfo> HTMLFiles;
  // The search words as the database stored them in this run.
  std::vector<SearchWordRef> StoredWords;
  // How long each stage of the last run took.
  StageTimes Stages;
  // The authoring mistakes the last run found; emptied when a run starts.
  WarningLog Warnings;
  // Classes the access-level filter dropped in this run: members naming
  // them are no mistake.
  std::vector<std::string> RejectedClasses;
  // The tree pictures the records of each kind share.
  struct {
    NodeImagesRef Class, Member, Function, General;
  } RecordImages;
};

// The path of SourceFiles[file]; empty for an index outside it.
inline std::string_view SourceName(const Project& project, int32_t file) {
  if (file < 0 || static_cast<size_t>(file) >= project.SourceFiles.size()) return {};
  return project.SourceFiles[static_cast<size_t>(file)].Name;
}

// Adds a warning about line `line` of SourceFiles[file].
inline void Warn(Project& project, int32_t file, int32_t line, std::string_view kind,
                 std::string_view message) {
  project.Warnings.Add(SourceName(project, file), line, kind, message);
}

// "path:line", naming line `line` of SourceFiles[file].
inline std::string PlaceText(const Project& project, int32_t file, int32_t line) {
  return std::string(SourceName(project, file)) + ":" + std::to_string(line);
}

}  // namespace tavelle

#endif  // TAVELLE_ENGINE_SCAN_PROJECT_H_
