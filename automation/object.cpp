#include "automation/object.h"

#include <vector>

#include "automation/ascii.h"

namespace automation {

Variant Object::Get(std::string_view property) {
  Variant result;
  Invoke(property, CallKind::kPropertyGet, {}, result);
  return result;
}

bool Object::Put(std::string_view property, Variant value) {
  Variant result;
  return Invoke(property, CallKind::kPropertyPut, std::span<Variant>(&value, 1), result);
}

Variant Object::Call(std::string_view method, std::initializer_list<Variant> args) {
  std::vector<Variant> copies(args);
  Variant result;
  Invoke(method, CallKind::kMethod, copies, result);
  return result;
}

MemberNames::MemberNames(std::initializer_list<std::string_view> names) {
  int number = 0;
  for (std::string_view name : names) numbers_.emplace(AsciiLowerCopy(name), number++);
}

MemberNames::MemberNames(const std::vector<std::string>& names) {
  int number = 0;
  for (const std::string& name : names) numbers_.emplace(AsciiLowerCopy(name), number++);
}

int MemberNames::Find(std::string_view name) const {
  auto it = numbers_.find(AsciiLowerCopy(name));
  return it == numbers_.end() ? -1 : it->second;
}

}  // namespace automation
