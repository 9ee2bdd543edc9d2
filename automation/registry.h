// The class registry: creates automation objects by class identifier.
//
// A component library registers its classes when it is loaded (see
// ClassRegistration). CreateObject looks a class up by identifier; a class
// that is not registered yet is searched for in the component library that
// is known to provide it, in the folder of this runtime library (the build
// tree's lib/ or an installation's lib/), which is loaded on first use.
// Tests may register a class of their own under any identifier; it takes
// the place of the library's class.
#ifndef TAVELLE_AUTOMATION_REGISTRY_H_
#define TAVELLE_AUTOMATION_REGISTRY_H_

#include <functional>
#include <string>

#include "automation/variant.h"

namespace automation {

using Factory = std::function<ObjectRef()>;

void RegisterClass(const std::string& class_id, Factory factory);
void UnregisterClass(const std::string& class_id);

// A new object of the class, or nullptr when the class cannot be found or
// its library cannot be loaded.
ObjectRef CreateObject(const std::string& class_id);

// Registers a class for as long as the object lives; a component library
// declares one at namespace scope so that loading it registers the class.
class ClassRegistration {
 public:
  ClassRegistration(std::string class_id, Factory factory);
  ~ClassRegistration();
  ClassRegistration(const ClassRegistration&) = delete;
  ClassRegistration& operator=(const ClassRegistration&) = delete;

 private:
  std::string class_id_;
};

}  // namespace automation

#endif  // TAVELLE_AUTOMATION_REGISTRY_H_
