// The class registry: creates automation objects by class identifier.
//
// A component library registers its classes when it is loaded (see
// ClassRegistration). CreateObject looks a class up by identifier; a class
// that is not registered yet is searched for in the component library that
// is known to provide it, in the folder of this runtime library (the build
// tree's lib/ or an installation's lib/), which is loaded on first use.
//
// Registrations of one identifier stack: the newest one creates the
// objects, and when it ends the one before it is used again. Tests rely on
// this to put a class of their own in the place of a library's class for
// the length of one test.
#ifndef TAVELLE_AUTOMATION_REGISTRY_H_
#define TAVELLE_AUTOMATION_REGISTRY_H_

#include <cstdint>
#include <functional>
#include <string>

#include "automation/variant.h"

namespace automation {

using Factory = std::function<ObjectRef()>;

// Registers `factory` on top of any earlier registration, for the life of
// the process.
void RegisterClass(const std::string& class_id, Factory factory);
// Removes every registration of the identifier.
void UnregisterClass(const std::string& class_id);

// A new object of the class, or nullptr when the class cannot be found, its
// library cannot be loaded or its factory gives no object.
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
  uint64_t number_;  // tells this registration from others of the same class
};

}  // namespace automation

#endif  // TAVELLE_AUTOMATION_REGISTRY_H_
