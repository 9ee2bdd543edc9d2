// The settings a front-end hands a newly created engine object before the
// user changes anything: the file types h, .cpp and .cls, no key words,
// and the script tree's file, font, colours, node pictures and URL path.
// Shared by the front-ends so that the desktop window and the command line
// start from the same project.
#ifndef TAVELLE_AUTOMATION_FRONTEND_DEFAULTS_H_
#define TAVELLE_AUTOMATION_FRONTEND_DEFAULTS_H_

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
// property writes of the script-tree settings.
void ApplyFrontEndDefaults(Object& engine);

}  // namespace automation

#endif  // TAVELLE_AUTOMATION_FRONTEND_DEFAULTS_H_
