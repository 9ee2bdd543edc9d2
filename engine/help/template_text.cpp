#include "engine/help/template_text.h"

#include <algorithm>

namespace tavelle {

bool InsertAfterMarkerLine(std::string& text, std::string_view marker,
                           std::string_view insertion) {
  size_t found = text.find(marker);
  if (found == std::string::npos) return false;
  size_t at = std::min(found + marker.size() + 2, text.size());
  text.insert(at, insertion);
  return true;
}

}  // namespace tavelle
