// Auto-linking in one pass over the text.
//
// The text is read once; each character is first given its tag spacing
// (" <" and "> "), then fed to a small word scanner, then copied to the
// result. When a word ends and its resolver knows it, the word's letters,
// which are the last characters copied, are cut off the result and the
// search word's ReplaceString is appended instead. So the cost is linear in
// the text plus one resolver lookup per word.
#include "engine/html/auto_link.h"

#include <cstddef>

namespace tavelle {
namespace {

// Texts longer than this, counted after spacing, are returned spaced but
// unlinked; the scanner has always kept its positions in 16 bits.
constexpr size_t kMaxScannedLength = 32767;

char AsciiLower(char ch) { return ch >= 'A' && ch <= 'Z' ? static_cast<char>(ch + 32) : ch; }

bool EqualsIgnoringCase(std::string_view name, std::string_view lowerWord) {
  if (name.size() != lowerWord.size()) return false;
  for (size_t i = 0; i < name.size(); ++i)
    if (AsciiLower(name[i]) != lowerWord[i]) return false;
  return true;
}

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

std::string SpacedText(std::string_view text) {
  std::string spaced;
  spaced.reserve(text.size() + text.size() / 8);
  for (char ch : text) {
    if (ch == '<') spaced += ' ';
    spaced += ch;
    if (ch == '>') spaced += ' ';
  }
  return spaced;
}

class Linker {
 public:
  Linker(const WordResolver& words, size_t sizeHint) : words_(words) {
    out_.reserve(sizeHint + sizeHint / 4);
  }

  // Takes one character of the spaced text.
  void Feed(char ch) {
    if (ch == '<') {
      EndWord();
      in_tag_ = true;
    } else if (in_tag_) {
      if (ch == '>') in_tag_ = false;
    } else if (!IsWordSeparator(ch)) {
      AddToWord(ch);
    } else {
      EndWord();
    }
    out_ += ch;
  }

  std::string Finish() {
    EndWord();
    return std::move(out_);
  }

 private:
  // The four letters "nbsp" never stay in a word: they are what is left of
  // the entity "&nbsp;" once "&" and ";" have split it off. Before this
  // letter the word held no "nbsp", so only its end can form one.
  void AddToWord(char ch) {
    word_ += ch;
    if (word_.ends_with("nbsp")) word_.resize(word_.size() - 4);
  }

  void EndWord() {
    if (word_.empty()) return;
    for (char& ch : word_) ch = AsciiLower(ch);
    LinkLastWord();
    word_.clear();
  }

  // The word's characters end the result so far. A word that lost the
  // letters "nbsp" from its middle or end no longer matches those
  // characters; it is left unlinked rather than replacing the wrong ones.
  void LinkLastWord() {
    size_t length = word_.size();
    if (out_.size() < length) return;
    size_t start = out_.size() - length;
    if (!EqualsIgnoringCase(std::string_view(out_).substr(start), word_)) return;
    const SearchWord* match = words_.Resolve(word_);
    if (match == nullptr || match->ReplaceString.empty()) return;
    out_.resize(start);
    out_ += match->ReplaceString;
  }

  const WordResolver& words_;
  std::string out_;
  std::string word_;
  bool in_tag_ = false;
};

}  // namespace

const SearchWord* ListResolver::Resolve(std::string_view lowerWord) const {
  for (const SearchWordRef& word : words_)
    if (EqualsIgnoringCase(word->Name, lowerWord)) return word.get();
  return nullptr;
}

bool IsWordSeparator(char ch) {
  if (ch == '%' || ch == '_' || ch == '/') return false;
  if (ch >= '0' && ch <= '9') return false;
  if (ch >= 'A' && ch <= 'Z') return false;
  if (ch >= 'a' && ch <= 'z') return false;
  return true;
}

std::string LinkSearchWords(std::string_view text, const WordResolver& words) {
  if (SpacedLength(text) > kMaxScannedLength) return SpacedText(text);
  Linker linker(words, text.size());
  for (char ch : text) {
    if (ch == '<') linker.Feed(' ');
    linker.Feed(ch);
    if (ch == '>') linker.Feed(' ');
  }
  return linker.Finish();
}

}  // namespace tavelle
