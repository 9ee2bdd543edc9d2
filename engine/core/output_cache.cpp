#include "engine/core/output_cache.h"

#include <algorithm>
#include <charconv>

namespace tavelle {
namespace {

// The program's version is part of the first line: another version may
// make other bytes from the same inputs.
constexpr std::string_view kVersionLine = "tavelle-cache 1 " TAVELLE_VERSION;
// The last line; a cache cut short by a killed run has none.
constexpr std::string_view kEndLine = "end";

// Takes the next blank-ended number from `line`.
template <class Number>
bool TakeNumber(std::string_view& line, Number& number, int base = 10) {
  auto [end, error] = std::from_chars(line.data(), line.data() + line.size(), number, base);
  if (error != std::errc() || end == line.data() + line.size() || *end != ' ') return false;
  line.remove_prefix(static_cast<size_t>(end - line.data()) + 1);
  return true;
}

// One line: key (hexadecimal), size, modification time, inode, name.
bool ParseLine(std::string_view line, OutputCache& cache) {
  CachedFile file;
  if (!TakeNumber(line, file.key, 16) || !TakeNumber(line, file.identity.size) ||
      !TakeNumber(line, file.identity.modified) || !TakeNumber(line, file.identity.inode) ||
      line.empty())
    return false;
  cache.insert_or_assign(std::string(line), file);
  return true;
}

}  // namespace

OutputCache ParseOutputCache(std::string_view text) {
  OutputCache cache;
  cache.reserve(static_cast<size_t>(std::count(text.begin(), text.end(), '\n')));
  bool first = true;
  while (!text.empty()) {
    size_t end = text.find('\n');
    if (end == std::string_view::npos) return {};
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end + 1);
    if (first) {
      if (line != kVersionLine) return {};
      first = false;
    } else if (line == kEndLine) {
      return text.empty() ? cache : OutputCache();
    } else if (!ParseLine(line, cache)) {
      return {};
    }
  }
  return {};
}

std::string FormatOutputCache(const std::vector<std::pair<std::string_view, CachedFile>>& files) {
  std::string text(kVersionLine);
  text += '\n';
  char number[24];
  auto append = [&](auto value, int base) {
    text.append(number, std::to_chars(number, number + sizeof number, value, base).ptr);
    text += ' ';
  };
  for (const auto& [name, file] : files) {
    // A name that would break the one-file-a-line form is not cached.
    if (name.find_first_of("\r\n") != std::string_view::npos) continue;
    append(file.key, 16);
    append(file.identity.size, 10);
    append(file.identity.modified, 10);
    append(file.identity.inode, 10);
    text += name;
    text += '\n';
  }
  text += kEndLine;
  text += '\n';
  return text;
}

}  // namespace tavelle
