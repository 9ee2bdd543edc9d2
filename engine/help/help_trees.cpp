#include "engine/help/help_trees.h"

#include "engine/core/html_text.h"

namespace tavelle {
namespace {

// `text` as it may stand between single quotes in a script: a backslash or
// quote gets a backslash, and a line break becomes its escape so that the
// string cannot run over the line.
std::string EscapeScriptString(std::string_view text) {
  std::string escaped;
  escaped.reserve(text.size());
  for (char c : text) {
    if (c == '\r') {
      escaped += "\\r";
    } else if (c == '\n') {
      escaped += "\\n";
    } else {
      if (c == '\\' || c == '\'') escaped += '\\';
      escaped += c;
    }
  }
  return escaped;
}

}  // namespace

void AddParamLine(std::string& text, std::string_view name, std::string_view value) {
  text += "<param name=\"";
  text += name;
  text += "\" value=\"";
  AppendHTMLText(text, value);
  text += "\">\r\n";
}

void AddContentsNode(std::string& tree, std::string_view name, std::string_view local,
                     bool hasChildren, int16_t imageNumber) {
  tree += kSitemapEntryStart;
  AddParamLine(tree, "Name", name);
  AddParamLine(tree, "Local", local);
  if (imageNumber >= 0) AddParamLine(tree, "ImageNumber", std::to_string(imageNumber));
  tree += "</OBJECT>\r\n";
  if (hasChildren) tree += "<UL>\r\n";
}

void AddScriptTreeNode(std::string& tree, int32_t& node, int32_t parent, std::string_view name,
                       std::string_view url, std::string_view imageKind) {
  // The counter wraps instead of overflowing when numbering starts near
  // the top of the 32-bit range.
  node = static_cast<int32_t>(static_cast<uint32_t>(node) + 1u);
  std::string quotedName = EscapeScriptString(name);
  std::string kind(imageKind);
  tree += "    RootNode.AddNode((lIndex+";
  tree += std::to_string(node);
  tree += "), (lIndex+";
  tree += std::to_string(parent);
  tree += "), '";
  tree += quotedName;
  tree += "', (strJavaURLPath+'";
  tree += EscapeScriptString(url);
  tree += "'), Closed" + kind + "Image, Open" + kind + "Image, ClosedSel" + kind +
          "Image, OpenSel" + kind + "Image, '";
  tree += quotedName;
  tree +=
      "', false, JavaTreeFont, JavaTreeFontSize, JavaTreeFontColor, JavaTreeSelFontColor);"
      "\r\n\r\n";
}

}  // namespace tavelle
