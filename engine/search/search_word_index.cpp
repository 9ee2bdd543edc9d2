#include "engine/search/search_word_index.h"

namespace tavelle {

struct SearchWordIndex::Groups {};

SearchWordIndex::SearchWordIndex() = default;
SearchWordIndex::~SearchWordIndex() = default;

void SearchWordIndex::Build(const std::vector<SearchWordRef>&) {}
void SearchWordIndex::Clear() {}
bool SearchWordIndex::Empty() const { return true; }

}  // namespace tavelle
