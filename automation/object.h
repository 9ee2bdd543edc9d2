// Object: an automation object, called by member name at run time.
//
// Every call goes through Invoke with the member's name (compared without
// regard to letter case), the kind of call and the arguments. Arguments are
// passed by reference: a member may write its out-arguments back into the
// span. A property put carries the new value as its last argument; a
// property may take index arguments before it (SubItems(1) = "text").
// Invoke returns false when the object has no such member or the arguments
// do not fit; it never throws.
#ifndef TAVELLE_AUTOMATION_OBJECT_H_
#define TAVELLE_AUTOMATION_OBJECT_H_

#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "automation/variant.h"

namespace automation {

enum class CallKind { kMethod, kPropertyGet, kPropertyPut };

class Object {
 public:
  virtual ~Object() = default;

  virtual bool Invoke(std::string_view member, CallKind kind, std::span<Variant> args,
                      Variant& result) = 0;

  // The readable properties in declaration order: the object's type
  // information, for clients that list settings.
  virtual std::vector<std::string> PropertyNames() const { return {}; }

  // Convenience forms of Invoke.
  Variant Get(std::string_view property);
  bool Put(std::string_view property, Variant value);
  // Calls a method with arguments taken by value; out-arguments are lost.
  Variant Call(std::string_view method, std::initializer_list<Variant> args = {});
};

// Maps member names to dense numbers for an object's dispatch switch.
// Lookup ignores letter case, as automation clients expect.
class MemberNames {
 public:
  MemberNames(std::initializer_list<std::string_view> names);
  explicit MemberNames(const std::vector<std::string>& names);

  // The member's number (its position in the list), or -1 when unknown.
  int Find(std::string_view name) const;

 private:
  std::unordered_map<std::string, int> numbers_;
};

}  // namespace automation

#endif  // TAVELLE_AUTOMATION_OBJECT_H_
