// The help project file: the user's project template with the run's topic
// pages listed after "[FILES]", the template file names it mentions
// replaced by the names of this run's help files and the title marker by
// the project's title.
#include "engine/help/help_files.h"

#include <utility>

#include "engine/help/template_text.h"

namespace tavelle {
namespace {

constexpr std::string_view kFilesSection = "[FILES]";

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
  InsertProjectTitle(text, settings.ProjectTitle, false);
  run.Output().Write(settings.ProjFile, std::move(text));
}

}  // namespace tavelle
