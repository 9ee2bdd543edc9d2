// The help project file: the user's project template with the run's topic
// pages listed after "[FILES]" and the template file names it mentions
// replaced by the names of this run's help files.
#include "engine/help/help_files.h"

#include <utility>

#include "engine/help/template_text.h"

namespace tavelle {
namespace {

constexpr std::string_view kFilesSection = "[FILES]";

// Replaces every occurrence of `from` in `text` by `to`; an empty `from`
// replaces nothing.
void ReplaceAll(std::string& text, std::string_view from, std::string_view to) {
  if (from.empty()) return;
  std::string result;
  size_t start = 0;
  for (size_t found; (found = text.find(from, start)) != std::string::npos;
       start = found + from.size()) {
    result.append(text, start, found - start);
    result += to;
  }
  if (start == 0) return;
  result.append(text, start);
  text = std::move(result);
}

// One line per written topic page, in writing order, each named relative
// to the output folder.
std::string TopicPageList(const Project& project, const OutputFolder& output) {
  const std::string& outDir = output.Directory();
  std::string prefix = output.PathOf("");
  std::string list;
  for (const FileInfo& page : project.HTMLFiles) {
    std::string_view name = page.Name;
    if (!outDir.empty() && name.starts_with(prefix)) name.remove_prefix(prefix.size());
    list += name;
    list += "\r\n";
  }
  return list;
}

}  // namespace

std::string FileNameOfPath(std::string_view path) {
  size_t separator = path.find_last_of("/\\");
  if (separator == std::string_view::npos) return std::string(path);
  return std::string(path.substr(separator + 1));
}

void GenerateHelpProjectFile(Project& project, Run& run) {
  const Settings& settings = project.settings;
  std::string text;
  if (!ReadHelpTemplate(run, settings.ProjFileTemplate, "Project", text)) return;

  // An unreadable or empty template gives an empty project file. A
  // template without a files section gets one at its end.
  if (!text.empty()) {
    std::string pages = TopicPageList(project, run.Output());
    if (!InsertAfterMarkerLine(text, kFilesSection, pages))
      text += std::string(kFilesSection) + "\r\n" + pages;
  }
  ReplaceAll(text, FileNameOfPath(settings.ProjFileTemplate), settings.ProjFile);
  ReplaceAll(text, FileNameOfPath(settings.IndexFileTemplate), settings.IndexFile);
  ReplaceAll(text, FileNameOfPath(settings.ContentFileTemplate), settings.ContentFile);
  run.Output().Write(settings.ProjFile, std::move(text));
}

}  // namespace tavelle
