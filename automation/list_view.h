// ListView: an in-memory report-style list, usable as the engine's message
// sink (OutputMsgBox).
//
// It offers the members a list-view control offers to automation clients:
//   ListView:  ListItems (get), SelectedItem (get/put), Refresh()
//   ListItems: Count (get), Clear(), Add() -> item, Item(i) (1-based)
//   ListItem:  Text (get/put), SubItems(i) (get/put), EnsureVisible()
// Hosts derive from it to show the rows: the command-line program prints
// each new row on Refresh, the desktop program mirrors rows into its view.
#ifndef TAVELLE_AUTOMATION_LIST_VIEW_H_
#define TAVELLE_AUTOMATION_LIST_VIEW_H_

#include <memory>
#include <string>
#include <vector>

#include "automation/object.h"

namespace automation {

class ListItem : public Object {
 public:
  bool Invoke(std::string_view member, CallKind kind, std::span<Variant> args,
              Variant& result) override;

  const std::string& text() const { return text_; }
  // Sub-item `index` (1 is the second column); empty when never set.
  std::string sub_item(size_t index) const;
  void set_text(std::string text) { text_ = std::move(text); }
  void set_sub_item(size_t index, std::string text);

 private:
  friend class ListView;
  class ListView* owner_ = nullptr;
  std::string text_;
  std::vector<std::string> sub_items_;
};

class ListView : public Object, public std::enable_shared_from_this<ListView> {
 public:
  ListView();
  ~ListView() override;

  bool Invoke(std::string_view member, CallKind kind, std::span<Variant> args,
              Variant& result) override;

  size_t RowCount() const { return rows_.size(); }
  const ListItem& Row(size_t index) const { return *rows_[index]; }  // 0-based
  std::shared_ptr<ListItem> AddRow(std::string text);
  void ClearRows();
  // 0-based position of the selected row, or -1.
  long SelectedRow() const;

 protected:
  // Hooks for hosts; called after the list changed.
  virtual void OnRefresh() {}
  virtual void OnClear() {}
  virtual void OnEnsureVisible(size_t /*row*/) {}

 private:
  friend class ListItem;
  class Items;
  void EnsureVisible(const ListItem* item);

  std::shared_ptr<Items> items_;
  std::vector<std::shared_ptr<ListItem>> rows_;
  std::shared_ptr<ListItem> selected_;
};

}  // namespace automation

#endif  // TAVELLE_AUTOMATION_LIST_VIEW_H_
