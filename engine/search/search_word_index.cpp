#include "engine/search/search_word_index.h"

#include <algorithm>
#include <array>
#include <functional>
#include <string_view>
#include <unordered_map>
#include <utility>

#include "automation/ascii.h"

namespace tavelle {
namespace {

constexpr size_t kTypeCount = 4;
constexpr std::array<std::string_view, kTypeCount> kWordTypes = {"Class", "Function", "General",
                                                                 "Keyword"};
// OrderID of each word type (in kWordTypes order) per page kind.
constexpr std::array<std::array<int16_t, kTypeCount>, 3> kTypeOrders = {{
    {0, 1, 2, 3},  // class pages
    {1, 0, 2, 3},  // function pages
    {1, 2, 0, 3},  // general pages
}};

// Position of a word type in kWordTypes; unknown types rank as key words.
size_t TypeSlot(std::string_view wordType) {
  for (size_t slot = 0; slot + 1 < kTypeCount; ++slot) {
    if (kWordTypes[slot] == wordType) return slot;
  }
  return kTypeCount - 1;
}


struct NameHash {
  using is_transparent = void;
  size_t operator()(std::string_view name) const { return std::hash<std::string_view>()(name); }
};

}  // namespace

int16_t WordTypeOrder(PageKind kind, const std::string& wordType) {
  return kTypeOrders[static_cast<size_t>(kind)][TypeSlot(wordType)];
}

// The words of one lower-cased name, split by word type. Within a type,
// the winner is the first by (Name, storage order), preferring the words
// of the current class when it has any.
struct SearchWordIndex::NameGroup {
  struct TypeWords {
    const SearchWord* first = nullptr;
    // The first word of each class; left empty while every word of this
    // type has one class, since `first` then answers for every class.
    std::unordered_map<std::string_view, const SearchWord*> firstOfClass;

    void Add(const SearchWord* word);
    const SearchWord* Winner(const std::optional<std::string>& currentClass) const;
  };

  std::array<TypeWords, kTypeCount> types;
};

// Words are added in storage order, so a later word displaces an earlier
// one only with a Name that sorts strictly before it.
void SearchWordIndex::NameGroup::TypeWords::Add(const SearchWord* word) {
  if (!first) {
    first = word;
    return;
  }
  if (firstOfClass.empty()) {
    if (word->Class == first->Class) {
      if (word->Name < first->Name) first = word;
      return;
    }
    firstOfClass.emplace(first->Class, first);
  }
  auto [entry, added] = firstOfClass.try_emplace(word->Class, word);
  if (!added && word->Name < entry->second->Name) entry->second = word;
  if (word->Name < first->Name) first = word;
}

const SearchWord* SearchWordIndex::NameGroup::TypeWords::Winner(
    const std::optional<std::string>& currentClass) const {
  if (currentClass && !firstOfClass.empty()) {
    auto entry = firstOfClass.find(*currentClass);
    if (entry != firstOfClass.end()) return entry->second;
  }
  return first;
}

// Most words of page text are not search words, so a lookup usually
// misses. The name groups are therefore reached through a flat table of
// hashes (open addressing, power-of-two size): a miss costs one or two
// probes of adjacent slots instead of a walk through scattered map nodes.
struct SearchWordIndex::Groups {
  using Entry = std::pair<const std::string, NameGroup>;
  struct Slot {
    size_t hash = 0;
    const Entry* entry = nullptr;  // nullptr: the slot is free
  };

  std::vector<SearchWordRef> words;  // keeps the indexed words alive
  std::unordered_map<std::string, NameGroup, NameHash, std::equal_to<>> byName;
  std::vector<Slot> slots;

  // Fills `slots` from `byName`, leaving at least half of them free.
  void BuildSlots() {
    size_t size = 16;
    while (size < byName.size() * 2) size *= 2;
    slots.assign(size, Slot{});
    for (const Entry& entry : byName) {
      size_t hash = NameHash()(entry.first);
      size_t at = hash & (size - 1);
      while (slots[at].entry) at = (at + 1) & (size - 1);
      slots[at] = Slot{hash, &entry};
    }
  }

  const NameGroup* Find(std::string_view name) const {
    size_t hash = NameHash()(name);
    size_t mask = slots.size() - 1;
    for (size_t at = hash & mask; slots[at].entry; at = (at + 1) & mask) {
      if (slots[at].hash == hash && slots[at].entry->first == name) return &slots[at].entry->second;
    }
    return nullptr;
  }
};

class SearchWordIndex::Resolver : public WordResolver {
 public:
  Resolver(const Groups* groups, PageKind kind, std::optional<std::string> currentClass)
      : groups_(groups), current_class_(std::move(currentClass)) {
    for (size_t slot = 0; slot < kTypeCount; ++slot) rank_order_[slot] = slot;
    const auto& orders = kTypeOrders[static_cast<size_t>(kind)];
    std::sort(rank_order_.begin(), rank_order_.end(),
              [&](size_t a, size_t b) { return orders[a] < orders[b]; });
  }

  const SearchWord* Resolve(std::string_view lowerWord) const override {
    if (!groups_) return nullptr;
    const NameGroup* group = groups_->Find(lowerWord);
    if (!group) return nullptr;
    for (size_t slot : rank_order_) {
      if (const SearchWord* word = group->types[slot].Winner(current_class_)) return word;
    }
    return nullptr;
  }

 private:
  const Groups* groups_;
  std::optional<std::string> current_class_;
  std::array<size_t, kTypeCount> rank_order_;  // type slots, best rank first
};

SearchWordIndex::SearchWordIndex() = default;
SearchWordIndex::~SearchWordIndex() = default;

void SearchWordIndex::Build(const std::vector<SearchWordRef>& words) {
  groups_ = std::make_unique<Groups>();
  groups_->words = words;
  for (const SearchWordRef& word : groups_->words) {
    if (!word) continue;
    groups_->byName[automation::AsciiLowerCopy(word->Name)].types[TypeSlot(word->WordType)].Add(word.get());
  }
  groups_->BuildSlots();
}

void SearchWordIndex::Clear() { groups_.reset(); }

bool SearchWordIndex::Empty() const { return !groups_ || groups_->byName.empty(); }

std::unique_ptr<WordResolver> SearchWordIndex::ResolverFor(
    PageKind kind, std::optional<std::string> currentClass) const {
  return std::make_unique<Resolver>(groups_.get(), kind, std::move(currentClass));
}

}  // namespace tavelle
