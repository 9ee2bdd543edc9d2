#include "engine/core/html_text.h"

namespace tavelle {
namespace {

void AppendEscaped(std::string& out, std::string_view text, bool apostrophes) {
  for (char c : text) {
    switch (c) {
      case '"': out += "&quot;"; break;
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '\'':
        if (apostrophes) {
          out += "&#39;";
          break;
        }
        [[fallthrough]];
      default: out += c;
    }
  }
}

}  // namespace

void AppendHTMLText(std::string& out, std::string_view text) { AppendEscaped(out, text, false); }

std::string HTMLText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  AppendEscaped(out, text, false);
  return out;
}

void AppendSingleQuotedHTMLText(std::string& out, std::string_view text) {
  AppendEscaped(out, text, true);
}

}  // namespace tavelle
