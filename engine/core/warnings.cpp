#include "engine/core/warnings.h"

#include <algorithm>
#include <array>

namespace tavelle {
namespace {

std::string OneField(std::string_view text) {
  std::string field(text);
  std::replace_if(
      field.begin(), field.end(), [](char c) { return c == '\t' || c == '\r' || c == '\n'; }, ' ');
  return field;
}

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Edits (insertions, deletions, replacements and swaps of two neighbours)
// between the two names, letter case aside; any number above `most` once
// the names are known to be further apart.
size_t EditDistance(std::string_view a, std::string_view b, size_t most) {
  auto same = [&](size_t i, size_t j) { return Lower(a[i]) == Lower(b[j]); };
  std::vector<size_t> before(b.size() + 1), previous(b.size() + 1), row(b.size() + 1);
  for (size_t j = 0; j <= b.size(); ++j) previous[j] = j;
  for (size_t i = 1; i <= a.size(); ++i) {
    row[0] = i;
    for (size_t j = 1; j <= b.size(); ++j) {
      row[j] = std::min({previous[j] + 1, row[j - 1] + 1,
                         previous[j - 1] + (same(i - 1, j - 1) ? 0 : 1)});
      if (i > 1 && j > 1 && same(i - 1, j - 2) && same(i - 2, j - 1))
        row[j] = std::min(row[j], before[j - 2] + 1);
    }
    // A row never shrinks below its smallest entry further down.
    if (*std::min_element(row.begin(), row.end()) > most) return most + 1;
    std::swap(before, previous);
    std::swap(previous, row);
  }
  return previous[b.size()];
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
  if (prefix.size() > text.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i)
    if (Lower(text[i]) != Lower(prefix[i])) return false;
  return true;
}

}  // namespace

std::span<const std::string_view> WarningKinds() {
  static constexpr std::array kKinds = {
      kUnknownClassWarning,  kUnknownFieldWarning,     kNestedBlockWarning,
      kMissingEndWarning,    kDuplicateWarning,        kUndocumentedBaseWarning,
      kUnknownAccessWarning, kMissingInputWarning,     kUnmatchedTypeWarning,
      kUnknownConfigWarning, kCommentPrefixWarning,    kSharedOutputWarning,
  };
  return kKinds;
}

void WarningLog::Add(std::string_view path, int32_t line, std::string_view kind,
                     std::string_view message) {
  if (IsDisabled(kind)) return;
  warnings_.push_back({OneField(path), line, std::string(kind), OneField(message)});
}

void WarningLog::SetDisabled(std::string_view kinds) {
  disabled_.clear();
  constexpr std::string_view kSeparators = ", \t";
  for (size_t start = kinds.find_first_not_of(kSeparators); start != std::string_view::npos;) {
    size_t end = kinds.find_first_of(kSeparators, start);
    disabled_.emplace_back(kinds.substr(start, end - start));
    start = kinds.find_first_not_of(kSeparators, end);
  }
}

bool WarningLog::IsDisabled(std::string_view kind) const {
  return std::find(disabled_.begin(), disabled_.end(), kind) != disabled_.end();
}

void WarningLog::SortByPlace() {
  std::stable_sort(warnings_.begin(), warnings_.end(), [](const Warning& a, const Warning& b) {
    if (a.Path != b.Path) return a.Path < b.Path;
    return a.Line < b.Line;
  });
}

std::string WarningLog::Text() const {
  std::string text;
  for (const Warning& warning : warnings_) {
    text += warning.Path;
    text += '\t';
    text += std::to_string(warning.Line);
    text += '\t';
    text += warning.Kind;
    text += '\t';
    text += warning.Message;
    text += '\n';
  }
  return text;
}

void NearestName::Consider(std::string_view candidate) {
  constexpr size_t kMostEdits = 2;
  size_t shorter = std::min(word_.size(), candidate.size());
  size_t longer = std::max(word_.size(), candidate.size());
  // Names of very different lengths are near only as prefixes; the edit
  // distance is not worth computing for them.
  size_t distance =
      longer - shorter <= kMostEdits ? EditDistance(word_, candidate, kMostEdits) : longer;
  bool near = distance <= kMostEdits && distance * 2 < candidate.size();
  if (!near && shorter >= 4 &&
      (StartsWithIgnoringCase(word_, candidate) || StartsWithIgnoringCase(candidate, word_))) {
    near = true;
  }
  if (!near || distance >= best_distance_) return;
  best_distance_ = distance;
  best_ = candidate;
}

std::string NearestName::Suggestion() const {
  if (best_.empty()) return {};
  return "; did you mean '" + best_ + "'?";
}

}  // namespace tavelle
