// GenerateSearchWords: turns the key words and every record of a run into
// search words and stores them in the search-word database.
#ifndef TAVELLE_ENGINE_SEARCH_SEARCH_WORDS_H_
#define TAVELLE_ENGINE_SEARCH_SEARCH_WORDS_H_

#include "engine/core/project.h"

namespace tavelle {

void GenerateSearchWords(Project& project);

}  // namespace tavelle

#endif  // TAVELLE_ENGINE_SEARCH_SEARCH_WORDS_H_
