// Settings: the 52 public properties of a documentation project, in the
// order the engine class declares them, and a table that lets the
// automation interface read and write each one by name.
//
// The last three came later, each with a default that leaves the output
// as it was: ProjectTitle replaces the marker "{Project Title}" in the page
// template, the script-tree viewer and the help project template (empty:
// the marker stays); DiagramScale draws hierarchy pictures at that many
// times their pixels (1: as laid out); TreeViewerFolder names a folder
// whose files are written beside the script tree file (empty: none).
#ifndef TAVELLE_ENGINE_CORE_SETTINGS_H_
#define TAVELLE_ENGINE_CORE_SETTINGS_H_

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "automation/variant.h"

namespace tavelle {

struct Settings {
  bool SearchRecursive = true;
  bool GenerateDiagrams = true;
  std::string OutputDirectory;
  std::string FunctionsHTMLFile = "Functions.html";
  std::string ClassesHTMLFile;
  std::string CommentString;
  bool AutoLink = true;
  std::string CompiledFile;
  std::string ContentFile;
  std::string DefTopicFile;
  std::string IndexFile;
  std::string ProjFile;
  std::string ProcAccessLevel;
  automation::ObjectRef OutputMsgBox;
  std::string DefaultHTML;
  std::string ProjFileTemplate;
  std::string IndexFileTemplate;
  std::string ContentFileTemplate;
  std::string JavaScriptTreeFile;
  bool GenerateJScriptTreeFile = false;
  int32_t lStartJavaNode = 0;
  std::string JavaTreeFontColor;
  std::string JavaTreeSelFontColor;
  std::string JavaTreeFont;
  int16_t JavaTreeFontSize = 0;
  std::string ClosedClassImage;
  std::string ClosedSelClassImage;
  std::string OpenClassImage;
  std::string OpenSelClassImage;
  std::string ClosedMemberImage;
  std::string ClosedSelMemberImage;
  std::string OpenMemberImage;
  std::string OpenSelMemberImage;
  std::string ClosedFunctionImage;
  std::string ClosedSelFunctionImage;
  std::string OpenFunctionImage;
  std::string OpenSelFunctionImage;
  std::string ClosedGeneralImage;
  std::string ClosedSelGeneralImage;
  std::string OpenGeneralImage;
  std::string OpenSelGeneralImage;
  std::string ClosedFolderImage;
  std::string ClosedSelFolderImage;
  std::string OpenFolderImage;
  std::string OpenSelFolderImage;
  std::string JavaUrlPath;
  std::string ProjectTitle;
  int16_t DiagramScale = 1;
  std::string TreeViewerFolder;
  // Writes the search index and script (html/search_index.h).
  bool GenerateSearchIndex = false;
  // Read by clients: a run with warnings counts as failed.
  bool WarningsAsErrors = false;
  // Warning kinds not reported, separated by commas or blanks.
  std::string DisabledWarnings;
};

// One property: its name and where it lives in Settings.
struct PropertyInfo {
  const char* name;
  std::variant<bool Settings::*, int16_t Settings::*, int32_t Settings::*,
               std::string Settings::*, automation::ObjectRef Settings::*>
      field;
};

// All 52 properties in declaration order.
std::span<const PropertyInfo> SettingProperties();

// The property named exactly `name`, or nullptr.
const PropertyInfo* FindProperty(std::string_view name);

// Reads a property as a Variant of its own kind.
automation::Variant ReadProperty(const Settings& settings, const PropertyInfo& property);

// Writes a property, converting the value to the property's kind; false
// when the value does not convert (the property then keeps its value).
bool WriteProperty(Settings& settings, const PropertyInfo& property,
                   const automation::Variant& value);

}  // namespace tavelle

#endif  // TAVELLE_ENGINE_CORE_SETTINGS_H_
