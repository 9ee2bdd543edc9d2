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

namespace tavelle {

void GenerateSearchWords(Project& project, Run& run);

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
