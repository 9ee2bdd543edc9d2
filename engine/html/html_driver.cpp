// The order of every output of a run, and the link priorities of each kind
// of page.
//
// Auto-linking takes, for each word, the first search word of that name in
// the order "OrderID, ClassOrderID, Name". The database columns are kept
// as the page kinds set them, so the table ends each run exactly as
// reordering it before every page would leave it; the links themselves come
// from the run's word index, which answers the same question per page kind
// and current class without reloading the table for every class.
#include "engine/html/html_driver.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/diagram/class_diagrams.h"
#include "engine/help/help_files.h"
#include "engine/html/auto_link.h"
#include "engine/html/list_pages.h"
#include "engine/html/page_context.h"
#include "engine/html/page_frame.h"
#include "engine/html/search_index.h"
#include "engine/search/search_store.h"
#include "engine/search/search_word_index.h"

namespace tavelle {
namespace {

// Everything a run's pages share, and the resolver of the current page kind.
class PageRun {
 public:
  explicit PageRun(Project& project) : project_(project) {
    SplitHTMLTemplate(project, head_, tail_);
  }

  // Sets the word-type order of `kind` in the database and takes the
  // matching resolver. With AutoLink off the database is left alone and
  // no word is linked.
  void EnterPageKind(PageKind kind) {
    kind_ = kind;
    if (!AutoLink()) return;
    auto order = [kind](const char* type) { return WordTypeOrder(kind, type); };
    UpdateInBackground([classOrder = order("Class"), functionOrder = order("Function"),
                        generalOrder = order("General"), keywordOrder = order("Keyword"),
                        sink = Sink()] {
      SetWordTypeOrder(classOrder, functionOrder, generalOrder, keywordOrder, sink);
    });
    resolver_ = project_.WordIndex.ResolverFor(kind_, current_class_);
  }

  // Puts the words of `className` first within their kind.
  void EnterClass(const std::string& className) {
    current_class_ = className;
    if (AutoLink()) resolver_ = project_.WordIndex.ResolverFor(kind_, current_class_);
  }

  // Stores in the database the class order that the class pages left.
  void KeepLastClassOrder() {
    if (!AutoLink() || !current_class_) return;
    UpdateInBackground([className = *current_class_, sink = Sink()] {
      SetClassOrder(className, sink);
    });
  }

  PageContext Context() {
    return PageContext{head_, tail_, project_.settings.OutputDirectory, Words(), Sink(),
                       project_.HTMLFiles};
  }

  const WordResolver& Words() const {
    if (resolver_) return *resolver_;
    return no_words_;
  }
  const std::string& Head() const { return head_; }
  const std::string& Tail() const { return tail_; }

 private:
  bool AutoLink() const { return project_.settings.AutoLink; }
  const automation::ObjectRef& Sink() const { return project_.settings.OutputMsgBox; }

  Project& project_;
  std::string head_;
  std::string tail_;
  PageKind kind_ = PageKind::kClassPages;
  std::optional<std::string> current_class_;
  std::unique_ptr<WordResolver> resolver_;
  std::vector<SearchWordRef> empty_list_;
  ListResolver no_words_{empty_list_};
};

// One page per record, each after a cancel check; false when cancelled.
template <class Records>
bool GenerateTopicPages(const Records& records, PageRun& run) {
  for (const auto& record : records) {
    if (CheckCancel()) return false;
    PageContext context = run.Context();
    record->GenerateHTML(context);
  }
  return true;
}

}  // namespace

void GenerateHTMLFiles(Project& project) {
  PageRun run(project);
  GenerateClassDiagrams(project);
  project.Stages.Mark("Diagrams");

  run.EnterPageKind(PageKind::kClassPages);
  for (const auto& classDoc : project.Classes) {
    if (CheckCancel()) return;
    run.EnterClass(classDoc->Name);
    PageContext context = run.Context();
    classDoc->GenerateHTML(context);
  }
  project.Stages.Mark("Class and member pages");

  run.EnterPageKind(PageKind::kFunctionPages);
  run.KeepLastClassOrder();
  if (!GenerateTopicPages(project.Functions, run)) return;
  project.Stages.Mark("Function pages");

  run.EnterPageKind(PageKind::kGeneralPages);
  if (!GenerateTopicPages(project.GeneralDocs, run)) return;
  project.Stages.Mark("General pages");

  if (CheckCancel()) return;
  GenerateFunctionsListFile(project, run.Head(), run.Tail(), run.Words());
  if (CheckCancel()) return;
  GenerateClassesListFile(project, run.Head(), run.Tail(), run.Words());
  project.Stages.Mark("List pages");
  if (project.settings.GenerateSearchIndex) {
    if (CheckCancel()) return;
    WriteSearchIndex(project, run.Head(), run.Tail());
    project.Stages.Mark("Search index");
  }
  GenerateHelpFiles(project);
}

void GenerateHelpFiles(Project& project) {
  struct HelpStep {
    const char* name;
    void (*generate)(Project&);
  };
  static constexpr HelpStep kSteps[] = {{"Help project file", GenerateHelpProjectFile},
                                        {"Help contents file", GenerateHelpContentFile},
                                        {"Help index file", GenerateHelpIndexFile},
                                        {"Script tree", GenerateJavaScriptTree}};
  for (const HelpStep& step : kSteps) {
    if (CheckCancel()) return;
    step.generate(project);
    project.Stages.Mark(step.name);
  }
}

}  // namespace tavelle
