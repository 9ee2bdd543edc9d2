// WordResolver: answers, for a word of page text, which search word it
// links to. Auto-linking asks it; the run's word index (search_word_index.h)
// answers for each kind of page.
#ifndef TAVELLE_ENGINE_SEARCH_WORD_RESOLVER_H_
#define TAVELLE_ENGINE_SEARCH_WORD_RESOLVER_H_

#include <string_view>

#include "engine/core/search_word.h"

namespace tavelle {

class WordResolver {
 public:
  virtual ~WordResolver() = default;
  // The search word that a word (already lower-cased) links to, or nullptr.
  virtual const SearchWord* Resolve(std::string_view lowerWord) const = 0;
};

}  // namespace tavelle

#endif  // TAVELLE_ENGINE_SEARCH_WORD_RESOLVER_H_
