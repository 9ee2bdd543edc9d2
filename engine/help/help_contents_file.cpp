// The help contents file: the user's contents template with its
// placeholder entry replaced by the nested list of every documented item,
// under the folders "Classes", "Functions" and "General Info".
#include "engine/help/help_files.h"

#include <utility>

#include "engine/help/help_trees.h"
#include "engine/help/record_help_trees.h"
#include "engine/help/template_text.h"

namespace tavelle {
namespace {

constexpr std::string_view kPlaceholder = "value=\"{Tavelle Output}\"";

std::string ContentsTree(const Project& project) {
  const Settings& settings = project.settings;
  std::string tree;
  if (!project.Classes.Empty()) {
    AddContentsNode(tree, "Classes", settings.ClassesHTMLFile, true, kNoContentsImage);
    for (const auto& record : project.Classes) GenerateHelpTree(*record, tree);
    tree += "</UL>";
  }
  if (!project.Functions.Empty()) {
    AddContentsNode(tree, "Functions", settings.FunctionsHTMLFile, true, kNoContentsImage);
    GenerateGroupedHelpTree(project.Functions, tree);
    tree += "</UL>";
  }
  if (!project.GeneralDocs.Empty()) {
    AddContentsNode(tree, "General Info", "", true, kNoContentsImage);
    for (const auto& record : project.GeneralDocs) GenerateHelpTree(*record, tree);
    tree += "</UL>";
  }
  return tree;
}

// Replaces the placeholder entry around the marker at `marker`, from the
// "<" of its list-item tag (the third "<" before the marker) to the ">" of
// its object closing tag (the second ">" after it). False when the entry
// lacks those tags; `text` is then left alone.
bool ReplacePlaceholderEntry(std::string& text, size_t marker, std::string_view tree) {
  size_t start = marker;
  for (int opened = 0; opened < 3; ++opened) {
    if (start == 0) return false;
    start = text.rfind('<', start - 1);
    if (start == std::string::npos) return false;
  }
  size_t end = marker;
  for (int closed = 0; closed < 2; ++closed) {
    end = text.find('>', end + 1);
    if (end == std::string::npos) return false;
  }
  text.replace(start, end + 1 - start, tree);
  return true;
}

}  // namespace

void GenerateHelpContentFile(Project& project, Run& run) {
  const Settings& settings = project.settings;
  std::string text;
  if (!ReadHelpTemplate(run, settings.ContentFileTemplate, "Content", text)) return;
  std::string tree = ContentsTree(project);

  size_t marker = text.find(kPlaceholder);
  if (marker == std::string::npos) {
    run.Log("Tavelle Output point not found in the HTML contents file");
    return;
  }
  // A marker outside a complete placeholder entry is reported the same
  // way, but the template is still written, unchanged.
  if (!ReplacePlaceholderEntry(text, marker, tree))
    run.Log("Tavelle Output point not found in the HTML contents file");
  run.Output().Write(settings.ContentFile, std::move(text));
}

}  // namespace tavelle
