// Names as HTML text. A name (of a class, member, function, topic or
// group) and every attribute value the engine writes go through here, so
// that no name can open a tag or end an attribute early. Names without
// these characters come out unchanged.
#ifndef TAVELLE_ENGINE_CORE_HTML_TEXT_H_
#define TAVELLE_ENGINE_CORE_HTML_TEXT_H_

#include <string>
#include <string_view>

namespace tavelle {

// Appends `text` with its ", &, < and > written as character references:
// safe as element text and between double quotes.
void AppendHTMLText(std::string& out, std::string_view text);

// `text` as AppendHTMLText writes it.
std::string HTMLText(std::string_view text);

// AppendHTMLText for a value between single quotes: ' is written as
// "&#39;" as well.
void AppendSingleQuotedHTMLText(std::string& out, std::string_view text);

}  // namespace tavelle

#endif  // TAVELLE_ENGINE_CORE_HTML_TEXT_H_
