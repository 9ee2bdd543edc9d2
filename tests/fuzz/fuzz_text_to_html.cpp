// TextToHTML and InsertTitle on arbitrary text.
//
// Input: a byte whose lowest bit is keepLayout, then the text (also used
// as the page head) up to the first NUL byte, then the title.
//
// Checked besides the sanitizers: TextToHTML only adds characters, and
// without keepLayout it leaves the flattened text in its argument; a head
// without a title tag pair comes back unchanged from InsertTitle, and
// putting in a second title gives what putting in that title alone gives.
#include <cstdint>
#include <string>
#include <string_view>

#include "engine/html/page_frame.h"
#include "engine/scan/fields.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

using automation::AsciiLowerCopy;

// Whether the characters of `part` appear in `whole` in the same order.
bool IsSubsequence(std::string_view part, std::string_view whole) {
  size_t at = 0;
  for (char ch : whole)
    if (at < part.size() && part[at] == ch) ++at;
  return at == part.size();
}

void CheckTextToHTML(std::string_view input, bool keepLayout) {
  std::string text(input);
  std::string html = tavelle::TextToHTML(text, keepLayout);
  if (keepLayout) {
    FUZZ_CHECK(text == input, "the text is kept with keepLayout");
  } else {
    FUZZ_CHECK(text == tavelle::FlattenText(input), "the text is flattened in place");
    FUZZ_CHECK(text.find_first_of("\r\n\t") == std::string::npos, "flat text has no breaks");
  }
  FUZZ_CHECK(IsSubsequence(text, html), "every character of the text is in the HTML");
}

void CheckInsertTitle(std::string_view head, std::string_view title) {
  std::string once = tavelle::InsertTitle(head, title);
  std::string lowerHead = AsciiLowerCopy(head);
  size_t open = lowerHead.find("<title>");
  if (open == std::string::npos || lowerHead.find("</title>", open) == std::string::npos) {
    FUZZ_CHECK(once == head, "a head without title tags is unchanged");
    return;
  }
  FUZZ_CHECK(once.find(title) != std::string::npos, "the title is in the head");
  // A title that holds no closing tag of its own is replaced as a whole.
  if (AsciiLowerCopy(title).find("</title>") == std::string::npos) {
    FUZZ_CHECK(tavelle::InsertTitle(once, "x") == tavelle::InsertTitle(head, "x"),
               "a new title replaces the old one");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  bool keepLayout = (data[0] & 1) != 0;
  auto [text, title] = fuzz_support::SplitOnce(fuzz_support::AsText(data + 1, size - 1), '\0');
  CheckTextToHTML(text, keepLayout);
  CheckInsertTitle(text, title);
  return 0;
}
