// The help index file: one sitemap entry per distinct search-word name,
// listing the page of every search word of that name, placed in the
// user's index template after its first "<UL>".
#include <algorithm>
#include <utility>

#include "engine/help/help_files.h"
#include "engine/help/help_trees.h"
#include "engine/help/long_text.h"
#include "engine/help/template_text.h"

namespace tavelle {
namespace {

// The entries, names in ascending byte order (the order the database
// collates names in) and, within a name, its words in stored order.
// Working from the words this run stored, rather than querying the shared
// table name by name, keeps the step linear-logarithmic and unaffected by
// another run rewriting the table meanwhile.
void AddIndexEntries(const std::vector<SearchWordRef>& storedWords, LongText& entries) {
  std::vector<const SearchWord*> words;
  words.reserve(storedWords.size());
  for (const SearchWordRef& word : storedWords) words.push_back(word.get());
  std::stable_sort(words.begin(), words.end(),
                   [](const SearchWord* a, const SearchWord* b) { return a->Name < b->Name; });

  for (size_t i = 0; i < words.size(); ++i) {
    bool firstOfName = i == 0 || words[i]->Name != words[i - 1]->Name;
    if (firstOfName) {
      if (i > 0) entries.Piece() += "</OBJECT>\r\n";
      entries.Cut();
      entries.Piece() += kSitemapEntryStart;
    }
    AddParamLine(entries.Piece(), "Name", words[i]->Name);
    AddParamLine(entries.Piece(), "Local", words[i]->filename);
  }
  if (!words.empty()) entries.Piece() += "</OBJECT>\r\n";
}

}  // namespace

void GenerateHelpIndexFile(Project& project, Run& run) {
  const Settings& settings = project.settings;
  std::string text;
  if (!ReadHelpTemplate(run, settings.IndexFileTemplate, "Index", text)) return;
  if (text.empty()) return;

  // A template without a list gets the entries at its end.
  size_t at = AfterMarkerLine(text, "<UL>");
  if (at == std::string::npos) at = text.size();
  ProduceLongText(run.Output(), settings.IndexFile,
                  [&project, head = text.substr(0, at), tail = text.substr(at)](LongText& index) {
                    index.Piece() += head;
                    AddIndexEntries(project.StoredWords, index);
                    index.Piece() += tail;
                  });
}

}  // namespace tavelle
