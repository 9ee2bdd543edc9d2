#include "engine/search/search_words.h"

namespace tavelle {

void GenerateSearchWords(Project&) {}

}  // namespace tavelle
