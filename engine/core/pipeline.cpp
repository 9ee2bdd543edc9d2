#include "engine/core/pipeline.h"

#include "automation/platform.h"
#include "engine/core/output_queue.h"
#include "engine/html/html_driver.h"
#include "engine/scan/authoring_checks.h"
#include "engine/scan/block_finder.h"
#include "engine/scan/file_discovery.h"
#include "engine/search/search_words.h"

namespace tavelle {
namespace {

using FinderPass = void (*)(Project&, std::string_view, int32_t);

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
bool EmptyRunCollections(Project& project) {
  project.Classes.Clear();
  if (CheckCancel()) return false;
  project.Functions.Clear();
  if (CheckCancel()) return false;
  project.GeneralDocs.Clear();
  if (CheckCancel()) return false;
  project.SearchWords.clear();
  if (CheckCancel()) return false;
  project.SourceFiles.clear();
  if (CheckCancel()) return false;
  project.HTMLFiles.clear();
  return true;
}

bool DiscoverSourceFiles(Project& project) {
  const Settings& settings = project.settings;
  for (const SearchWordRef& folder : project.InputFolders) {
    if (CheckCancel()) return false;
    if (settings.SearchRecursive) {
      project.Log("Finding files reccursively in Dir: " + folder->Name);
      FindSourceFilesRecursive(folder->Name, project.SourceFiles, project.FileTypes,
                               settings.CommentString, settings.OutputMsgBox);
    } else {
      project.Log("Finding files in Dir: " + folder->Name);
      FindSourceFiles(folder->Name, project.SourceFiles, project.FileTypes,
                      settings.CommentString, settings.OutputMsgBox);
    }
  }
  return true;
}

bool RunParsingPasses(Project& project) {
  for (const ParsingPass& pass : kParsingPasses) {
    project.Log(pass.message);
    for (size_t file = 0; file < project.SourceFiles.size(); ++file) {
      if (CheckCancel()) return false;
      pass.finder(project, project.SourceFiles[file].FileText, static_cast<int32_t>(file));
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
}

}  // namespace

void WriteCancel(Project& project, bool value) {
  project.CancelFlag = value;
  SetCancelRequested(value);
}

bool ProcessFiles(Project& project) {
  // Pages, pictures and database updates are written on a second thread;
  // the queue finishes them, and logs their rows, before the run returns.
  OutputQueue output;
  WriteCancel(project, false);
  project.Stages.Restart();
  project.Warnings.Clear();
  project.Warnings.SetDisabled(project.settings.DisabledWarnings);
  project.RejectedClasses.clear();
  automation::KeepFreedHeapMemory();
  project.Log("Starting Documentation");
  if (CheckCancel()) return false;
  if (!EmptyRunCollections(project)) return false;
  if (!DiscoverSourceFiles(project)) return false;
  project.Stages.Mark("Discovery and reading");
  if (!RunParsingPasses(project)) return false;
  CheckAuthoring(project);
  ReleaseSourceTexts(project);
  GenerateSearchWords(project);
  project.Stages.Mark("Search words");
  project.Log("Generating HTML Files in Dir: " + project.settings.OutputDirectory);
  GenerateHTMLFiles(project);
  output.Drain();
  project.Stages.Mark("Finishing background output");
  project.Log("Finished generating HTML files for this project");
  return false;
}

}  // namespace tavelle
