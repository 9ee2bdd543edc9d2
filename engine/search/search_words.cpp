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

uint64_t GenerateSearchWords(Project& project, Run& run, const StoredTable& previous) {
  project.SearchWords.clear();
  project.StoredWords.clear();
  // Without auto-linking the table is still emptied, so that nothing
  // reading it later finds the words of an earlier run.
  if (project.settings.AutoLink) {
    run.Log("Generating SearchWords");
    // Key words go in as the very objects of the user's list.
    for (const SearchWordRef& keyWord : project.KeyWords) project.SearchWords.push_back(keyWord);
    // A cancel here leaves the table as the previous run left it.
    if (!AppendRecordWords(project.Classes, project.SearchWords, run) ||
        !AppendRecordWords(project.Functions, project.SearchWords, run) ||
        !AppendRecordWords(project.GeneralDocs, project.SearchWords, run)) {
      return 0;
    }
  }
  uint64_t key = KeyOfWords(project.SearchWords);
  const FileStamp* heldSince = previous.words == key ? &previous.database : nullptr;
  return SaveSearchWords(project.SearchWords, project.StoredWords, run, heldSince) ? key : 0;
}

}  // namespace tavelle
