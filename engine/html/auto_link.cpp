// Auto-linking in one pass over the text.
//
// The text is read once, a run at a time: tags are copied with their
// spacing (" <" and "> "), separators as they are, and each run of word
// characters is copied and then looked up. When the resolver knows the
// word, its letters, which are the last characters copied, are cut off the
// result and the search word's ReplaceString is appended instead. So the
// cost is linear in the text plus one resolver lookup per word.
#include "engine/html/auto_link.h"

#include <array>
#include <cstddef>

#include "automation/ascii.h"

namespace tavelle {
namespace {

// Texts longer than this, counted after spacing, are returned spaced but
// unlinked; the scanner has always kept its positions in 16 bits.
constexpr size_t kMaxScannedLength = 32767;

using automation::AsciiLower;

// Length of `text` in characters once spaced: every code point (UTF-8
// continuation bytes do not count) plus one blank per "<" and per ">".
size_t SpacedLength(std::string_view text) {
  size_t length = 0;
  for (char ch : text) {
    unsigned char byte = static_cast<unsigned char>(ch);
    if ((byte & 0xC0) != 0x80) ++length;
    if (ch == '<' || ch == '>') ++length;
  }
  return length;
}

void AppendSpacedText(std::string& out, std::string_view text) {
  out.reserve(out.size() + text.size() + text.size() / 8);
  for (char ch : text) {
    if (ch == '<') out += ' ';
    out += ch;
    if (ch == '>') out += ' ';
  }
}

// Word characters: A-Z, a-z, 0-9, "_", "%" and "/". Bytes of 128 and
// above (the parts of UTF-8 sequences) separate words.
constexpr std::array<bool, 256> kWordCharacters = [] {
  std::array<bool, 256> table{};
  for (int ch = '0'; ch <= '9'; ++ch) table[ch] = true;
  for (int ch = 'A'; ch <= 'Z'; ++ch) table[ch] = table[ch + 32] = true;
  table['_'] = table['%'] = table['/'] = true;
  return table;
}();

bool IsWordCharacter(char ch) { return kWordCharacters[static_cast<unsigned char>(ch)]; }

// The word a run of word characters makes once every "nbsp" it forms is
// dropped: the four letters are what is left of the entity "&nbsp;" once
// "&" and ";" have split it off. They are dropped as the letters arrive,
// so dropping one may bring an earlier "nb" and a later "sp" together.
std::string WordWithoutEntities(std::string_view run) {
  std::string word;
  for (char ch : run) {
    word += ch;
    if (word.ends_with("nbsp")) word.resize(word.size() - 4);
  }
  return word;
}

// Appends spaced text to `out` a run at a time: tags verbatim, runs of
// word characters followed by their link check, and separators. Links
// replace only characters this linker appended.
class Linker {
 public:
  Linker(std::string& out, const WordResolver& words, size_t sizeHint)
      : words_(words), out_(out) {
    out_.reserve(out_.size() + sizeHint + sizeHint / 4);
  }

  void Link(std::string_view text) {
    size_t at = 0;
    while (at < text.size()) {
      char ch = text[at];
      if (ch == '<') {
        at = CopyTag(text, at);
      } else if (IsWordCharacter(ch)) {
        size_t end = at + 1;
        while (end < text.size() && IsWordCharacter(text[end])) ++end;
        AddWord(text.substr(at, end - at));
        at = end;
      } else {
        out_ += ch;
        if (ch == '>') out_ += ' ';
        ++at;
      }
    }
  }

 private:
  // Copies the tag starting at `at` with its spacing: a blank before every
  // "<" and after the closing ">". Returns where the text goes on.
  size_t CopyTag(std::string_view text, size_t at) {
    for (; at < text.size(); ++at) {
      char ch = text[at];
      if (ch == '<') out_ += ' ';
      out_ += ch;
      if (ch == '>') {
        out_ += ' ';
        return at + 1;
      }
    }
    return at;
  }

  // Copies a run of word characters, then links the word it makes. A word
  // that lost the letters "nbsp" from its middle or end no longer matches
  // the characters that end the result; it is left unlinked rather than
  // replacing the wrong ones.
  void AddWord(std::string_view run) {
    out_.append(run);
    bool formsEntity = run.find("nbsp") != std::string_view::npos;
    lower_ = formsEntity ? WordWithoutEntities(run) : run;
    for (char& ch : lower_) ch = AsciiLower(ch);
    if (lower_.empty()) return;
    size_t start = out_.size() - lower_.size();
    if (formsEntity && !automation::EqualsIgnoringAsciiCase(std::string_view(out_).substr(start), lower_)) return;
    const SearchWord* match = words_.Resolve(lower_);
    if (match == nullptr || match->ReplaceString.empty()) return;
    out_.resize(start);
    out_ += match->ReplaceString;
  }

  const WordResolver& words_;
  std::string& out_;
  std::string lower_;
};

}  // namespace

const SearchWord* ListResolver::Resolve(std::string_view lowerWord) const {
  for (const SearchWordRef& word : words_)
    if (automation::EqualsIgnoringAsciiCase(word->Name, lowerWord)) return word.get();
  return nullptr;
}

bool IsWordSeparator(char ch) { return !IsWordCharacter(ch); }

void AppendLinkedWords(std::string& out, std::string_view text, const WordResolver& words) {
  if (SpacedLength(text) > kMaxScannedLength) {
    AppendSpacedText(out, text);
    return;
  }
  Linker(out, words, text.size()).Link(text);
}

std::string LinkSearchWords(std::string_view text, const WordResolver& words) {
  std::string linked;
  AppendLinkedWords(linked, text, words);
  return linked;
}

}  // namespace tavelle
