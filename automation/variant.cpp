#include "automation/variant.h"

#include <charconv>
#include <limits>

#include "automation/ascii.h"
#include "automation/object.h"

namespace automation {
namespace {

std::string_view TrimBlanksAndTabs(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

std::optional<int64_t> ParseInteger(std::string_view text) {
  text = TrimBlanksAndTabs(text);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  int64_t value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
  return value;
}

}  // namespace

std::optional<bool> Variant::ToBool() const {
  switch (kind()) {
    case Kind::kEmpty: return false;
    case Kind::kBoolean: return std::get<bool>(value_);
    case Kind::kInt16: return std::get<int16_t>(value_) != 0;
    case Kind::kInt32: return std::get<int32_t>(value_) != 0;
    case Kind::kText: {
      std::string_view text = TrimBlanksAndTabs(std::get<std::string>(value_));
      if (EqualsIgnoringAsciiCase(text, "true")) return true;
      if (EqualsIgnoringAsciiCase(text, "false")) return false;
      if (auto number = ParseInteger(text)) return *number != 0;
      return std::nullopt;
    }
    case Kind::kObject: return std::nullopt;
  }
  return std::nullopt;
}

std::optional<int32_t> Variant::ToInt32() const {
  int64_t value = 0;
  switch (kind()) {
    case Kind::kEmpty: return 0;
    case Kind::kBoolean: return std::get<bool>(value_) ? -1 : 0;
    case Kind::kInt16: return std::get<int16_t>(value_);
    case Kind::kInt32: return std::get<int32_t>(value_);
    case Kind::kText: {
      auto parsed = ParseInteger(std::get<std::string>(value_));
      if (!parsed) return std::nullopt;
      value = *parsed;
      break;
    }
    case Kind::kObject: return std::nullopt;
  }
  if (value < std::numeric_limits<int32_t>::min() || value > std::numeric_limits<int32_t>::max())
    return std::nullopt;
  return static_cast<int32_t>(value);
}

std::optional<int16_t> Variant::ToInt16() const {
  auto value = ToInt32();
  if (!value || *value < std::numeric_limits<int16_t>::min() ||
      *value > std::numeric_limits<int16_t>::max())
    return std::nullopt;
  return static_cast<int16_t>(*value);
}

std::optional<std::string> Variant::ToText() const {
  switch (kind()) {
    case Kind::kEmpty: return std::string();
    case Kind::kBoolean: return std::string(std::get<bool>(value_) ? "True" : "False");
    case Kind::kInt16: return std::to_string(std::get<int16_t>(value_));
    case Kind::kInt32: return std::to_string(std::get<int32_t>(value_));
    case Kind::kText: return std::get<std::string>(value_);
    case Kind::kObject: return std::nullopt;
  }
  return std::nullopt;
}

ObjectRef Variant::AsObject() const {
  if (auto* object = std::get_if<ObjectRef>(&value_)) return *object;
  return nullptr;
}

}  // namespace automation
