// PageContext: what every page writer of a run needs besides its record.
#ifndef TAVELLE_ENGINE_HTML_PAGE_CONTEXT_H_
#define TAVELLE_ENGINE_HTML_PAGE_CONTEXT_H_

#include <cstdint>
#include <string_view>
#include <vector>

#include "engine/core/run.h"
#include "engine/scan/file_info.h"
#include "engine/search/word_resolver.h"

namespace tavelle {

struct PageContext {
  std::string_view head;             // page frame up to the body
  std::string_view tail;             // page frame after the body
  const WordResolver& words;         // search words in this page kind's priority
  Run& run;                          // writes the page and takes its rows
  std::vector<FileInfo>& htmlFiles;  // register of written topic pages
  // Covers everything the run's pages of this kind share: the frame, the
  // search words and their priority for this page kind and class.
  uint64_t frameKey = 0;
};

}  // namespace tavelle

#endif  // TAVELLE_ENGINE_HTML_PAGE_CONTEXT_H_
