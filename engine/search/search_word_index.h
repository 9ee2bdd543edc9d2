// SearchWordIndex: chooses, for a word of page text, the search word that
// auto-linking links it to, without scanning all search words.
//
// Page generation wants, per kind of page, the first search word of a
// given name in the order "OrderID, ClassOrderID, Name" (ties in the order
// the words were stored), where OrderID ranks the word types for the page
// kind and ClassOrderID puts the words of the current class first. The
// index groups the stored words by lower-cased name once and answers that
// question per page kind and current class in constant time.
#ifndef TAVELLE_ENGINE_SEARCH_SEARCH_WORD_INDEX_H_
#define TAVELLE_ENGINE_SEARCH_SEARCH_WORD_INDEX_H_

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/core/search_word.h"
#include "engine/search/word_resolver.h"

namespace tavelle {

// The kinds of page, each with its ranking of the word types
// (Class, Function, General, Keyword):
//   class pages 0,1,2,3   function pages 1,0,2,3   general pages 1,2,0,3
enum class PageKind { kClassPages, kFunctionPages, kGeneralPages };

// The OrderID of a word type on pages of `kind` (3 for "Keyword" and any
// unknown type).
int16_t WordTypeOrder(PageKind kind, const std::string& wordType);

class SearchWordIndex {
 public:
  SearchWordIndex();
  ~SearchWordIndex();

  // Replaces the index with `words`, in the order they were stored.
  void Build(const std::vector<SearchWordRef>& words);
  void Clear();
  bool Empty() const;

  // A resolver for pages of `kind` while `currentClass` is the class whose
  // words come first (std::nullopt: no class has been paged, so every word
  // ranks alike within its type). It refers to this index.
  std::unique_ptr<WordResolver> ResolverFor(PageKind kind,
                                            std::optional<std::string> currentClass) const;

 private:
  struct NameGroup;
  class Resolver;
  struct Groups;
  std::unique_ptr<Groups> groups_;
};

}  // namespace tavelle

#endif  // TAVELLE_ENGINE_SEARCH_SEARCH_WORD_INDEX_H_
