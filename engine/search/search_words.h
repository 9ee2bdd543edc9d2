// GenerateSearchWords: turns the key words and every record of a run into
// search words and stores them in the search-word database. Each record
// gives one word named after it that links to its page; a class also
// gives its members' words (of type "Class", owned by the class).
#ifndef TAVELLE_ENGINE_SEARCH_SEARCH_WORDS_H_
#define TAVELLE_ENGINE_SEARCH_SEARCH_WORDS_H_

#include <string>
#include <vector>

#include "engine/core/run.h"
#include "engine/scan/project.h"
#include "engine/search/search_store.h"

namespace tavelle {

// Returns the key of the words stored (KeyOfWords), 0 when they could not
// be; `previous` is what the last run left in the table (SaveSearchWords).
uint64_t GenerateSearchWords(Project& project, Run& run, const StoredTable& previous = {});

// The words of one record, appended to `searchWords`.
void GenerateSearchWords(const ClassDoc& record, std::vector<SearchWordRef>& searchWords,
                         Run& run);
void GenerateSearchWords(const ClassMemberDoc& record, const std::string& className,
                         std::vector<SearchWordRef>& searchWords);
void GenerateSearchWords(const FunctionDoc& record, std::vector<SearchWordRef>& searchWords,
                         Run& run);
void GenerateSearchWords(const GeneralDoc& record, std::vector<SearchWordRef>& searchWords,
                         Run& run);

}  // namespace tavelle

#endif  // TAVELLE_ENGINE_SEARCH_SEARCH_WORDS_H_
