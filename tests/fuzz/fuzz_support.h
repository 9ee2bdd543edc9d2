// Helpers shared by the fuzz targets: a check that stops the fuzzer with a
// message, a scratch folder per process, and cutting an input into parts.
#ifndef TAVELLE_TESTS_FUZZ_FUZZ_SUPPORT_H_
#define TAVELLE_TESTS_FUZZ_FUZZ_SUPPORT_H_

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "automation/ascii.h"
#include "tests/support/test_support.h"

// A broken property is reported like a crash, so that libFuzzer saves the
// input that broke it.
#define FUZZ_CHECK(condition, what)                                                \
  do {                                                                              \
    if (!(condition)) {                                                             \
      std::fprintf(stderr, "%s:%d: property failed: %s\n", __FILE__, __LINE__, what); \
      std::abort();                                                                 \
    }                                                                               \
  } while (false)

namespace fuzz_support {

inline std::string_view AsText(const uint8_t* data, size_t size) {
  return std::string_view(reinterpret_cast<const char*>(data), size);
}

// The text before the first `separator` and the text after it (empty when
// there is none).
inline std::pair<std::string_view, std::string_view> SplitOnce(std::string_view text,
                                                               char separator) {
  size_t at = text.find(separator);
  if (at == std::string_view::npos) return {text, std::string_view()};
  return {text.substr(0, at), text.substr(at + 1)};
}

// The pieces of `text` between the separators; no piece for an empty text.
inline std::vector<std::string_view> SplitAll(std::string_view text, char separator) {
  std::vector<std::string_view> pieces;
  while (!text.empty()) {
    auto [piece, rest] = SplitOnce(text, separator);
    pieces.push_back(piece);
    text = rest;
  }
  return pieces;
}


// A folder of this process below the temporary folder (TMPDIR), removed
// when the fuzzer exits normally.
inline const testing_support::TempDir& Scratch() {
  static testing_support::TempDir folder;
  return folder;
}

inline std::string ScratchPath(const std::string& name) { return Scratch() / name; }

}  // namespace fuzz_support

#endif  // TAVELLE_TESTS_FUZZ_FUZZ_SUPPORT_H_
