// Reading a help template and placing generated text into it; the
// project's title in any template.
#ifndef TAVELLE_ENGINE_HELP_TEMPLATE_TEXT_H_
#define TAVELLE_ENGINE_HELP_TEMPLATE_TEXT_H_

#include <string>
#include <string_view>

#include "engine/core/run.h"
#include "engine/scan/project.h"

namespace tavelle {

// Starts a help file of `kind` ("Project", "Content" or "Index") made from
// the template at `templatePath`. Without a template it logs
// "Skipping HTML Help <kind> File Generation." and returns false.
// Otherwise it logs "Generating HTML Help <kind> File" and reads the
// template into `text` (empty, after the reader's row, when unreadable).
bool ReadHelpTemplate(Run& run, const std::string& templatePath,
                      std::string_view kind, std::string& text);

// Two characters after the first `marker` in `text` (at most its end),
// which for a marker that ends a CR LF line is the start of the next line;
// npos when `text` holds no marker.
size_t AfterMarkerLine(std::string_view text, std::string_view marker);

// Inserts `insertion` at AfterMarkerLine. Returns false, leaving `text`
// alone, when `text` holds no marker.
bool InsertAfterMarkerLine(std::string& text, std::string_view marker,
                           std::string_view insertion);

// Replaces every occurrence of `from` in `text` by `to`; an empty `from`
// replaces nothing.
void ReplaceAll(std::string& text, std::string_view from, std::string_view to);

// Where a template wants the setting ProjectTitle.
inline constexpr std::string_view kProjectTitleMarker = "{Project Title}";

// Replaces every title marker in `text` by `title`, as HTML text when
// `asHTML`. An empty title leaves `text` as it is.
void InsertProjectTitle(std::string& text, std::string_view title, bool asHTML);

}  // namespace tavelle

#endif  // TAVELLE_ENGINE_HELP_TEMPLATE_TEXT_H_
