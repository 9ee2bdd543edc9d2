// Variant: the value type that crosses every component boundary.
//
// A Variant is empty or holds a Boolean, a 16-bit or 32-bit integer, a text
// (UTF-8) or a reference to an automation object. Conversions between the
// kinds follow the usual automation rules: numbers and texts convert both
// ways, a Boolean reads as "True"/"False" and is read back from those words
// in any letter case. A conversion that cannot be made reports failure
// instead of throwing.
#ifndef TAVELLE_AUTOMATION_VARIANT_H_
#define TAVELLE_AUTOMATION_VARIANT_H_

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace automation {

class Object;
using ObjectRef = std::shared_ptr<Object>;

class Variant {
 public:
  enum class Kind { kEmpty, kBoolean, kInt16, kInt32, kText, kObject };

  Variant() = default;
  Variant(bool value) : value_(value) {}
  Variant(int16_t value) : value_(value) {}
  Variant(int32_t value) : value_(value) {}
  Variant(std::string value) : value_(std::move(value)) {}
  Variant(std::string_view value) : value_(std::string(value)) {}
  Variant(const char* value) : value_(std::string(value)) {}
  Variant(ObjectRef value) : value_(std::move(value)) {}

  Kind kind() const { return static_cast<Kind>(value_.index()); }
  bool IsEmpty() const { return kind() == Kind::kEmpty; }

  // Conversions that may fail (text that is not a number, an object read
  // as a number, a number out of range).
  std::optional<bool> ToBool() const;
  std::optional<int32_t> ToInt32() const;
  std::optional<int16_t> ToInt16() const;
  std::optional<std::string> ToText() const;

  // Lenient forms: the converted value, or the kind's zero value when the
  // conversion fails.
  bool AsBool() const { return ToBool().value_or(false); }
  int32_t AsInt32() const { return ToInt32().value_or(0); }
  int16_t AsInt16() const { return ToInt16().value_or(0); }
  std::string AsText() const { return ToText().value_or(std::string()); }
  ObjectRef AsObject() const;

  // The text form of a Variant that holds text, without a copy; nullptr for
  // other kinds.
  const std::string* TextIf() const { return std::get_if<std::string>(&value_); }

  bool operator==(const Variant& other) const = default;

 private:
  std::variant<std::monostate, bool, int16_t, int32_t, std::string, ObjectRef>
      value_;
};

}  // namespace automation

#endif  // TAVELLE_AUTOMATION_VARIANT_H_
