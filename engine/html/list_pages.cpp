// Group tables and the two list pages.
//
// The items are sorted into their groups in one pass (a group's items keep
// the collection's order), so a table set costs one lookup per item rather
// than one walk of all items per group.
#include "engine/html/list_pages.h"

#include <utility>
#include <vector>

#include "engine/core/html_text.h"
#include "engine/html/auto_link.h"
#include "engine/html/page_frame.h"

namespace tavelle {
namespace {

template <class Item>
void AppendRow(std::string& html, const Item& item, const WordResolver& words) {
  html += "  <tr>\r\n<td width=\"35%\"><H3><a href='";
  AppendSingleQuotedHTMLText(html, item.filename);
  html += "'>";
  AppendHTMLText(html, item.Name);
  html += "</a></H3></td>\r\n<td width=\"50%\"><H3>";
  // The short description is linked as it stands, not converted to HTML.
  AppendLinkedWords(html, item.ShortDescription, words);
  html += "</H3></td>\r\n  </tr>\r\n";
}

}  // namespace

template <class Items>
void GenerateGroupTables(const Items& items, std::string& html, const WordResolver& words,
                         Run& run) {
  SortedCollection<GroupName> groups;
  CollectGroups(groups, items);
  std::vector<std::vector<const typename Items::Ptr::element_type*>> members(groups.Count());
  for (const auto& item : items) {
    int32_t position = 0;
    if (groups.FindByName(item->Group, position)) members[position - 1].push_back(item.get());
  }

  size_t index = 0;
  for (const auto& group : groups) {
    if (run.CheckCancel()) return;
    html += "<center><H2>";
    AppendHTMLText(html, group->Name);
    html += "</H2><table border=\"1\" width=\"80%\">\r\n";
    for (const auto* item : members[index++]) {
      if (run.CheckCancel()) return;
      AppendRow(html, *item, words);
    }
    html += "</table></center><br><br>";
  }
}

template void GenerateGroupTables(const SortedCollection<ClassDoc>&, std::string&,
                                  const WordResolver&, Run&);
template void GenerateGroupTables(const SortedCollection<ClassMemberDoc>&, std::string&,
                                  const WordResolver&, Run&);
template void GenerateGroupTables(const SortedCollection<FunctionDoc>&, std::string&,
                                  const WordResolver&, Run&);

namespace {

// The fixed texts of one list page.
struct ListPageTexts {
  std::string_view title;
  std::string_view heading;
  std::string_view createdMessage;
};

// A list page: the framed heading and the group tables of `items`. An
// empty file name means the page is not wanted.
template <class Items>
void WriteListPage(Run& run, const std::string& fileName, const Items& items,
                   const ListPageTexts& texts, const std::string& head, const std::string& tail,
                   const WordResolver& words) {
  if (fileName.empty()) return;
  std::string page = InsertTitle(head, texts.title);
  page += texts.heading;
  GenerateGroupTables(items, page, words, run);
  page += tail;
  run.Output().Write(fileName, std::move(page), texts.createdMessage);
}

}  // namespace

void GenerateFunctionsListFile(Project& project, Run& run, const std::string& head,
                               const std::string& tail, const WordResolver& words) {
  static constexpr ListPageTexts kTexts = {"Function List",
                                           "<center><H1>Functions</H1></center><br>\r\n",
                                           "Created Functions File: "};
  WriteListPage(run, project.settings.FunctionsHTMLFile, project.Functions, kTexts, head,
                tail, words);
}

void GenerateClassesListFile(Project& project, Run& run, const std::string& head,
                             const std::string& tail, const WordResolver& words) {
  static constexpr ListPageTexts kTexts = {"Classes List",
                                           "<center><H1>Classes</H1></center><br>\r\n",
                                           "Created Classes File: "};
  WriteListPage(run, project.settings.ClassesHTMLFile, project.Classes, kTexts, head, tail,
                words);
}

}  // namespace tavelle
