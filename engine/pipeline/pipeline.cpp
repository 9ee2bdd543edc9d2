#include "engine/pipeline/pipeline.h"

#include <optional>

#include "automation/platform.h"
#include "engine/core/output_manifest.h"
#include "engine/pipeline/authoring_checks.h"
#include "engine/pipeline/html_driver.h"
#include "engine/pipeline/run_memo.h"
#include "engine/scan/block_finder.h"
#include "engine/scan/file_discovery.h"
#include "engine/search/search_words.h"

namespace tavelle {
namespace {

using FinderPass = void (*)(Project&, Run&, std::string_view, int32_t);

struct ParsingPass {
  const char* message;
  FinderPass finder;
};

constexpr ParsingPass kParsingPasses[] = {
    {"Finding Classes", FindClasses},
    {"Finding Class Members", FindClassMembers},
    {"Finding Functions", FindFunctions},
    {"Finding General Definitions", FindGeneralInfo},
    {"Finding Index Definitions", FindIndexEntries},
};

// Empties the run's collections, checking for cancel between them; false
// when a cancel was seen.
bool EmptyRunCollections(Project& project, Run& run) {
  project.Classes.Clear();
  if (run.CheckCancel()) return false;
  project.Functions.Clear();
  if (run.CheckCancel()) return false;
  project.GeneralDocs.Clear();
  if (run.CheckCancel()) return false;
  project.SearchWords.clear();
  if (run.CheckCancel()) return false;
  project.SourceFiles.clear();
  if (run.CheckCancel()) return false;
  project.HTMLFiles.clear();
  return true;
}

bool DiscoverSourceFiles(Project& project, Run& run) {
  const Settings& settings = project.settings;
  for (const SearchWordRef& folder : project.InputFolders) {
    if (run.CheckCancel()) return false;
    if (settings.SearchRecursive) {
      run.Log("Finding files reccursively in Dir: " + folder->Name);
      FindSourceFilesRecursive(folder->Name, project.SourceFiles, project.FileTypes,
                               settings.CommentString, run);
    } else {
      run.Log("Finding files in Dir: " + folder->Name);
      FindSourceFiles(folder->Name, project.SourceFiles, project.FileTypes,
                      settings.CommentString, run);
    }
  }
  return true;
}

bool RunParsingPasses(Project& project, Run& run) {
  int64_t files = static_cast<int64_t>(project.SourceFiles.size());
  for (const ParsingPass& pass : kParsingPasses) {
    run.Log(pass.message);
    run.SetProgress(pass.message, 0, files);
    for (size_t file = 0; file < project.SourceFiles.size(); ++file) {
      if (run.CheckCancel()) return false;
      pass.finder(project, run, project.SourceFiles[file].FileText, static_cast<int32_t>(file));
      run.AdvanceProgress();
    }
    project.Stages.Mark(pass.message);
  }
  return true;
}

// The records hold everything the later steps need from the sources;
// giving the texts' memory back now lets those steps reuse it.
void ReleaseSourceTexts(Project& project) {
  for (FileInfo& file : project.SourceFiles) {
    std::string().swap(file.FileText);
    std::vector<uint32_t>().swap(file.LineStarts);
  }
  automation::ReturnFreedHeapMemory();
}

}  // namespace

bool ProcessFiles(Project& project, Run& run, OutputCaches caches) {
  project.CancelFlag = false;
  run.RequestCancel(false);
  project.Stages.Restart();
  project.Warnings.Clear();
  project.Warnings.SetDisabled(project.settings.DisabledWarnings);
  project.RejectedClasses.clear();
  automation::KeepFreedHeapMemory();
  run.Log("Starting Documentation");
  if (run.CheckCancel()) return false;
  run.Output().Open(run);
  uint64_t setup = RunSetupKey(project);
  StoredTable table;  // what the previous run left in the search-word table
  if (caches == OutputCaches::kUse) {
    if (ReplayRunMemo(project, run, setup, table)) {
      project.Stages.Mark("Replaying the previous run");
      return false;
    }
    project.Stages.Mark("Checking the previous run");
    run.Output().LoadCache();
    project.Stages.Mark("Reading the output cache");
  }
  run.KeepRows(true);
  run.SetProgress("Reading files", 0, 0);
  if (!EmptyRunCollections(project, run)) return false;
  if (!DiscoverSourceFiles(project, run)) return false;
  project.Stages.Mark("Discovery and reading");
  if (!RunParsingPasses(project, run)) return false;
  CheckAuthoring(project);
  ReleaseSourceTexts(project);
  project.Stages.Mark("Authoring checks");
  // The records are complete: the search index is built from here on,
  // beside the search words and the pages.
  std::optional<SearchIndexWriter> search;
  if (project.settings.GenerateSearchIndex) search.emplace(project, run.Output());
  uint64_t words = GenerateSearchWords(project, run, table);
  // Pages link with the words as stored (StoredWords); the generated ones
  // are not read again.
  std::vector<SearchWordRef>().swap(project.SearchWords);
  project.Stages.Mark("Search words");
  run.Log("Generating HTML Files in Dir: " + project.settings.OutputDirectory);
  GenerateHTMLFiles(project, run, search ? &*search : nullptr);
  // Pages, pictures and database updates are written on worker threads;
  // they are finished, and their rows logged, before the run returns.
  run.Queue().Drain();
  project.Stages.Mark("Finishing background output");
  // Only a run that made every file knows which old ones are gone. A run
  // that repeats this one has no stale files, so those rows are not kept.
  run.KeepRows(false);
  if (!run.CancelRequested()) FinishOutput(run);
  project.Stages.Mark("Removing stale files, saving the cache");
  run.KeepRows(true);
  run.Log("Finished generating HTML files for this project");
  SaveRunMemo(project, run, setup, words);
  project.Stages.Mark("Saving the run memo");
  return false;
}

}  // namespace tavelle
