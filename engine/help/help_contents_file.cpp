// The help contents file: the user's contents template with its
// placeholder entry replaced by the nested list of every documented item,
// under the folders "Classes", "Functions" and "General Info".
#include "engine/help/help_files.h"

#include <optional>
#include <string_view>
#include <utility>

#include "engine/help/help_trees.h"
#include "engine/help/long_text.h"
#include "engine/help/record_help_trees.h"
#include "engine/help/template_text.h"

namespace tavelle {
namespace {

constexpr std::string_view kPlaceholder = "value=\"{Tavelle Output}\"";

// Appends the nested list of every documented item to `tree`.
void AddContentsTree(const Project& project, LongText& tree) {
  const Settings& settings = project.settings;
  if (!project.Classes.Empty()) {
    AddContentsNode(tree.Piece(), "Classes", settings.ClassesHTMLFile, true, kNoContentsImage);
    for (const auto& record : project.Classes) {
      GenerateHelpTree(*record, tree.Piece());
      tree.Cut();
    }
    tree.Piece() += "</UL>";
  }
  if (!project.Functions.Empty()) {
    AddContentsNode(tree.Piece(), "Functions", settings.FunctionsHTMLFile, true,
                    kNoContentsImage);
    GenerateGroupedHelpTree(project.Functions, tree.Piece());
    tree.Piece() += "</UL>";
    tree.Cut();
  }
  if (!project.GeneralDocs.Empty()) {
    AddContentsNode(tree.Piece(), "General Info", "", true, kNoContentsImage);
    for (const auto& record : project.GeneralDocs) {
      GenerateHelpTree(*record, tree.Piece());
      tree.Cut();
    }
    tree.Piece() += "</UL>";
  }
}

// The placeholder entry around the marker at `marker`, from the "<" of its
// list-item tag (the third "<" before the marker) to the ">" of its object
// closing tag (the second ">" after it), as its start and its length;
// nullopt when the entry lacks those tags.
std::optional<std::pair<size_t, size_t>> PlaceholderEntry(std::string_view text, size_t marker) {
  size_t start = marker;
  for (int opened = 0; opened < 3; ++opened) {
    if (start == 0) return std::nullopt;
    start = text.rfind('<', start - 1);
    if (start == std::string_view::npos) return std::nullopt;
  }
  size_t end = marker;
  for (int closed = 0; closed < 2; ++closed) {
    end = text.find('>', end + 1);
    if (end == std::string_view::npos) return std::nullopt;
  }
  return std::make_pair(start, end + 1 - start);
}

}  // namespace

void GenerateHelpContentFile(Project& project, Run& run) {
  const Settings& settings = project.settings;
  std::string text;
  if (!ReadHelpTemplate(run, settings.ContentFileTemplate, "Content", text)) return;

  size_t marker = text.find(kPlaceholder);
  if (marker == std::string::npos) {
    run.Log("Tavelle Output point not found in the HTML contents file");
    return;
  }
  // A marker outside a complete placeholder entry is reported the same
  // way, but the template is still written, unchanged.
  std::optional<std::pair<size_t, size_t>> entry = PlaceholderEntry(text, marker);
  if (!entry) {
    run.Log("Tavelle Output point not found in the HTML contents file");
    run.Output().Write(settings.ContentFile, std::move(text));
    return;
  }
  ProduceLongText(run.Output(), settings.ContentFile,
                  [&project, head = text.substr(0, entry->first),
                   tail = text.substr(entry->first + entry->second)](LongText& contents) {
                    contents.Piece() += head;
                    AddContentsTree(project, contents);
                    contents.Piece() += tail;
                  });
}

}  // namespace tavelle
