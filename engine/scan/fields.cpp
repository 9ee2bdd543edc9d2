#include "engine/scan/fields.h"

#include <algorithm>

namespace tavelle {
namespace {

constexpr std::string_view kFieldTerminator = "\\\\";
constexpr std::string_view kMarkerStart = "DOC_DEFINE_";
constexpr size_t kLongestFieldName = 40;

bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

bool IsNameChar(char c) { return IsLetter(c) || (c >= '0' && c <= '9') || c == '_' || c == ' '; }

// The field name that `line` (without its leading blanks) begins with, or
// empty when it begins with none: name characters up to a colon.
std::string_view HeadName(std::string_view line) {
  size_t colon = 0;
  while (colon < line.size() && colon <= kLongestFieldName && IsNameChar(line[colon])) ++colon;
  if (colon == 0 || colon > kLongestFieldName || colon == line.size() || line[colon] != ':')
    return {};
  if (!IsLetter(line.front())) return {};
  return line.substr(0, colon);
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

// Reads a block's lines for OutlineBlock. Only marker lines, terminator
// lines and the line a field may begin on change the outline; the lines
// between them are skipped by searching for the next marker or terminator.
class Outliner {
 public:
  Outliner(std::string_view block, BlockOutline& outline)
      : block_(block), outline_(outline), marker_(block.find(kMarkerStart)) {}

  void Run() {
    for (size_t pos = 0; pos != std::string_view::npos;) pos = ReadLine(pos);
  }

 private:
  // Reads the line that starts at `pos`; returns the start of the next
  // line to read, or npos.
  size_t ReadLine(size_t pos) {
    size_t first = pos;
    while (first < block_.size() && IsBlank(block_[first])) ++first;
    std::string_view rest = block_.substr(first);
    if (rest.starts_with(kMarkerStart)) {
      outline_.markers.push_back(first);
      inside_ = rest.substr(0, rest.find('\n')).find("_START") != std::string_view::npos;
      expecting_ = !inside_;
    } else if (!inside_ && rest.starts_with(kFieldTerminator)) {
      expecting_ = true;
    } else if (!inside_ && expecting_ && !rest.empty() && rest.front() != '\n') {
      expecting_ = false;
      if (std::string_view name = HeadName(rest); !name.empty())
        outline_.fields.push_back({name, first});
    }
    // Lines read one after another are terminator, marker and blank lines:
    // short ones.
    if (expecting_ && !inside_) {
      size_t end = first;
      while (end < block_.size() && block_[end] != '\n') ++end;
      return end == block_.size() ? std::string_view::npos : end + 1;
    }
    return NextChange(first + 1);
  }

  // The start of the first line at or after `from` that begins with a
  // marker or, outside an inner block, a terminator; npos when none does.
  size_t NextChange(size_t from) {
    for (;;) {
      if (marker_ < from) marker_ = block_.find(kMarkerStart, from);
      size_t hit = inside_ ? marker_ : std::min(marker_, FindTerminator(from));
      if (hit == std::string_view::npos) return hit;
      size_t start = hit;
      while (start > 0 && IsBlank(block_[start - 1])) --start;
      if (start == 0 || block_[start - 1] == '\n') return start;
      from = hit + 1;
    }
  }

  // Backslashes are rare outside terminators, so a search for one beats a
  // search for the pair.
  size_t FindTerminator(size_t from) const {
    size_t hit = block_.find('\\', from);
    while (hit != std::string_view::npos && !block_.substr(hit).starts_with(kFieldTerminator))
      hit = block_.find('\\', hit + 1);
    return hit;
  }

  std::string_view block_;
  BlockOutline& outline_;
  size_t marker_;  // the next marker at or after the last search, or npos
  bool expecting_ = true;
  bool inside_ = false;  // within a block written inside the block
};

}  // namespace

void OutlineBlock(std::string_view block, BlockOutline& outline) {
  outline.fields.clear();
  outline.markers.clear();
  Outliner(block, outline).Run();
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

void FlattenTextInPlace(std::string& text) {
  size_t kept = 0;
  for (char c : text) {
    if (c == '\n') continue;
    text[kept++] = c == '\r' || c == '\t' ? ' ' : c;
  }
  text.resize(kept);
}

std::string FlattenText(std::string_view text) {
  std::string flat(text);
  FlattenTextInPlace(flat);
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
