#include "engine/search/search_words.h"

#include "engine/search/search_store.h"

namespace tavelle {
namespace {

// Appends the words of every record in `records`; false when a cancel
// request stopped the walk.
template <class Records>
bool AppendRecordWords(const Records& records, std::vector<SearchWordRef>& words, Run& run) {
  for (const auto& record : records) {
    if (run.CheckCancel()) return false;
    GenerateSearchWords(*record, words, run);
  }
  return true;
}

}  // namespace

void GenerateSearchWords(Project& project, Run& run) {
  project.SearchWords.clear();
  project.StoredWords.clear();
  // Without auto-linking the table is still emptied, so that nothing
  // reading it later finds the words of an earlier run.
  if (!project.settings.AutoLink) {
    SaveSearchWords(project.SearchWords, project.StoredWords, run);
    return;
  }
  run.Log("Generating SearchWords");
  // Key words go in as the very objects of the user's list.
  for (const SearchWordRef& keyWord : project.KeyWords) project.SearchWords.push_back(keyWord);
  // A cancel here leaves the table as the previous run left it.
  if (!AppendRecordWords(project.Classes, project.SearchWords, run) ||
      !AppendRecordWords(project.Functions, project.SearchWords, run) ||
      !AppendRecordWords(project.GeneralDocs, project.SearchWords, run)) {
    return;
  }
  SaveSearchWords(project.SearchWords, project.StoredWords, run);
}

}  // namespace tavelle
