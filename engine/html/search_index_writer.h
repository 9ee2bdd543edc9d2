// SearchIndexWriter: writes a run's search index (search_index.h) beside
// the run's other work. Made once the records are complete, it gathers
// the items, cuts the shards and writes them on a thread of its own, at
// the workers' lower priority, while the run's thread goes on (search
// words, pages). Finish posts on the run's output queue the job that
// waits for that thread, reports the writes that failed and writes the
// search script and results page.
//
// The topics' short descriptions are taken at once, since the pages
// flatten descriptions in place; the thread reads the names, pages and
// short descriptions of the classes, members, functions and index
// entries, which the search words and the pages leave alone, and nothing
// else may change them until the run's queue is drained. A writer that
// is destroyed without Finish (a cancelled run) stops after the file in
// hand and waits for its thread.
#ifndef TAVELLE_ENGINE_HTML_SEARCH_INDEX_WRITER_H_
#define TAVELLE_ENGINE_HTML_SEARCH_INDEX_WRITER_H_

#include <memory>
#include <string>

#include "engine/core/output_folder.h"
#include "engine/core/run.h"
#include "engine/scan/project.h"

namespace tavelle {

class SearchIndexWriter {
 public:
  SearchIndexWriter(const Project& project, OutputFolder& output);
  ~SearchIndexWriter();
  SearchIndexWriter(const SearchIndexWriter&) = delete;
  SearchIndexWriter& operator=(const SearchIndexWriter&) = delete;

  // `head` and `tail` frame the results page, as the page template does.
  void Finish(Run& run, const std::string& head, const std::string& tail);

 private:
  class Builder;
  std::shared_ptr<Builder> builder_;
  bool finished_ = false;
};

}  // namespace tavelle

#endif  // TAVELLE_ENGINE_HTML_SEARCH_INDEX_WRITER_H_
