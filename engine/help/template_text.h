// Reading a help template and placing generated text into it.
#ifndef TAVELLE_ENGINE_HELP_TEMPLATE_TEXT_H_
#define TAVELLE_ENGINE_HELP_TEMPLATE_TEXT_H_

#include <string>
#include <string_view>

namespace tavelle {

// Inserts `insertion` two characters after the first `marker` in `text`,
// which for a marker that ends a CR LF line is the start of the next line.
// Returns false, leaving `text` alone, when `text` holds no marker.
bool InsertAfterMarkerLine(std::string& text, std::string_view marker,
                           std::string_view insertion);

}  // namespace tavelle

#endif  // TAVELLE_ENGINE_HELP_TEMPLATE_TEXT_H_
