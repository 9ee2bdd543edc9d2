// Auto-linking of a text with a list of search words.
//
// Input: a byte that picks the page kind, the search words up to the first
// NUL byte (one a line: the name, then optionally a TAB and its
// replacement; without one the replacement is an anchor to the name's
// page), then the text.
//
// The linker reads the text once and replaces words as it goes. Here its
// result is compared with a plain rendering of the linking rules: space
// the tags, collect the candidate words with the position that ends each,
// match them in list order, then splice the replacements in from left to
// right with a running offset. The same words are also resolved through
// the search-word index, for the sanitizers.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/html/auto_link.h"
#include "engine/search/search_word_index.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

using automation::AsciiLowerCopy;
using tavelle::SearchWord;
using tavelle::SearchWordRef;

constexpr size_t kMaxScannedLength = 32767;
constexpr std::string_view kWordTypes[] = {"Class", "Function", "General", "Keyword"};

bool IsWordCharacter(char ch) {
  return (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z') || (ch >= '0' && ch <= '9') ||
         ch == '_' || ch == '%' || ch == '/';
}

// One pass of replacing `from` by nothing, left to right.
std::string EraseAll(std::string_view text, std::string_view from) {
  std::string result;
  for (size_t at; (at = text.find(from)) != std::string_view::npos;
       text.remove_prefix(at + from.size()))
    result.append(text.substr(0, at));
  result.append(text);
  return result;
}

struct Candidate {
  std::string name;
  size_t end;  // 1-based position of the character after the word
  const SearchWord* match = nullptr;
};

void EndWord(std::string& word, size_t end, std::vector<Candidate>& found) {
  word = AsciiLowerCopy(word);
  if (!word.empty()) found.push_back({word, end});
  word.clear();
}

// The candidate words of an already spaced text.
std::vector<Candidate> FindWords(std::string_view spaced) {
  std::vector<Candidate> found;
  std::string word;
  bool inTag = false;
  bool isWord = false;
  for (size_t i = 0; i < spaced.size(); ++i) {
    char ch = spaced[i];
    if (ch == '<')
      inTag = true;
    else
      isWord = IsWordCharacter(ch);
    if (ch == '<' || !inTag) {
      if (isWord) {
        word += ch;
        for (char drop : std::string_view("\r\n\t;:<", 6)) std::erase(word, drop);
        word = EraseAll(word, "nbsp");
      } else {
        EndWord(word, i + 1, found);
      }
    }
    if (ch == '>') inTag = false;
  }
  if (isWord && !inTag) EndWord(word, spaced.size() + 1, found);
  return found;
}

size_t CodePoints(std::string_view text) {
  size_t count = 0;
  for (char ch : text)
    if ((static_cast<unsigned char>(ch) & 0xC0) != 0x80) ++count;
  return count;
}

std::string ReferenceLink(std::string_view text, const std::vector<SearchWordRef>& words) {
  std::string spaced;
  for (char ch : text) {
    if (ch == '<') spaced += ' ';
    spaced += ch;
    if (ch == '>') spaced += ' ';
  }
  if (CodePoints(spaced) > kMaxScannedLength) return spaced;

  std::vector<Candidate> found = FindWords(spaced);
  for (Candidate& candidate : found) {
    for (const SearchWordRef& word : words) {
      if (AsciiLowerCopy(word->Name) == candidate.name) {
        candidate.match = word.get();
        break;
      }
    }
  }

  std::string linked = spaced;
  long offset = 0;
  for (const Candidate& candidate : found) {
    if (!candidate.match || candidate.match->ReplaceString.empty()) continue;
    const std::string& name = candidate.match->Name;
    size_t before = static_cast<size_t>(offset + static_cast<long>(candidate.end) - 1) - name.size();
    // A word that lost the letters "nbsp" no longer stands where its
    // letters are counted back from its end; such words stay unlinked.
    if (AsciiLowerCopy(std::string_view(linked).substr(before, name.size())) != candidate.name)
      continue;
    linked.replace(before, name.size(), candidate.match->ReplaceString);
    offset += static_cast<long>(candidate.match->ReplaceString.size()) -
              static_cast<long>(name.size());
  }
  return linked;
}

std::vector<SearchWordRef> ReadWords(std::string_view lines) {
  std::vector<SearchWordRef> words;
  for (std::string_view line : fuzz_support::SplitAll(lines, '\n')) {
    auto word = std::make_shared<SearchWord>();
    auto [name, replacement] = fuzz_support::SplitOnce(line, '\t');
    word->Name = name;
    bool hasTab = name.size() < line.size();
    word->ReplaceString = hasTab ? std::string(replacement)
                                 : "<a href=\"" + word->Name + ".html\">" + word->Name + "</a>";
    word->WordType = kWordTypes[words.size() % 4];
    word->Class = "C" + std::to_string(words.size() % 3);
    words.push_back(std::move(word));
  }
  return words;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  for (int code = 0; code < 256; ++code) {
    char ch = static_cast<char>(code);
    FUZZ_CHECK(tavelle::IsWordSeparator(ch) == !IsWordCharacter(ch), "word characters");
  }
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  auto [lines, text] = fuzz_support::SplitOnce(fuzz_support::AsText(data + 1, size - 1), '\0');
  std::vector<SearchWordRef> words = ReadWords(lines);

  std::string linked = tavelle::LinkSearchWords(text, tavelle::ListResolver(words));
  FUZZ_CHECK(linked == ReferenceLink(text, words), "linked as the rules say");

  tavelle::SearchWordIndex index;
  index.Build(words);
  auto kind = static_cast<tavelle::PageKind>(data[0] % 3);
  std::optional<std::string> currentClass;
  if (data[0] & 4) currentClass = "C" + std::to_string(data[0] % 3);
  tavelle::LinkSearchWords(text, *index.ResolverFor(kind, currentClass));
  return 0;
}
