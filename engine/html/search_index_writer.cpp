#include "engine/html/search_index_writer.h"

#include <atomic>
#include <string>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

#include "automation/platform.h"
#include "engine/core/output_queue.h"
#include "engine/core/status.h"
#include "engine/html/search_index.h"

namespace tavelle {

// The shards' thread and what its writes reported.
class SearchIndexWriter::Builder {
 public:
  Builder(const Project& project, OutputFolder& output)
      : project_(project), output_(output), topicSummaries_(TopicSummaries(project)) {
    try {
      thread_ = std::thread([this] {
        automation::LowerThreadPriority();
        Build();
      });
    } catch (const std::system_error&) {
      // No thread: Report builds the shards on the output queue instead.
    }
  }

  ~Builder() {
    if (thread_.joinable()) thread_.join();
  }

  void Stop() { stopped_ = true; }

  // Waits for the shards and reports every write that failed.
  void Report(RunReport& report) {
    if (thread_.joinable())
      thread_.join();
    else
      Build();
    for (const Status& failure : failures_) report.Fail(failure);
  }

 private:
  // Each shard is written as soon as it is made.
  void Build() {
    BuildSearchIndex(CollectSearchItems(project_, topicSummaries_), [this](OutputText shard) {
      if (stopped_) return;
      Status status = output_.WriteNow(shard.name, shard.text);
      if (!status.ok()) failures_.push_back(std::move(status));
    });
  }

  const Project& project_;
  OutputFolder& output_;
  // Taken on the run's thread, before the pages change the descriptions.
  const std::vector<std::string> topicSummaries_;
  std::atomic<bool> stopped_ = false;
  std::vector<Status> failures_;
  std::thread thread_;
};

SearchIndexWriter::SearchIndexWriter(const Project& project, OutputFolder& output)
    : builder_(std::make_shared<Builder>(project, output)) {}

SearchIndexWriter::~SearchIndexWriter() {
  if (!finished_) builder_->Stop();
}

void SearchIndexWriter::Finish(Run& run, const std::string& head, const std::string& tail) {
  finished_ = true;
  std::vector<OutputText> pages = SearchPages(head, tail);
  size_t bytes = pages[0].text.size() + pages[1].text.size();
  auto write = [builder = builder_, &output = run.Output(), pages = std::move(pages)](
                   RunReport& report) {
    builder->Report(report);
    for (const OutputText& page : pages) report.Fail(output.WriteNow(page.name, page.text));
  };
  run.Queue().Post(OutputJob{std::move(write), bytes, true, "tavelle-search"});
}

}  // namespace tavelle
