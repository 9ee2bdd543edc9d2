#include "engine/help/template_text.h"

#include <algorithm>
#include <utility>

#include "engine/core/html_text.h"
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

size_t AfterMarkerLine(std::string_view text, std::string_view marker) {
  size_t found = text.find(marker);
  if (found == std::string_view::npos) return std::string_view::npos;
  return std::min(found + marker.size() + 2, text.size());
}

bool InsertAfterMarkerLine(std::string& text, std::string_view marker,
                           std::string_view insertion) {
  size_t at = AfterMarkerLine(text, marker);
  if (at == std::string_view::npos) return false;
  text.insert(at, insertion);
  return true;
}

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

void InsertProjectTitle(std::string& text, std::string_view title, bool asHTML) {
  if (title.empty()) return;
  std::string written;
  if (asHTML) {
    AppendHTMLText(written, title);
    title = written;
  }
  ReplaceAll(text, kProjectTitleMarker, title);
}

}  // namespace tavelle
