// The pieces shared by the two navigation trees of a run, the sitemap list
// of the help contents file and the browser script tree, and by the help
// index file: sitemap entries, script node lines and the walk over a
// collection grouped by its items' Group.
#ifndef TAVELLE_ENGINE_HELP_HELP_TREES_H_
#define TAVELLE_ENGINE_HELP_HELP_TREES_H_

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tavelle {

// Image numbers of contents entries; folders carry none.
constexpr int16_t kNoContentsImage = -1;
constexpr int16_t kClassContentsImage = 33;
constexpr int16_t kTopicContentsImage = 35;

// The first line of every sitemap entry.
inline constexpr std::string_view kSitemapEntryStart = "<LI> <OBJECT type=\"text/sitemap\">\r\n";

// Appends `<param name="NAME" value="VALUE">` and CR LF. The value's ", &,
// < and > are written as character references: help compilers scan these
// files tag by tag, and a raw > or " would end the value early.
void AddParamLine(std::string& text, std::string_view name, std::string_view value);

// Appends one contents entry: the entry line, its Name and Local
// parameters, the ImageNumber parameter when `imageNumber` is 0 or more,
// "</OBJECT>", and "<UL>" when the entry opens a list of children.
void AddContentsNode(std::string& tree, std::string_view name, std::string_view local,
                     bool hasChildren, int16_t imageNumber);

// The script variables naming the four pictures of a kind of node:
// "Closed", "Open", "ClosedSel" and "OpenSel", then the kind, then "Image".
inline constexpr std::string_view kFolderImages = "Folder";
inline constexpr std::string_view kClassImages = "Class";
inline constexpr std::string_view kMemberImages = "Mem";
inline constexpr std::string_view kFunctionImages = "Func";
inline constexpr std::string_view kGeneralImages = "Gen";

// Advances `node` and appends the script line that adds node `node` below
// node `parent`, with `name` as its text and title and `url` as its page.
void AddScriptTreeNode(std::string& tree, int32_t& node, int32_t parent, std::string_view name,
                       std::string_view url, std::string_view imageKind);

// Calls onGroupStart(group) and onGroupEnd(group) around the items of each
// distinct Group of `items`, and onItem(item) for each item: the groups in
// ascending byte order (so the empty group comes first), the items of a
// group in collection order. Sorting once keeps this linear-logarithmic
// however many groups there are.
template <class Items, class OnGroupStart, class OnItem, class OnGroupEnd>
void ForEachItemByGroup(const Items& items, OnGroupStart onGroupStart, OnItem onItem,
                        OnGroupEnd onGroupEnd) {
  std::vector<typename Items::Ptr> sorted(items.begin(), items.end());
  std::stable_sort(sorted.begin(), sorted.end(),
                   [](const auto& a, const auto& b) { return a->Group < b->Group; });
  for (size_t first = 0; first < sorted.size();) {
    const std::string& group = sorted[first]->Group;
    size_t last = first;
    onGroupStart(group);
    while (last < sorted.size() && sorted[last]->Group == group) onItem(*sorted[last++]);
    onGroupEnd(group);
    first = last;
  }
}

// Appends the contents entries of `items`: ungrouped items first, then one
// folder per named group holding its items.
template <class Items>
void GenerateGroupedHelpTree(const Items& items, std::string& tree) {
  ForEachItemByGroup(
      items,
      [&](const std::string& group) {
        if (!group.empty()) AddContentsNode(tree, group, "", true, kNoContentsImage);
      },
      [&](const auto& item) { GenerateHelpTree(item, tree); },
      [&](const std::string& group) {
        if (!group.empty()) tree += "</UL>\r\n";
      });
}

// Appends the script nodes of `items` below node `parent`: ungrouped items
// directly, then one folder node per named group holding its items.
template <class Items>
void GenerateGroupedScriptTree(const Items& items, std::string& tree, int32_t& node,
                               int32_t parent) {
  int32_t groupParent = parent;
  ForEachItemByGroup(
      items,
      [&](const std::string& group) {
        groupParent = parent;
        if (group.empty()) return;
        AddScriptTreeNode(tree, node, parent, group, "", kFolderImages);
        groupParent = node;
      },
      [&](const auto& item) { GenerateJavaHelpTree(item, tree, node, groupParent); },
      [](const std::string&) {});
}

}  // namespace tavelle

#endif  // TAVELLE_ENGINE_HELP_HELP_TREES_H_
