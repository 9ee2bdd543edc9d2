#include "engine/html/page_frame.h"

#include <cstddef>
#include <utility>

#include "automation/ascii.h"
#include "engine/core/html_text.h"
#include "engine/scan/fields.h"
#include "engine/scan/text_file.h"

namespace tavelle {
namespace {

constexpr std::string_view kBeginMarker = "<!--Begin HTML Body-->";
constexpr std::string_view kEndMarker = "<!--End HTML Body-->";

constexpr std::string_view kTitleOpen = "<title>";
constexpr std::string_view kTitleClose = "</title>";

// The first `lowerNeedle` in `text` from `from` on, in any letter case.
size_t FindIgnoringCase(std::string_view text, std::string_view lowerNeedle, size_t from) {
  for (size_t at = from; at + lowerNeedle.size() <= text.size(); ++at) {
    if (automation::EqualsIgnoringAsciiCase(text.substr(at, lowerNeedle.size()), lowerNeedle))
      return at;
  }
  return std::string_view::npos;
}

// Where the text of the frame's title element begins and where its
// closing tag begins; npos for both when there is none. The closing tag is
// looked for after the opening one, so that a stray "</title>" before it
// cannot make the head repeat itself.
std::pair<size_t, size_t> TitleText(std::string_view html) {
  constexpr auto kNone = std::make_pair(std::string_view::npos, std::string_view::npos);
  size_t open = FindIgnoringCase(html, kTitleOpen, 0);
  if (open == std::string_view::npos) return kNone;
  size_t afterOpen = open + kTitleOpen.size();
  size_t close = FindIgnoringCase(html, kTitleClose, afterOpen);
  if (close == std::string_view::npos) return kNone;
  return {afterOpen, close};
}

}  // namespace

// The head runs through the begin marker and the tail starts at the end
// marker; what lies between is the template's sample content. A template
// without the begin marker, or with the end marker before it, has no place
// for a body: all of it becomes the head and the tail stays empty, so the
// pages keep the whole frame and the body follows it.
void SplitHTMLTemplate(const Project& project, Run& run, std::string& head, std::string& tail) {
  std::string text;
  run.Fail(ReadTextFile(project.settings.DefaultHTML, text, "", run));
  size_t begin = text.find(kBeginMarker);
  size_t end = text.find(kEndMarker);
  if (begin == std::string::npos || (end != std::string::npos && end < begin)) {
    head = std::move(text);
    tail.clear();
    return;
  }
  head = text.substr(0, begin + kBeginMarker.size());
  tail = end == std::string::npos ? std::string() : text.substr(end);
}

std::string InsertTitle(std::string_view html, std::string_view title) {
  auto [afterOpen, close] = TitleText(html);
  if (close == std::string_view::npos) return std::string(html);
  std::string result;
  result.reserve(html.size() + title.size());
  result.append(html.substr(0, afterOpen));
  result.append(title);
  result.append(html.substr(close));
  return result;
}

void AppendTitledHead(std::string& page, std::string_view head, std::string_view title) {
  auto [afterOpen, close] = TitleText(head);
  if (close == std::string_view::npos) {
    page.append(head);
    return;
  }
  page.append(head.substr(0, afterOpen));
  AppendHTMLText(page, title);
  page.append(head.substr(close));
}

// Outside tags, line breaks become "<br>", TABs three "&nbsp;" and blanks
// one "&nbsp;", each followed by the character itself; nothing else is
// escaped, so authors may write HTML in their comments.
void AppendTextAsHTML(std::string& html, std::string& text, bool keepLayout) {
  if (!keepLayout) FlattenTextInPlace(text);
  html.reserve(html.size() + text.size() + text.size() / 2);
  bool inTag = false;
  for (char ch : text) {
    if (ch == '<') inTag = true;
    if (ch == '>') inTag = false;
    if (!inTag) {
      if (ch == '\r') html += "<br>";
      if (ch == '\t') html += "&nbsp;&nbsp;&nbsp;";
      if (ch == ' ') html += "&nbsp;";
    }
    html += ch;
  }
}

std::string TextToHTML(std::string& text, bool keepLayout) {
  std::string html;
  AppendTextAsHTML(html, text, keepLayout);
  return html;
}

// The page text is not kept: nothing reads it back, and a large run would
// hold every page in memory.
void AddHTMLFile(std::vector<FileInfo>& htmlFiles, const std::string& fileName,
                 std::string_view /*text*/) {
  FileInfo page;
  page.Name = fileName;
  page.ID = NextFileID(htmlFiles);
  htmlFiles.push_back(std::move(page));
}

// Entries are only ever appended with the next number, so the last entry
// holds the largest ID.
int32_t NextFileID(const std::vector<FileInfo>& files) {
  return files.empty() ? 1 : files.back().ID + 1;
}

}  // namespace tavelle
