// The help index file: one sitemap entry per distinct search-word name,
// listing the page of every search word of that name, placed in the
// user's index template after its first "<UL>".
#include <algorithm>
#include <utility>

#include "engine/help/help_files.h"
#include "engine/help/help_trees.h"
#include "engine/help/template_text.h"

namespace tavelle {
namespace {

// The entries, names in ascending byte order (the order the database
// collates names in) and, within a name, its words in stored order.
// Working from the words this run stored, rather than querying the shared
// table name by name, keeps the step linear-logarithmic and unaffected by
// another run rewriting the table meanwhile.
std::string IndexEntries(const std::vector<SearchWordRef>& storedWords) {
  std::vector<const SearchWord*> words;
  words.reserve(storedWords.size());
  for (const SearchWordRef& word : storedWords) words.push_back(word.get());
  std::stable_sort(words.begin(), words.end(),
                   [](const SearchWord* a, const SearchWord* b) { return a->Name < b->Name; });

  std::string entries;
  for (size_t i = 0; i < words.size(); ++i) {
    bool firstOfName = i == 0 || words[i]->Name != words[i - 1]->Name;
    if (firstOfName) {
      if (i > 0) entries += "</OBJECT>\r\n";
      entries += kSitemapEntryStart;
    }
    AddParamLine(entries, "Name", words[i]->Name);
    AddParamLine(entries, "Local", words[i]->filename);
  }
  if (!words.empty()) entries += "</OBJECT>\r\n";
  return entries;
}

}  // namespace

void GenerateHelpIndexFile(Project& project, Run& run) {
  const Settings& settings = project.settings;
  std::string text;
  if (!ReadHelpTemplate(run, settings.IndexFileTemplate, "Index", text)) return;
  if (text.empty()) return;

  // A template without a list gets the entries at its end.
  std::string entries = IndexEntries(project.StoredWords);
  if (!InsertAfterMarkerLine(text, "<UL>", entries)) text += entries;
  run.Output().Write(settings.IndexFile, std::move(text));
}

}  // namespace tavelle
