#include "engine/scan/fields.h"

#include <algorithm>

namespace tavelle {
namespace {

constexpr std::string_view kFieldTerminator = "\\\\";
constexpr std::string_view kMarkerStart = "DOC_DEFINE_";
// What may stand before a field name, a terminator or a marker on its line.
constexpr std::string_view kBlanks = " \t\r";
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

// Finds the lines of a block that begin, after blanks, with `needle`. The
// outline asks for them in ascending order, so the last one found is kept
// and a block is searched once for each needle.
class LineHeads {
 public:
  LineHeads(std::string_view block, std::string_view needle) : block_(block), needle_(needle) {}

  // The start of the first such line at or after the line start `from`, or
  // npos.
  size_t From(size_t from) {
    if (searched_ && (found_ == std::string_view::npos || found_ >= from)) return found_;
    searched_ = true;
    for (size_t hit = block_.find(needle_, from); hit != std::string_view::npos;
         hit = block_.find(needle_, hit + 1)) {
      size_t line = block_.rfind('\n', hit);
      line = line == std::string_view::npos ? 0 : line + 1;
      if (IsBlank(block_.substr(line, hit - line))) return found_ = line;
    }
    return found_ = std::string_view::npos;
  }

 private:
  static bool IsBlank(std::string_view text) {
    return text.find_first_not_of(kBlanks) == std::string_view::npos;
  }

  std::string_view block_;
  std::string_view needle_;
  bool searched_ = false;
  size_t found_ = std::string_view::npos;
};

}  // namespace

void OutlineBlock(std::string_view block, BlockOutline& outline) {
  outline.fields.clear();
  outline.markers.clear();
  LineHeads markerLines(block, kMarkerStart);
  LineHeads terminatorLines(block, kFieldTerminator);
  bool expectingField = true;
  bool insideOtherBlock = false;
  for (size_t pos = 0;;) {
    // Lines that are neither markers, terminators nor a field's first line
    // change nothing: they are skipped.
    if (insideOtherBlock) {
      pos = markerLines.From(pos);
    } else if (!expectingField) {
      pos = std::min(markerLines.From(pos), terminatorLines.From(pos));
    }
    if (pos == std::string_view::npos) return;
    size_t end = block.find('\n', pos);
    std::string_view line = block.substr(pos, end == std::string_view::npos ? end : end - pos);
    size_t first = line.find_first_not_of(kBlanks);
    line = first == std::string_view::npos ? std::string_view() : line.substr(first);
    if (line.starts_with(kMarkerStart)) {
      outline.markers.push_back(pos + first);
      insideOtherBlock = line.find("_START") != std::string_view::npos;
      expectingField = !insideOtherBlock;
    } else if (!insideOtherBlock && line.starts_with(kFieldTerminator)) {
      expectingField = true;
    } else if (!insideOtherBlock && expectingField && !line.empty()) {
      expectingField = false;
      if (std::string_view name = HeadName(line); !name.empty())
        outline.fields.push_back({name, pos + first});
    }
    if (end == std::string_view::npos) return;
    pos = end + 1;
  }
}

size_t BlockOutline::FieldOffset(std::string_view name) const {
  for (const FieldHead& field : fields)
    if (field.name == name) return field.offset;
  return std::string_view::npos;
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

std::string FirstLine(std::string_view description) {
  std::string_view text = TrimSpaces(StripLeadingLineBreaks(description));
  return std::string(text.substr(0, text.find("\r\n")));
}

}  // namespace tavelle
