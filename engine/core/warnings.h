// The warnings of a run: authoring mistakes found in the sources and the
// settings, kept apart from the progress rows so that the rows stay as
// they are.
//
// A warning is a place (a file path, and a line counted from 1, or 0 when
// the warning is about a whole file or a setting), a kind and a message.
// Text() gives one warning a line, "path TAB line TAB kind TAB message".
// Kinds can be switched off; Add ignores a warning of a disabled kind. The
// log is filled from the run's thread only.
#ifndef TAVELLE_ENGINE_CORE_WARNINGS_H_
#define TAVELLE_ENGINE_CORE_WARNINGS_H_

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tavelle {

// The kinds, each named as users switch it off.
inline constexpr std::string_view kUnknownClassWarning = "unknown-class";
inline constexpr std::string_view kUnknownFieldWarning = "unknown-field";
inline constexpr std::string_view kNestedBlockWarning = "nested-block";
inline constexpr std::string_view kMissingEndWarning = "missing-end";
inline constexpr std::string_view kDuplicateWarning = "duplicate";
inline constexpr std::string_view kUndocumentedBaseWarning = "undocumented-base";
inline constexpr std::string_view kUnknownAccessWarning = "unknown-access";
inline constexpr std::string_view kMissingInputWarning = "missing-input";
inline constexpr std::string_view kUnmatchedTypeWarning = "unmatched-type";
inline constexpr std::string_view kUnknownConfigWarning = "unknown-config";
inline constexpr std::string_view kCommentPrefixWarning = "comment-prefix";
inline constexpr std::string_view kSharedOutputWarning = "shared-output";

// Every kind, in the order the manual describes them.
std::span<const std::string_view> WarningKinds();

struct Warning {
  std::string Path;
  int32_t Line = 0;
  std::string Kind;
  std::string Message;
};

class WarningLog {
 public:
  // Keeps the warning unless its kind is disabled. Tabs and line breaks in
  // the path and message become blanks, so that each stays one field.
  void Add(std::string_view path, int32_t line, std::string_view kind, std::string_view message);

  // Forgets the warnings; the disabled kinds stay.
  void Clear() { warnings_.clear(); }

  // Disables the kinds named in `kinds`, separated by commas or blanks,
  // and enables all others.
  void SetDisabled(std::string_view kinds);
  bool IsDisabled(std::string_view kind) const;

  // Orders the warnings by path, then line; the order of the rest stays.
  void SortByPlace();

  int32_t Count() const { return static_cast<int32_t>(warnings_.size()); }
  const std::vector<Warning>& Entries() const { return warnings_; }
  std::string Text() const;

 private:
  std::vector<Warning> warnings_;
  std::vector<std::string> disabled_;
};

// Finds, among the names it is shown, the one closest to `word`: at most
// two edits away (letter case aside) and closer than half its length, or
// one that begins with the other. Best() is empty when none was close.
class NearestName {
 public:
  explicit NearestName(std::string_view word) : word_(word) {}
  void Consider(std::string_view candidate);
  const std::string& Best() const { return best_; }
  // "; did you mean 'Best'?" or empty.
  std::string Suggestion() const;

 private:
  std::string word_;
  std::string best_;
  size_t best_distance_ = SIZE_MAX;
};

}  // namespace tavelle

#endif  // TAVELLE_ENGINE_CORE_WARNINGS_H_
