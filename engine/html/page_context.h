// PageContext: what every page writer of a run needs besides its record.
#ifndef TAVELLE_ENGINE_HTML_PAGE_CONTEXT_H_
#define TAVELLE_ENGINE_HTML_PAGE_CONTEXT_H_

#include <string>
#include <string_view>
#include <vector>

#include "automation/variant.h"
#include "engine/scan/file_info.h"

namespace tavelle {

class WordResolver;  // engine/html/auto_link.h

struct PageContext {
  std::string_view head;               // page frame up to the body
  std::string_view tail;               // page frame after the body
  const std::string& outDir;           // OutputDirectory
  const WordResolver& words;           // search words in this page kind's priority
  const automation::ObjectRef& sink;   // OutputMsgBox
  std::vector<FileInfo>& htmlFiles;    // register of written topic pages
};

}  // namespace tavelle

#endif  // TAVELLE_ENGINE_HTML_PAGE_CONTEXT_H_
