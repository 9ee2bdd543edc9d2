#include "engine/search/search_words.h"

#include "engine/core/message_log.h"
#include "engine/search/search_store.h"

namespace tavelle {
namespace {

// Appends the words of every record in `records`; false when a cancel
// request stopped the walk.
template <class Records>
bool AppendRecordWords(const Records& records, std::vector<SearchWordRef>& words) {
  for (const auto& record : records) {
    if (CheckCancel()) return false;
    record->GenerateSearchWords(words);
  }
  return true;
}

}  // namespace

void GenerateSearchWords(Project& project) {
  project.SearchWords.clear();
  project.StoredWords.clear();
  project.WordIndex.Clear();
  const automation::ObjectRef& sink = project.settings.OutputMsgBox;
  // Without auto-linking the table is still emptied, so that nothing
  // reading it later finds the words of an earlier run.
  if (!project.settings.AutoLink) {
    SaveSearchWords(project.SearchWords, project.StoredWords, sink);
    return;
  }
  project.Log("Generating SearchWords");
  // Key words go in as the very objects of the user's list.
  for (const SearchWordRef& keyWord : project.KeyWords) project.SearchWords.push_back(keyWord);
  // A cancel here leaves the table as the previous run left it.
  if (!AppendRecordWords(project.Classes, project.SearchWords) ||
      !AppendRecordWords(project.Functions, project.SearchWords) ||
      !AppendRecordWords(project.GeneralDocs, project.SearchWords)) {
    return;
  }
  SaveSearchWords(project.SearchWords, project.StoredWords, sink);
  project.WordIndex.Build(project.StoredWords);
}

}  // namespace tavelle
