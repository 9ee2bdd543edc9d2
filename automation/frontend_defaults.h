// The settings a front-end hands a newly created engine object before the
// user changes anything: the file types h, .cpp and .cls, no key words,
// the script tree's file, font, colours, node pictures and URL path, the
// tree viewer of the built-in look, pictures at twice their pixels and the
// search index.
// Shared by the front-ends so that the desktop window and the command line
// start from the same project, and so is what they fill in just before a
// run: the built-in look and a title for templates the user left empty.
#ifndef TAVELLE_AUTOMATION_FRONTEND_DEFAULTS_H_
#define TAVELLE_AUTOMATION_FRONTEND_DEFAULTS_H_

#include <filesystem>
#include <span>
#include <string_view>

#include "automation/object.h"
#include "automation/variant.h"

namespace automation {

// The value a control of the desktop window starts with, which "Generate
// HTML" copies into the engine property of the same name.
struct ControlDefault {
  const char* property;
  Variant value;
};

// The window's start values: file names, SearchRecursive and AutoLink on,
// ProcAccessLevel "All Access". The command-line program hands the engine
// the same values.
std::span<const ControlDefault> WindowControlDefaults();

// The start text of the control for `property`, or empty.
std::string WindowControlText(std::string_view property);

// Calls, by member name: ClearFileTypes, AddFileType for "h" (which the
// engine turns into ".h"), ".cpp" and ".cls", ClearKeyWords, then the
// property writes of the script-tree settings, TreeViewerFolder (the
// theme's tree/ folder), DiagramScale 2 and GenerateSearchIndex.
void ApplyFrontEndDefaults(Object& engine);

// The built-in look, ../share/tavelle/theme beside the program's folder,
// in the build tree as when installed.
std::filesystem::path ThemeFolder();

// For a run, after the configuration and the user's changes: an empty
// DefaultHTML gets the theme's page.html; an empty ProjFileTemplate,
// IndexFileTemplate or ContentFileTemplate whose help file (ProjFile,
// IndexFile, ContentFile) has a name gets the theme's project.hhp,
// index.hhk or contents.hhc; an empty ProjectTitle gets the base name of
// `configFile` (empty when none is open), else the output folder's name.
void ApplyRunDefaults(Object& engine, const std::filesystem::path& configFile);

}  // namespace automation

#endif  // TAVELLE_AUTOMATION_FRONTEND_DEFAULTS_H_
