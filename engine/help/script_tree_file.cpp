// The script tree file: one script function, BuildJavaHelpTree(lIndex),
// that adds every node of the navigation tree to the page's RootNode.
// The page that loads it supplies the tree object, the pictures, the font
// settings and the URL prefix; the file only names them. The files of
// TreeViewerFolder, such a page and its pictures, are written beside it.
#include "engine/help/help_files.h"

#include <algorithm>
#include <filesystem>
#include <utility>
#include <vector>

#include "engine/help/help_trees.h"
#include "engine/help/long_text.h"
#include "engine/help/record_help_trees.h"
#include "engine/help/template_text.h"
#include "engine/scan/text_file.h"

namespace tavelle {
namespace {

namespace fs = std::filesystem;

// The viewer's files are text (pages, scripts, SVG pictures), written with
// CR LF line ends and the title marker replaced. A file the output folder
// already has is the user's own and is kept.
void WriteTreeViewer(const Settings& settings, Run& run) {
  if (settings.TreeViewerFolder.empty()) return;
  std::error_code error;
  std::vector<fs::path> files;
  for (fs::directory_iterator it(settings.TreeViewerFolder, error), end; !error && it != end;
       it.increment(error))
    if (it->is_regular_file(error)) files.push_back(it->path());
  if (error) {
    run.Fail(Status::FileFailure(error.message(), settings.TreeViewerFolder));
    return;
  }
  std::sort(files.begin(), files.end());

  const std::string folder = fs::path(settings.JavaScriptTreeFile).parent_path().string();
  for (const fs::path& file : files) {
    std::string name = folder.empty() ? file.filename().string()
                                      : folder + "/" + file.filename().string();
    if (fs::exists(run.Output().PathOf(name), error)) {
      run.Output().Keep(name);  // still the run's file, so not removed as stale
      continue;
    }
    std::string text;
    run.Fail(ReadTextFile(file.string(), text, "", run));
    if (text.ends_with("\r\n")) text.resize(text.size() - 2);  // the writer adds it back
    InsertProjectTitle(text, settings.ProjectTitle, true);
    run.Output().Write(name, std::move(text));
  }
}

// The script: its function with a line per node of the tree.
void AddScriptTree(const Project& project, LongText& script) {
  const Settings& settings = project.settings;
  script.Piece() += "function BuildJavaHelpTree(lIndex)\r\n{\r\n";
  const int32_t root = settings.lStartJavaNode;
  int32_t node = root;
  if (!project.Classes.Empty()) {
    AddScriptTreeNode(script.Piece(), node, root, "Classes", settings.ClassesHTMLFile,
                      kFolderImages);
    const int32_t folder = node;
    for (const auto& record : project.Classes) {
      GenerateJavaHelpTree(*record, script.Piece(), node, folder);
      script.Cut();
    }
  }
  if (!project.Functions.Empty()) {
    AddScriptTreeNode(script.Piece(), node, root, "Functions", settings.FunctionsHTMLFile,
                      kFolderImages);
    GenerateGroupedScriptTree(project.Functions, script.Piece(), node, node);
    script.Cut();
  }
  if (!project.GeneralDocs.Empty()) {
    AddScriptTreeNode(script.Piece(), node, root, "General Info", "", kFolderImages);
    const int32_t folder = node;
    for (const auto& record : project.GeneralDocs) {
      GenerateJavaHelpTree(*record, script.Piece(), node, folder);
      script.Cut();
    }
  }
  script.Piece() += "}\r\n";
}

}  // namespace

void GenerateJavaScriptTree(Project& project, Run& run) {
  const Settings& settings = project.settings;
  if (!settings.GenerateJScriptTreeFile) return;
  run.Log("Generating Javascript Tree View");

  ProduceLongText(run.Output(), settings.JavaScriptTreeFile,
                  [&project](LongText& script) { AddScriptTree(project, script); });
  WriteTreeViewer(settings, run);
}

}  // namespace tavelle
