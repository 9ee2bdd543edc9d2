#include "automation/registry.h"

#include <map>
#include <mutex>

#include "automation/platform.h"

namespace automation {
namespace {

struct Registry {
  std::mutex mutex;
  std::map<std::string, Factory> factories;
};

Registry& TheRegistry() {
  static Registry* registry = new Registry;  // never destroyed: libraries unload late
  return *registry;
}

// Which component library provides each known class.
const char* LibraryOf(const std::string& class_id) {
  static const std::map<std::string, const char*> libraries = {
      {"Corvane.Tavelle", "corvane"},
      {"StoweProj.Stowe", "stowe"},
      {"Brushwell.Pintrel", "pintrel"},
  };
  auto it = libraries.find(class_id);
  return it == libraries.end() ? nullptr : it->second;
}

Factory FindFactory(const std::string& class_id) {
  Registry& registry = TheRegistry();
  std::lock_guard lock(registry.mutex);
  auto it = registry.factories.find(class_id);
  return it == registry.factories.end() ? Factory() : it->second;
}

}  // namespace

void RegisterClass(const std::string& class_id, Factory factory) {
  Registry& registry = TheRegistry();
  std::lock_guard lock(registry.mutex);
  registry.factories[class_id] = std::move(factory);
}

void UnregisterClass(const std::string& class_id) {
  Registry& registry = TheRegistry();
  std::lock_guard lock(registry.mutex);
  registry.factories.erase(class_id);
}

ObjectRef CreateObject(const std::string& class_id) {
  Factory factory = FindFactory(class_id);
  if (!factory) {
    const char* library = LibraryOf(class_id);
    if (library == nullptr || !LoadComponentLibrary(library)) return nullptr;
    factory = FindFactory(class_id);
    if (!factory) return nullptr;
  }
  return factory();
}

ClassRegistration::ClassRegistration(std::string class_id, Factory factory)
    : class_id_(std::move(class_id)) {
  RegisterClass(class_id_, std::move(factory));
}

ClassRegistration::~ClassRegistration() { UnregisterClass(class_id_); }

}  // namespace automation
