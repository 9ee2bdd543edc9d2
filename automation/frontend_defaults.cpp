#include "automation/frontend_defaults.h"

#include <string>

#include "automation/platform.h"

namespace automation {
namespace {

namespace fs = std::filesystem;

// The last name of `folder`, also when it ends in a separator or is
// relative to the working folder.
std::string FolderName(const std::string& folder) {
  std::error_code error;
  fs::path path = fs::absolute(folder, error).lexically_normal();
  if (folder.empty() || error) return {};
  if (!path.has_filename()) path = path.parent_path();
  return path.filename().string();
}

void PutIfEmpty(Object& engine, const char* property, const std::string& value) {
  if (engine.Get(property).AsText().empty()) engine.Put(property, value);
}

}  // namespace

std::span<const ControlDefault> WindowControlDefaults() {
  static const ControlDefault kDefaults[] = {
      {"FunctionsHTMLFile", "Functions.html"},
      {"ClassesHTMLFile", "Classes.html"},
      {"CompiledFile", "Project.chm"},
      {"ContentFile", "Content.hhc"},
      {"IndexFile", "Index.hhk"},
      {"ProjFile", "Proj.hhp"},
      {"SearchRecursive", true},
      {"AutoLink", true},
      {"ProcAccessLevel", "All Access"},
  };
  return kDefaults;
}

std::string WindowControlText(std::string_view property) {
  for (const ControlDefault& control : WindowControlDefaults())
    if (property == control.property) return control.value.AsText();
  return {};
}

void ApplyFrontEndDefaults(Object& engine) {
  engine.Call("ClearFileTypes");
  for (const char* type : {"h", ".cpp", ".cls"}) engine.Call("AddFileType", {type, int32_t{0}});
  engine.Call("ClearKeyWords");

  engine.Put("JavaScriptTreeFile", "JavaTree.js");
  engine.Put("GenerateJScriptTreeFile", true);
  engine.Put("lStartJavaNode", int32_t{0});
  engine.Put("JavaTreeFontColor", "#000000");
  engine.Put("JavaTreeSelFontColor", "#FF0000");
  engine.Put("JavaTreeFont", "Helvetica");
  engine.Put("JavaTreeFontSize", int16_t{2});
  // Class pictures; the closed ones carry no folder prefix.
  engine.Put("ClosedClassImage", "folder.gif");
  engine.Put("ClosedSelClassImage", "folder.gif");
  engine.Put("OpenClassImage", "images/open_folder.gif");
  engine.Put("OpenSelClassImage", "images/open_folder.gif");
  for (const char* kind : {"Member", "Function", "General"})
    for (const char* state : {"Closed", "ClosedSel", "Open", "OpenSel"})
      engine.Put(std::string(state) + kind + "Image", "images/http.gif");
  engine.Put("ClosedFolderImage", "images/folder.gif");
  engine.Put("ClosedSelFolderImage", "images/folder.gif");
  engine.Put("OpenFolderImage", "images/open_folder.gif");
  engine.Put("OpenSelFolderImage", "images/open_folder.gif");
  engine.Put("JavaUrlPath", "CodeDocs");
  engine.Put("TreeViewerFolder", (ThemeFolder() / "tree").string());
  engine.Put("DiagramScale", int16_t{2});
  engine.Put("GenerateSearchIndex", true);
}

fs::path ThemeFolder() {
  return (ExecutableFolder() / "../share/tavelle/theme").lexically_normal();
}

void ApplyRunDefaults(Object& engine, const fs::path& configFile) {
  const fs::path theme = ThemeFolder();
  PutIfEmpty(engine, "DefaultHTML", (theme / "page.html").string());
  // A help file without a name is not wanted.
  const char* const helpFiles[][3] = {{"ProjFile", "ProjFileTemplate", "project.hhp"},
                                      {"IndexFile", "IndexFileTemplate", "index.hhk"},
                                      {"ContentFile", "ContentFileTemplate", "contents.hhc"}};
  for (const auto& [file, setting, name] : helpFiles)
    if (!engine.Get(file).AsText().empty()) PutIfEmpty(engine, setting, (theme / name).string());
  std::string title = configFile.stem().string();
  if (title.empty()) title = FolderName(engine.Get("OutputDirectory").AsText());
  PutIfEmpty(engine, "ProjectTitle", title);
}

}  // namespace automation
