// Project: the state one engine object holds. Its setup (settings and user
// lists) and the collections a run fills: the source files, the item
// records, the search words and the register of written pages. Each stage
// of a run is a free function that takes the Project it works on and the
// Run it reports to.
#ifndef TAVELLE_ENGINE_SCAN_PROJECT_H_
#define TAVELLE_ENGINE_SCAN_PROJECT_H_

#include <vector>

#include "engine/core/project_setup.h"
#include "engine/core/search_word.h"
#include "engine/core/sorted_collection.h"
#include "engine/core/stage_times.h"
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
};

}  // namespace tavelle

#endif  // TAVELLE_ENGINE_SCAN_PROJECT_H_
