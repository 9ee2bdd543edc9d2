#include "automation/registry.h"

#include <algorithm>
#include <map>
#include <mutex>
#include <vector>

#include "automation/platform.h"

namespace automation {
namespace {

struct Registration {
  uint64_t number;
  Factory factory;
};

struct Registry {
  std::mutex mutex;
  // Per identifier, the registrations in the order they were made.
  std::map<std::string, std::vector<Registration>> classes;
  uint64_t next_number = 1;
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

uint64_t AddRegistration(const std::string& class_id, Factory factory) {
  Registry& registry = TheRegistry();
  std::lock_guard lock(registry.mutex);
  uint64_t number = registry.next_number++;
  registry.classes[class_id].push_back({number, std::move(factory)});
  return number;
}

void RemoveRegistration(const std::string& class_id, uint64_t number) {
  Registry& registry = TheRegistry();
  std::lock_guard lock(registry.mutex);
  auto it = registry.classes.find(class_id);
  if (it == registry.classes.end()) return;
  std::erase_if(it->second, [&](const Registration& r) { return r.number == number; });
  if (it->second.empty()) registry.classes.erase(it);
}

Factory FindFactory(const std::string& class_id) {
  Registry& registry = TheRegistry();
  std::lock_guard lock(registry.mutex);
  auto it = registry.classes.find(class_id);
  return it == registry.classes.end() ? Factory() : it->second.back().factory;
}

}  // namespace

void RegisterClass(const std::string& class_id, Factory factory) {
  AddRegistration(class_id, std::move(factory));
}

void UnregisterClass(const std::string& class_id) {
  Registry& registry = TheRegistry();
  std::lock_guard lock(registry.mutex);
  registry.classes.erase(class_id);
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
    : class_id_(std::move(class_id)), number_(AddRegistration(class_id_, std::move(factory))) {}

ClassRegistration::~ClassRegistration() { RemoveRegistration(class_id_, number_); }

}  // namespace automation
