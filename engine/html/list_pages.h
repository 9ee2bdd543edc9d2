// List pages and group tables: items shown in one table per Group, and the
// functions and classes list pages built from them.
#ifndef TAVELLE_ENGINE_HTML_LIST_PAGES_H_
#define TAVELLE_ENGINE_HTML_LIST_PAGES_H_

#include <memory>
#include <string>

#include "engine/core/run.h"
#include "engine/core/sorted_collection.h"
#include "engine/scan/project.h"

namespace tavelle {

class WordResolver;

// One distinct Group text of a collection.
struct GroupName {
  std::string Name;
};

// Adds to `groups` every Group of `items` that it does not hold yet; the
// groups stay in ascending order, the empty group first.
template <class Items>
void CollectGroups(SortedCollection<GroupName>& groups, const Items& items) {
  for (const auto& item : items) {
    int32_t position = 0;
    if (!groups.FindByName(item->Group, position))
      groups.AddSorted(std::make_shared<GroupName>(GroupName{item->Group}));
  }
}

// Appends one table per group of `items` to `html`. Stops at a cancel
// request, leaving the open table as it is.
template <class Items>
void GenerateGroupTables(const Items& items, std::string& html, const WordResolver& words,
                         Run& run);

void GenerateFunctionsListFile(Project& project, Run& run, const std::string& head,
                               const std::string& tail, const WordResolver& words);
void GenerateClassesListFile(Project& project, Run& run, const std::string& head,
                             const std::string& tail, const WordResolver& words);

}  // namespace tavelle

#endif  // TAVELLE_ENGINE_HTML_LIST_PAGES_H_
