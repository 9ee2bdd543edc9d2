// The order of every output of a run, and the link priorities of each kind
// of page.
//
// Auto-linking takes, for each word, the first search word of that name in
// the order "OrderID, ClassOrderID, Name". The database columns are kept
// as the page kinds set them, so the table ends each run exactly as
// reordering it before every page would leave it; the links themselves come
// from the run's word index, which answers the same question per page kind
// and current class without reloading the table for every class.
#include "engine/pipeline/html_driver.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/core/content_key.h"
#include "engine/diagram/class_diagrams.h"
#include "engine/help/help_files.h"
#include "engine/help/template_text.h"
#include "engine/html/auto_link.h"
#include "engine/html/list_pages.h"
#include "engine/html/page_context.h"
#include "engine/html/page_frame.h"
#include "engine/html/topic_pages.h"
#include "engine/search/search_store.h"
#include "engine/search/search_word_index.h"

namespace tavelle {
namespace {

// Everything a run's pages share, and the resolver of the current page kind.
class PageRun {
 public:
  PageRun(Project& project, Run& run) : project_(project), run_(run) {
    SplitHTMLTemplate(project, run, head_, tail_);
    InsertProjectTitle(head_, project.settings.ProjectTitle, true);
    InsertProjectTitle(tail_, project.settings.ProjectTitle, true);
    if (AutoLink()) word_index_.Build(project.StoredWords);
    words_key_ = WordsKey(project, head_, tail_);
    UpdateFrameKey();
  }

  // Sets the word-type order of `kind` in the database and takes the
  // matching resolver. With AutoLink off the database is left alone and
  // no word is linked.
  void EnterPageKind(PageKind kind) {
    kind_ = kind;
    if (!AutoLink()) return;
    auto order = [kind](const char* type) { return WordTypeOrder(kind, type); };
    UpdateInBackground(run_, [classOrder = order("Class"), functionOrder = order("Function"),
                              generalOrder = order("General"),
                              keywordOrder = order("Keyword")](RunReport& report) {
      SetWordTypeOrder(classOrder, functionOrder, generalOrder, keywordOrder, report);
    });
    resolver_ = word_index_.ResolverFor(kind_, current_class_);
    UpdateFrameKey();
  }

  // Puts the words of `className` first within their kind.
  void EnterClass(const std::string& className) {
    current_class_ = className;
    if (AutoLink()) resolver_ = word_index_.ResolverFor(kind_, current_class_);
    UpdateFrameKey();
  }

  // Stores in the database the class order that the class pages left.
  void KeepLastClassOrder() {
    if (!AutoLink() || !current_class_) return;
    UpdateInBackground(run_, [className = *current_class_](RunReport& report) {
      SetClassOrder(className, report);
    });
  }

  PageContext Context() {
    return PageContext{head_, tail_, Words(), run_, project_.HTMLFiles, frame_key_};
  }

  // Lets the word index go once no page is left to link.
  void ForgetWords() {
    resolver_.reset();
    word_index_.Clear();
  }

  const WordResolver& Words() const {
    if (resolver_) return *resolver_;
    return no_words_;
  }
  const std::string& Head() const { return head_; }
  const std::string& Tail() const { return tail_; }

 private:
  bool AutoLink() const { return project_.settings.AutoLink; }

  // The page frame and, when pages are linked, every stored word.
  static uint64_t WordsKey(const Project& project, const std::string& head,
                           const std::string& tail) {
    ContentKey key;
    key.Add(head).Add(tail).Add(project.settings.AutoLink);
    if (!project.settings.AutoLink) return key.Value();
    for (const SearchWordRef& word : project.StoredWords) AddSearchWord(key, *word);
    return key.Value();
  }

  void UpdateFrameKey() {
    ContentKey key;
    key.Add(static_cast<int64_t>(words_key_)).Add(static_cast<int64_t>(kind_));
    key.Add(current_class_ ? *current_class_ : std::string_view()).Add(current_class_.has_value());
    frame_key_ = key.Value();
  }

  Project& project_;
  Run& run_;
  // The run's stored words, grouped for auto-linking.
  SearchWordIndex word_index_;
  std::string head_;
  std::string tail_;
  PageKind kind_ = PageKind::kClassPages;
  std::optional<std::string> current_class_;
  uint64_t words_key_ = 0;
  uint64_t frame_key_ = 0;
  std::unique_ptr<WordResolver> resolver_;
  std::vector<SearchWordRef> empty_list_;
  ListResolver no_words_{empty_list_};
};

// One page per record, each after a cancel check; false when cancelled.
template <class Records>
bool GenerateTopicPages(const Records& records, PageRun& pages, Run& run) {
  for (const auto& record : records) {
    if (run.CheckCancel()) return false;
    PageContext context = pages.Context();
    GenerateHTML(*record, context);
    run.AdvanceProgress();
  }
  return true;
}

}  // namespace

void GenerateHTMLFiles(Project& project, Run& run, SearchIndexWriter* search) {
  // The search index is built beside the pages and written after them.
  std::optional<SearchIndexWriter> ownSearch;
  if (!search && project.settings.GenerateSearchIndex)
    search = &ownSearch.emplace(project, run.Output());
  PageRun pages(project, run);
  GenerateClassDiagrams(project, run);
  project.Stages.Mark("Diagrams");

  int64_t pageCount =
      static_cast<int64_t>(project.Functions.Count() + project.GeneralDocs.Count());
  for (const auto& classDoc : project.Classes)
    pageCount += 1 + static_cast<int64_t>(classDoc->Members.Count());
  run.SetProgress("Writing pages", 0, pageCount);
  project.HTMLFiles.reserve(project.HTMLFiles.size() + static_cast<size_t>(pageCount));
  pages.EnterPageKind(PageKind::kClassPages);
  for (const auto& classDoc : project.Classes) {
    if (run.CheckCancel()) return;
    pages.EnterClass(classDoc->Name);
    PageContext context = pages.Context();
    GenerateHTML(*classDoc, context);
    run.AdvanceProgress(1 + static_cast<int64_t>(classDoc->Members.Count()));
  }
  project.Stages.Mark("Class and member pages");

  pages.EnterPageKind(PageKind::kFunctionPages);
  pages.KeepLastClassOrder();
  if (!GenerateTopicPages(project.Functions, pages, run)) return;
  project.Stages.Mark("Function pages");

  pages.EnterPageKind(PageKind::kGeneralPages);
  if (!GenerateTopicPages(project.GeneralDocs, pages, run)) return;
  project.Stages.Mark("General pages");

  if (run.CheckCancel()) return;
  GenerateFunctionsListFile(project, run, pages.Head(), pages.Tail(), pages.Words());
  if (run.CheckCancel()) return;
  GenerateClassesListFile(project, run, pages.Head(), pages.Tail(), pages.Words());
  pages.ForgetWords();
  project.Stages.Mark("List pages");
  if (search) {
    if (run.CheckCancel()) return;
    search->Finish(run, pages.Head(), pages.Tail());
    project.Stages.Mark("Search index");
  }
  GenerateHelpFiles(project, run);
}

void GenerateHelpFiles(Project& project, Run& run) {
  struct HelpStep {
    const char* name;
    void (*generate)(Project&, Run&);
  };
  static constexpr HelpStep kSteps[] = {{"Help project file", GenerateHelpProjectFile},
                                        {"Help contents file", GenerateHelpContentFile},
                                        {"Help index file", GenerateHelpIndexFile},
                                        {"Script tree", GenerateJavaScriptTree}};
  for (const HelpStep& step : kSteps) {
    if (run.CheckCancel()) return;
    step.generate(project, run);
    project.Stages.Mark(step.name);
  }
}

}  // namespace tavelle
