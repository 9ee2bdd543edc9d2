#include "engine/help/template_text.h"

#include <algorithm>

#include "engine/scan/text_file.h"

namespace tavelle {

bool ReadHelpTemplate(Run& run, const std::string& templatePath,
                      std::string_view kind, std::string& text) {
  std::string file = "HTML Help " + std::string(kind) + " File";
  if (templatePath.empty()) {
    run.Log("Skipping " + file + " Generation.");
    return false;
  }
  run.Log("Generating " + file);
  run.Fail(ReadTextFile(templatePath, text, "", run));
  return true;
}

bool InsertAfterMarkerLine(std::string& text, std::string_view marker,
                           std::string_view insertion) {
  size_t found = text.find(marker);
  if (found == std::string::npos) return false;
  size_t at = std::min(found + marker.size() + 2, text.size());
  text.insert(at, insertion);
  return true;
}

}  // namespace tavelle
