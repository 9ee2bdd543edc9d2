// The script tree file: one script function, BuildJavaHelpTree(lIndex),
// that adds every node of the navigation tree to the page's RootNode.
// The page that loads it supplies the tree object, the pictures, the font
// settings and the URL prefix; the file only names them.
#include "engine/help/help_files.h"

#include <utility>

#include "engine/help/help_trees.h"
#include "engine/help/record_help_trees.h"

namespace tavelle {

void GenerateJavaScriptTree(Project& project, Run& run) {
  const Settings& settings = project.settings;
  if (!settings.GenerateJScriptTreeFile) return;
  run.Log("Generating Javascript Tree View");

  std::string script = "function BuildJavaHelpTree(lIndex)\r\n{\r\n";
  const int32_t root = settings.lStartJavaNode;
  int32_t node = root;
  if (!project.Classes.Empty()) {
    AddScriptTreeNode(script, node, root, "Classes", settings.ClassesHTMLFile, kFolderImages);
    const int32_t folder = node;
    for (const auto& record : project.Classes) GenerateJavaHelpTree(*record, script, node, folder);
  }
  if (!project.Functions.Empty()) {
    AddScriptTreeNode(script, node, root, "Functions", settings.FunctionsHTMLFile,
                      kFolderImages);
    GenerateGroupedScriptTree(project.Functions, script, node, node);
  }
  if (!project.GeneralDocs.Empty()) {
    AddScriptTreeNode(script, node, root, "General Info", "", kFolderImages);
    const int32_t folder = node;
    for (const auto& record : project.GeneralDocs)
      GenerateJavaHelpTree(*record, script, node, folder);
  }
  script += "}\r\n";
  run.Output().Write(settings.JavaScriptTreeFile, std::move(script));
}

}  // namespace tavelle
