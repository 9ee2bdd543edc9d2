#include "automation/frontend_defaults.h"

#include <string>

namespace automation {

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
  engine.Put("GenerateSearchIndex", true);
}

}  // namespace automation
