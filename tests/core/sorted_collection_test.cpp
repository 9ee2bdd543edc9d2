#include <gtest/gtest.h>

#include <random>

#include "engine/core/sorted_collection.h"

namespace {

using tavelle::SortedCollection;

struct Named {
  std::string Name;
};

// The straightforward list the collection must agree with: a linear scan
// that inserts before the first name that is equal or greater.
int32_t ReferenceAdd(std::vector<std::shared_ptr<Named>>& list, std::shared_ptr<Named> record) {
  size_t at = 0;
  while (at < list.size() && list[at]->Name < record->Name) ++at;
  list.insert(list.begin() + static_cast<std::ptrdiff_t>(at), std::move(record));
  return static_cast<int32_t>(at + 1);
}

int32_t ReferenceFind(const std::vector<std::shared_ptr<Named>>& list, const std::string& name) {
  for (size_t i = 0; i < list.size(); ++i)
    if (list[i]->Name == name) return static_cast<int32_t>(i + 1);
  return 0;
}

std::vector<std::shared_ptr<Named>> Contents(const SortedCollection<Named>& collection) {
  return {collection.begin(), collection.end()};
}

TEST(SortedCollection, AgreesWithAPlainSortedListOnRandomInput) {
  std::mt19937 random(20240601);
  // Short names over a small alphabet (capitals, small letters, a byte
  // above 127) give many duplicates and case pairs.
  const std::string alphabet = "aAbB\xc3z";
  auto random_name = [&] {
    std::string name(1 + random() % 3, ' ');
    for (char& c : name) c = alphabet[random() % alphabet.size()];
    return name;
  };

  SortedCollection<Named> collection;
  std::vector<std::shared_ptr<Named>> reference;
  for (int i = 0; i < 6000; ++i) {
    auto record = std::make_shared<Named>(Named{random_name()});
    ASSERT_EQ(collection.AddSorted(record), ReferenceAdd(reference, record)) << i;
  }
  ASSERT_EQ(Contents(collection), reference) << "same records in the same order";

  for (int i = 0; i < 4000; ++i) {
    size_t position = 1 + random() % reference.size();
    ASSERT_EQ(collection.At(position), reference[position - 1]);
    collection.RemoveAt(position);
    reference.erase(reference.begin() + static_cast<std::ptrdiff_t>(position - 1));
  }
  EXPECT_EQ(collection.Count(), reference.size());
  EXPECT_EQ(Contents(collection), reference);

  for (int i = 0; i < 300; ++i) {
    std::string name = random_name();
    int32_t position = -7;
    bool found = collection.FindByName(name, position);
    int32_t expected = ReferenceFind(reference, name);
    ASSERT_EQ(found, expected != 0) << name;
    EXPECT_EQ(position, found ? expected : -7) << "a miss leaves the position alone";
    EXPECT_EQ(collection.Find(name), found ? reference[expected - 1] : nullptr);
  }

  collection.Clear();
  EXPECT_TRUE(collection.Empty());
  EXPECT_EQ(collection.begin(), collection.end());
  EXPECT_EQ(collection.AddSorted(std::make_shared<Named>(Named{"x"})), 1);
}

}  // namespace
