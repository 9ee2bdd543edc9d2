#include "engine/scan/fields.h"

#include <algorithm>

namespace tavelle {
namespace {

constexpr std::string_view kFieldTerminator = "\\\\";
constexpr size_t kLongestFieldName = 40;

bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

bool IsNameChar(char c) { return IsLetter(c) || (c >= '0' && c <= '9') || c == '_' || c == ' '; }

// The field name that `line` (without its leading blanks) begins with, or
// empty when it begins with none.
std::string_view HeadName(std::string_view line) {
  size_t colon = line.find(':');
  if (colon == std::string_view::npos || colon > kLongestFieldName) return {};
  std::string_view name = line.substr(0, colon);
  if (name.empty() || !IsLetter(name.front())) return {};
  if (!std::all_of(name.begin(), name.end(), IsNameChar)) return {};
  return name;
}

}  // namespace

void OutlineBlock(std::string_view block, BlockOutline& outline) {
  outline.fields.clear();
  outline.markers.clear();
  bool expectingField = true;
  bool insideOtherBlock = false;
  int32_t lineNumber = 0;
  for (size_t pos = 0;; ++lineNumber) {
    size_t end = block.find('\n', pos);
    std::string_view line = block.substr(pos, end == std::string_view::npos ? end : end - pos);
    size_t first = line.find_first_not_of(" \t\r");
    line = first == std::string_view::npos ? std::string_view() : line.substr(first);
    if (line.starts_with("DOC_DEFINE_")) {
      outline.markers.push_back(pos + first);
      insideOtherBlock = line.find("_START") != std::string_view::npos;
      expectingField = !insideOtherBlock;
    } else if (!insideOtherBlock && line.starts_with(kFieldTerminator)) {
      expectingField = true;
    } else if (!insideOtherBlock && expectingField && !line.empty()) {
      expectingField = false;
      if (std::string_view name = HeadName(line); !name.empty())
        outline.fields.push_back({name, lineNumber});
    }
    if (end == std::string_view::npos) return;
    pos = end + 1;
  }
}

int32_t BlockOutline::FieldLine(std::string_view name) const {
  for (const FieldHead& field : fields)
    if (field.name == name) return field.line;
  return -1;
}

std::string_view TrimSpaces(std::string_view text) {
  size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  size_t last = text.find_last_not_of(' ');
  return text.substr(first, last - first + 1);
}

std::string FlattenText(std::string_view text) {
  std::string flat;
  flat.reserve(text.size());
  for (char c : text) {
    if (c == '\n') continue;
    flat.push_back(c == '\r' || c == '\t' ? ' ' : c);
  }
  return flat;
}

std::string GetField(std::string_view block, std::string_view fieldName, bool singleLine) {
  std::string key(fieldName);
  key += ':';
  size_t keyAt = block.find(key);
  if (keyAt == std::string_view::npos) return {};
  size_t valueStart = keyAt + key.size();

  size_t terminator = block.find(kFieldTerminator, valueStart);
  if (terminator == std::string_view::npos) return {};
  // The value ends two characters before the terminator: with the usual
  // layout those are the CR LF of the value's last line. A terminator on
  // the value's own line costs the value its last two characters instead.
  if (terminator < valueStart + 2) return {};
  std::string_view value = TrimSpaces(block.substr(valueStart, terminator - valueStart - 2));
  if (!singleLine) return std::string(value);
  std::string line = FlattenText(value);
  std::string_view trimmed = TrimSpaces(line);
  if (trimmed.size() == line.size()) return line;
  return std::string(trimmed);
}

void GetFieldList(std::string_view block, std::string_view fieldName,
                  std::vector<std::string>& list) {
  std::string items = GetField(block, fieldName, true);
  std::string_view rest = items;
  while (!rest.empty()) {
    size_t comma = rest.find(',');
    list.emplace_back(TrimSpaces(rest.substr(0, comma)));
    if (comma == std::string_view::npos) break;
    rest.remove_prefix(comma + 1);
  }
}

std::string_view StripLeadingLineBreaks(std::string_view text) {
  size_t first = text.find_first_not_of("\r\n");
  return first == std::string_view::npos ? std::string_view() : text.substr(first);
}

std::string_view FirstLine(std::string_view description) {
  std::string_view text = TrimSpaces(StripLeadingLineBreaks(description));
  return text.substr(0, text.find("\r\n"));
}

}  // namespace tavelle
