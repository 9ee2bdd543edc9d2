// ASCII case folding, the one used everywhere names are compared without
// regard to case (member names, Booleans, words for auto-linking, file
// extensions). Only A-Z and a-z fold; other bytes, UTF-8 included, stay.
#ifndef TAVELLE_AUTOMATION_ASCII_H_
#define TAVELLE_AUTOMATION_ASCII_H_

#include <string>
#include <string_view>

namespace automation {

constexpr char AsciiLower(char ch) {
  return ch >= 'A' && ch <= 'Z' ? static_cast<char>(ch - 'A' + 'a') : ch;
}

inline std::string AsciiLowerCopy(std::string_view text) {
  std::string lower(text);
  for (char& ch : lower) ch = AsciiLower(ch);
  return lower;
}

inline bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  return true;
}

}  // namespace automation

#endif  // TAVELLE_AUTOMATION_ASCII_H_
