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
// camel-case hump ("getArea", "HTMLFile"). A member is found by the words
// of its own name; for "Class::" queries its class's record lists the
// class's members, and the class is indexed once more under its name and
// "::". The shard "tavelle-search-<hex of key>.js" calls
//   tavelleSearch.shard("<hex of key>", split, [[kind, name, class, page,
//   short description], ...]);
// where the page is empty when it is the name a block without "File"
// gets ("Class_Member.html", "Name.html"). A class with members has a
// sixth field, [[member name, page, short description], ...], in the
// shard its "class::" key leads to: the unsplit shard holding that key, or
// the split shard of exactly that key; elsewhere it has the five.
// A shard that is not split holds every item with a word starting with its
// key. A split shard holds only the best items for its key as the whole
// query, and the shards one byte longer, where there are any, hold the
// rest. The files are pure ASCII and the same bytes for the same items.
#ifndef TAVELLE_ENGINE_HTML_SEARCH_INDEX_H_
#define TAVELLE_ENGINE_HTML_SEARCH_INDEX_H_

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/scan/project.h"

namespace tavelle {

// The kinds in the order their results rank when they match equally well.
enum class SearchKind { kClass, kFunction, kTopic, kMember, kIndexEntry };

// An item's texts are views: what holds them (the project's records) must
// outlive it.
struct SearchItem {
  SearchKind kind = SearchKind::kClass;
  std::string_view name;
  std::string_view owner;  // the class of a member, else empty
  std::string_view page;
  std::string_view summary;
};

// One output file: its name in the output folder and its text.
struct OutputText {
  std::string name;
  std::string text;
};

// The first line of each general topic's description once flattened as
// its page flattens it, in collection order: the topics' short
// descriptions. Taken before the pages, which flatten the descriptions in
// place.
std::vector<std::string> TopicSummaries(const Project& project);

// The items of a run: its classes with their members, functions, general
// topics (with `topicSummaries`) and the index entries that name a page,
// in collection order, as long as the project's records and
// `topicSummaries` stay as they are.
std::vector<SearchItem> CollectSearchItems(const Project& project,
                                           const std::vector<std::string>& topicSummaries);

// Hands `sink` the shards of `items`, each as soon as it is made, in
// ascending order of their keys, so that they need not all be held at
// once. A class's members are the member items right after it that name
// it as their class.
using ShardSink = std::function<void(OutputText shard)>;
void BuildSearchIndex(const std::vector<SearchItem>& items, const ShardSink& sink);

// The same shards, all together.
std::vector<OutputText> BuildSearchIndex(const std::vector<SearchItem>& items);

// The search script and the results page "tavelle-search.html", framed by the
// page template's `head` and `tail`.
std::vector<OutputText> SearchPages(const std::string& head, const std::string& tail);

}  // namespace tavelle

#endif  // TAVELLE_ENGINE_HTML_SEARCH_INDEX_H_
