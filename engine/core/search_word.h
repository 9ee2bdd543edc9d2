// SearchWord: one named entry. It is a search word of a run (a name and
// the link that replaces it in page text), and also the element of the
// key-word, input-folder and file-type lists, which use some of its fields.
#ifndef TAVELLE_ENGINE_CORE_SEARCH_WORD_H_
#define TAVELLE_ENGINE_CORE_SEARCH_WORD_H_

#include <cstdint>
#include <memory>
#include <string>

#include "engine/core/content_key.h"

namespace tavelle {

struct SearchWord {
  int32_t ID = 0;
  std::string Name;
  std::string ReplaceString;
  std::string filename;
  std::string WordType;  // "Class", "Function", "General" or "Keyword"
  std::string Class;
  int16_t OrderID = 0;
  int16_t ClassOrderID = 0;
};

using SearchWordRef = std::shared_ptr<SearchWord>;

// Feeds every field of `word` to `key`.
inline void AddSearchWord(ContentKey& key, const SearchWord& word) {
  key.Add(word.ID).Add(word.Name).Add(word.ReplaceString).Add(word.filename);
  key.Add(word.WordType).Add(word.Class).Add(word.OrderID).Add(word.ClassOrderID);
}

}  // namespace tavelle

#endif  // TAVELLE_ENGINE_CORE_SEARCH_WORD_H_
