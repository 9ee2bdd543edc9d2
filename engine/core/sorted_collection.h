// SortedCollection: a 1-based collection of records kept in ascending order
// of their Name (byte-wise, case-sensitive), with the positions that the
// engine's list operations report.
//
// AddSorted inserts a record before the first one whose Name is equal or
// greater, so among equal names the newest comes first, and returns its
// 1-based position. FindByName gives the position of the first record with
// exactly that Name. Records live in blocks of bounded size so that
// inserting and finding stay cheap for hundreds of thousands of records
// while positions remain exactly those of a plain sorted list.
#ifndef TAVELLE_ENGINE_CORE_SORTED_COLLECTION_H_
#define TAVELLE_ENGINE_CORE_SORTED_COLLECTION_H_

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

namespace tavelle {

template <class T>
class SortedCollection {
 public:
  using Ptr = std::shared_ptr<T>;

  class Iterator {
   public:
    using iterator_category = std::forward_iterator_tag;
    using value_type = Ptr;
    using difference_type = std::ptrdiff_t;
    using pointer = const Ptr*;
    using reference = const Ptr&;

    Iterator() = default;
    Iterator(const std::vector<std::vector<Ptr>>* blocks, size_t block, size_t index)
        : blocks_(blocks), block_(block), index_(index) {}
    const Ptr& operator*() const { return (*blocks_)[block_][index_]; }
    const Ptr* operator->() const { return &(*blocks_)[block_][index_]; }
    Iterator& operator++() {
      if (++index_ == (*blocks_)[block_].size()) {
        ++block_;
        index_ = 0;
      }
      return *this;
    }
    Iterator operator++(int) {
      Iterator old = *this;
      ++*this;
      return old;
    }
    bool operator==(const Iterator& other) const {
      return block_ == other.block_ && index_ == other.index_;
    }

   private:
    const std::vector<std::vector<Ptr>>* blocks_ = nullptr;
    size_t block_ = 0;
    size_t index_ = 0;
  };

  size_t Count() const { return count_; }
  bool Empty() const { return count_ == 0; }
  Iterator begin() const { return Iterator(&blocks_, 0, 0); }
  Iterator end() const { return Iterator(&blocks_, blocks_.size(), 0); }

  // Inserts `record` in order and returns its 1-based position.
  int32_t AddSorted(Ptr record) {
    std::string_view name = record->Name;
    size_t block = FirstBlockNotBelow(name);
    if (block == blocks_.size()) {
      if (blocks_.empty() || blocks_.back().size() >= kMaxBlock) blocks_.emplace_back();
      blocks_.back().push_back(std::move(record));
      ++count_;
      return static_cast<int32_t>(count_);
    }
    std::vector<Ptr>& items = blocks_[block];
    auto at = LowerBound(items, name);
    size_t position = ItemsBefore(block) + static_cast<size_t>(at - items.begin()) + 1;
    items.insert(at, std::move(record));
    ++count_;
    if (items.size() > kMaxBlock) SplitBlock(block);
    return static_cast<int32_t>(position);
  }

  // Position of the first record named exactly `name`; false when none.
  bool FindByName(std::string_view name, int32_t& position) const {
    size_t block = FirstBlockNotBelow(name);
    if (block == blocks_.size()) return false;
    const std::vector<Ptr>& items = blocks_[block];
    auto at = LowerBound(items, name);
    if (at == items.end() || (*at)->Name != name) return false;
    position = static_cast<int32_t>(ItemsBefore(block) + static_cast<size_t>(at - items.begin()) + 1);
    return true;
  }

  // The first record named exactly `name`, or nullptr.
  Ptr Find(std::string_view name) const {
    size_t block = FirstBlockNotBelow(name);
    if (block == blocks_.size()) return nullptr;
    auto at = LowerBound(blocks_[block], name);
    if (at == blocks_[block].end() || (*at)->Name != name) return nullptr;
    return *at;
  }

  // The record at 1-based `position` (1 to Count()).
  const Ptr& At(size_t position) const {
    size_t index = position - 1;
    for (const auto& items : blocks_) {
      if (index < items.size()) return items[index];
      index -= items.size();
    }
    return blocks_.back().back();  // unreachable for a valid position
  }

  // Removes the record at 1-based `position` (1 to Count()).
  void RemoveAt(size_t position) {
    size_t index = position - 1;
    for (size_t block = 0; block < blocks_.size(); ++block) {
      std::vector<Ptr>& items = blocks_[block];
      if (index < items.size()) {
        items.erase(items.begin() + static_cast<std::ptrdiff_t>(index));
        if (items.empty()) blocks_.erase(blocks_.begin() + static_cast<std::ptrdiff_t>(block));
        --count_;
        return;
      }
      index -= items.size();
    }
  }

  void Clear() {
    blocks_.clear();
    count_ = 0;
  }

 private:
  static constexpr size_t kMaxBlock = 1024;

  static typename std::vector<Ptr>::const_iterator LowerBound(const std::vector<Ptr>& items,
                                                              std::string_view name) {
    return std::lower_bound(items.begin(), items.end(), name,
                            [](const Ptr& item, std::string_view key) {
                              return std::string_view(item->Name) < key;
                            });
  }
  static typename std::vector<Ptr>::iterator LowerBound(std::vector<Ptr>& items,
                                                        std::string_view name) {
    return std::lower_bound(items.begin(), items.end(), name,
                            [](const Ptr& item, std::string_view key) {
                              return std::string_view(item->Name) < key;
                            });
  }

  // The first block whose last record is not below `name`; blocks_.size()
  // when every record is below it.
  size_t FirstBlockNotBelow(std::string_view name) const {
    auto it = std::lower_bound(blocks_.begin(), blocks_.end(), name,
                               [](const std::vector<Ptr>& items, std::string_view key) {
                                 return std::string_view(items.back()->Name) < key;
                               });
    return static_cast<size_t>(it - blocks_.begin());
  }

  size_t ItemsBefore(size_t block) const {
    size_t count = 0;
    for (size_t i = 0; i < block; ++i) count += blocks_[i].size();
    return count;
  }

  void SplitBlock(size_t block) {
    std::vector<Ptr>& items = blocks_[block];
    std::vector<Ptr> upper(std::make_move_iterator(items.begin() + kMaxBlock / 2),
                           std::make_move_iterator(items.end()));
    items.resize(kMaxBlock / 2);
    blocks_.insert(blocks_.begin() + static_cast<std::ptrdiff_t>(block) + 1, std::move(upper));
  }

  std::vector<std::vector<Ptr>> blocks_;
  size_t count_ = 0;
};

}  // namespace tavelle

#endif  // TAVELLE_ENGINE_CORE_SORTED_COLLECTION_H_
