#include "automation/list_view.h"

namespace automation {

// The ListItems collection of a ListView.
class ListView::Items : public Object {
 public:
  explicit Items(ListView* owner) : owner_(owner) {}

  // A client may hold the collection longer than the list view lives.
  void Detach() { owner_ = nullptr; }

  bool Invoke(std::string_view member, CallKind kind, std::span<Variant> args,
              Variant& result) override {
    static const MemberNames names = {"Count", "Clear", "Add", "Item"};
    if (owner_ == nullptr) return false;
    switch (names.Find(member)) {
      case 0:
        if (kind != CallKind::kPropertyGet) return false;
        result = static_cast<int32_t>(owner_->rows_.size());
        return true;
      case 1:
        owner_->ClearRows();
        return true;
      case 2:
        result = ObjectRef(owner_->AddRow(args.empty() ? std::string() : args[0].AsText()));
        return true;
      case 3: {
        if (args.empty()) return false;
        auto index = args[0].ToInt32();
        if (!index || *index < 1 || static_cast<size_t>(*index) > owner_->rows_.size()) return false;
        result = ObjectRef(owner_->rows_[*index - 1]);
        return true;
      }
      default:
        return false;
    }
  }

 private:
  ListView* owner_;
};

bool ListItem::Invoke(std::string_view member, CallKind kind, std::span<Variant> args,
                      Variant& result) {
  static const MemberNames names = {"Text", "SubItems", "EnsureVisible"};
  switch (names.Find(member)) {
    case 0:
      if (kind == CallKind::kPropertyPut) {
        if (args.empty()) return false;
        text_ = args.back().AsText();
      } else {
        result = text_;
      }
      return true;
    case 1: {
      if (args.empty()) return false;
      auto index = args[0].ToInt32();
      if (!index || *index < 1) return false;
      if (kind == CallKind::kPropertyPut) {
        if (args.size() < 2) return false;
        set_sub_item(static_cast<size_t>(*index), args.back().AsText());
      } else {
        result = sub_item(static_cast<size_t>(*index));
      }
      return true;
    }
    case 2:
      if (owner_ != nullptr) owner_->EnsureVisible(this);
      return true;
    default:
      return false;
  }
}

std::string ListItem::sub_item(size_t index) const {
  return index >= 1 && index <= sub_items_.size() ? sub_items_[index - 1] : std::string();
}

void ListItem::set_sub_item(size_t index, std::string text) {
  if (index == 0) return;
  if (sub_items_.size() < index) sub_items_.resize(index);
  sub_items_[index - 1] = std::move(text);
}

ListView::ListView() : items_(std::make_shared<Items>(this)) {}

ListView::~ListView() {
  items_->Detach();
  for (auto& row : rows_) row->owner_ = nullptr;
}

bool ListView::Invoke(std::string_view member, CallKind kind, std::span<Variant> args,
                      Variant& result) {
  static const MemberNames names = {"ListItems", "SelectedItem", "Refresh"};
  switch (names.Find(member)) {
    case 0:
      if (kind != CallKind::kPropertyGet) return false;
      result = ObjectRef(items_);
      return true;
    case 1:
      if (kind == CallKind::kPropertyPut) {
        if (args.empty()) return false;
        selected_ = std::dynamic_pointer_cast<ListItem>(args.back().AsObject());
      } else {
        result = ObjectRef(selected_);
      }
      return true;
    case 2:
      OnRefresh();
      return true;
    default:
      return false;
  }
}

std::shared_ptr<ListItem> ListView::AddRow(std::string text) {
  auto row = std::make_shared<ListItem>();
  row->owner_ = this;
  row->text_ = std::move(text);
  rows_.push_back(row);
  return row;
}

void ListView::ClearRows() {
  for (auto& row : rows_) row->owner_ = nullptr;
  rows_.clear();
  selected_.reset();
  OnClear();
}

long ListView::SelectedRow() const {
  for (size_t i = 0; i < rows_.size(); ++i)
    if (rows_[i] == selected_) return static_cast<long>(i);
  return -1;
}

void ListView::EnsureVisible(const ListItem* item) {
  // The row asked for is nearly always the last one.
  for (size_t i = rows_.size(); i-- > 0;) {
    if (rows_[i].get() == item) {
      OnEnsureVisible(i);
      return;
    }
  }
}

}  // namespace automation
