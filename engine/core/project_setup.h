// ProjectSetup: what the user sets up for a documentation project and what
// outlives its runs: the settings and the three user lists (file types,
// key words, input folders), with the reason of the last failed list
// operation. The configuration file stores all of it.
#ifndef TAVELLE_ENGINE_CORE_PROJECT_SETUP_H_
#define TAVELLE_ENGINE_CORE_PROJECT_SETUP_H_

#include <string>

#include "engine/core/search_word.h"
#include "engine/core/settings.h"
#include "engine/core/sorted_collection.h"

namespace tavelle {

struct ProjectSetup {
  Settings settings;
  std::string ErrMsg;  // reason of the last failed list operation

  SortedCollection<SearchWord> FileTypes;
  SortedCollection<SearchWord> KeyWords;
  SortedCollection<SearchWord> InputFolders;

  // The configuration file last opened, the place of settings warnings,
  // and whether it held none of the sections a configuration has.
  std::string ConfigFile;
  bool ConfigLacksSections = false;
};

}  // namespace tavelle

#endif  // TAVELLE_ENGINE_CORE_PROJECT_SETUP_H_
