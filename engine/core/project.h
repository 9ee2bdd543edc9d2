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

  // Adds one row to the caller's message sink.
  void Log(std::string_view message) const { AddOutputMsg(settings.OutputMsgBox, message); }
};

}  // namespace tavelle

#endif  // TAVELLE_ENGINE_CORE_PROJECT_H_
