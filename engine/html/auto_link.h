// Auto-linking: known words in page text become links to their pages.
//
// LinkSearchWords spaces the tags of a text (" <" and "> "), cuts the rest
// into words and replaces every word that a WordResolver knows by that
// word's ReplaceString. Which of several words of the same name wins is the
// resolver's choice: ListResolver takes the first in a list, as the
// priority order of a page kind puts them.
#ifndef TAVELLE_ENGINE_HTML_AUTO_LINK_H_
#define TAVELLE_ENGINE_HTML_AUTO_LINK_H_

#include <string>
#include <string_view>
#include <vector>

#include "engine/core/search_word.h"
#include "engine/search/word_resolver.h"

namespace tavelle {

// Resolves by walking a list in order and taking the first word whose
// lower-cased Name matches.
class ListResolver : public WordResolver {
 public:
  explicit ListResolver(const std::vector<SearchWordRef>& words) : words_(words) {}
  const SearchWord* Resolve(std::string_view lowerWord) const override;

 private:
  const std::vector<SearchWordRef>& words_;
};

std::string LinkSearchWords(std::string_view text, const WordResolver& words);

// LinkSearchWords appending to `out`, which keeps what it held: pages are
// assembled in one string without a copy per linked field.
void AppendLinkedWords(std::string& out, std::string_view text, const WordResolver& words);

// True unless `ch` is a word character (A-Z, a-z, 0-9, "_", "%", "/").
bool IsWordSeparator(char ch);

}  // namespace tavelle

#endif  // TAVELLE_ENGINE_HTML_AUTO_LINK_H_
