// The search index of a run's output: every class, member, function,
// general topic and index entry with its kind, page, class (for members)
// and short description, cut into script files that the search script
// (search_script.h) loads with <script> elements, so that it works from
// pages opened straight from disk.
//
// A shard is keyed by the first bytes of the words of the items' names,
// folded to lower case (ASCII letters only). A word starts at the name's
// first character, after a character that is neither an ASCII letter nor
// a digit nor part of a non-ASCII character ("_", "::", spaces), and at a
// camel-case hump ("getArea", "HTMLFile"). A member's name for this is
// "Class::Member", so a member is found by the start of its class and by
// the words of its own name. The shard "tavelle-search-<hex of key>.js"
// calls
//   tavelleSearch.shard("<hex of key>", split, [[kind, name, class, page,
//   short description], ...]);
// where the page is empty when it is the name a block without "File"
// gets ("Class_Member.html", "Name.html").
// A shard that is not split holds every item with a word starting with its
// key. A split shard holds only the best items for its key as the whole
// query, and the shards one byte longer, where there are any, hold the
// rest. The files are pure
// ASCII and the same bytes for the same items.
#ifndef TAVELLE_ENGINE_HTML_SEARCH_INDEX_H_
#define TAVELLE_ENGINE_HTML_SEARCH_INDEX_H_

#include <functional>
#include <string>
#include <vector>

#include "engine/core/run.h"
#include "engine/scan/project.h"

namespace tavelle {

// The kinds in the order their results rank when they match equally well.
enum class SearchKind { kClass, kFunction, kTopic, kMember, kIndexEntry };

struct SearchItem {
  SearchKind kind = SearchKind::kClass;
  std::string name;
  std::string owner;  // the class of a member, else empty
  std::string page;
  std::string summary;
};

// One output file: its name in the output folder and its text.
struct OutputText {
  std::string name;
  std::string text;
};

// The items of a run: its classes with their members, functions, general
// topics and the index entries that name a page, in collection order.
std::vector<SearchItem> CollectSearchItems(const Project& project);

// The shards of `items`, in ascending order of their keys.
std::vector<OutputText> BuildSearchIndex(const std::vector<SearchItem>& items);

// The same shards in the same order, each handed to `emit` as it is made.
using ShardSink = std::function<void(OutputText)>;
void BuildSearchIndex(const std::vector<SearchItem>& items, const ShardSink& emit);

// The search script and the results page "tavelle-search.html", framed by the
// page template's `head` and `tail`.
std::vector<OutputText> SearchPages(const std::string& head, const std::string& tail);

// Writes the shards, the script and the results page of the project's run
// into its output folder. The items are gathered, the shards built and
// everything written by one job on the run's output queue, so `project`
// must outlive the queue (a run drains it before it returns).
void WriteSearchIndex(const Project& project, Run& run, const std::string& head,
                      const std::string& tail);

}  // namespace tavelle

#endif  // TAVELLE_ENGINE_HTML_SEARCH_INDEX_H_
