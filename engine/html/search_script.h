// The search script that the output's pages load: it turns
// <div id="tavelle-search"></div> into a search box with results while
// typing, and fills <div id="tavelle-search-results"></div> on the results
// page. It loads the shards of search_index.h beside itself, keeps each
// one after its first use, ranks the items of the last one a query needs
// (exact name, prefix, word start, substring; then kind, then name) and
// shows every result as text. It brings its own style sheet, put first in
// the page's head so that a template's rules win.
#ifndef TAVELLE_ENGINE_HTML_SEARCH_SCRIPT_H_
#define TAVELLE_ENGINE_HTML_SEARCH_SCRIPT_H_

#include <string_view>

namespace tavelle {

inline constexpr char kSearchScriptFile[] = "tavelle-search.js";

extern const std::string_view kSearchScript;

}  // namespace tavelle

#endif  // TAVELLE_ENGINE_HTML_SEARCH_SCRIPT_H_
