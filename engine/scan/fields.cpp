#include "engine/scan/fields.h"

namespace tavelle {
namespace {

constexpr std::string_view kFieldTerminator = "\\\\";

}  // namespace

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

std::string FirstLine(std::string_view description) {
  std::string_view text = TrimSpaces(StripLeadingLineBreaks(description));
  return std::string(text.substr(0, text.find("\r\n")));
}

}  // namespace tavelle
