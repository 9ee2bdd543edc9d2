#include "engine/html/auto_link.h"

#include <gtest/gtest.h>

#include <cctype>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace tavelle {
namespace {

SearchWordRef Word(const std::string& name, const std::string& replace,
                   const std::string& type = "Class", const std::string& owner = "") {
  auto word = std::make_shared<SearchWord>();
  word->Name = name;
  word->ReplaceString = replace;
  word->WordType = type;
  word->Class = owner;
  return word;
}

std::string Anchor(const std::string& file, const std::string& name) {
  return "<a href=\"" + file + "\">" + name + "</a>";
}

std::string Link(const std::string& text, const std::vector<SearchWordRef>& words) {
  ListResolver resolver(words);
  return LinkSearchWords(text, resolver);
}

TEST(LinkSearchWords, SpacesTagsEvenWhenNothingIsLinked) {
  EXPECT_EQ(Link("a<b>c</b>", {}), "a <b> c </b> ");
  EXPECT_EQ(Link("", {}), "");
  EXPECT_EQ(Link("x > y", {}), "x >  y");
}

TEST(LinkSearchWords, LinksWholeWordsInAnyLetterCase) {
  std::vector<SearchWordRef> words = {Word("Stack", Anchor("Stack.html", "Stack")),
                                      Word("Push", Anchor("Push.html", "Push"))};
  const std::string stack = Anchor("Stack.html", "Stack");
  EXPECT_EQ(Link("use stack or STACK.", words), "use " + stack + " or " + stack + ".");
  EXPECT_EQ(Link("Stacks and xStack stay", words), "Stacks and xStack stay");
  EXPECT_EQ(Link("Stack::Push", words), stack + "::" + Anchor("Push.html", "Push"));
  EXPECT_EQ(Link("Stack", words), stack) << "a word at the very end";

  // "_", "%" and "/" belong to words.
  std::vector<SearchWordRef> odd = {Word("x/y", "[xy]"), Word("50%", "[50]"),
                                    Word("Stack_Item", "[item]"), Word("x", "[x]")};
  EXPECT_EQ(Link("x/y at 50% of stack_item, x", odd), "[xy] at [50] of [item], [x]");

  // Bytes of 128 and above separate words.
  EXPECT_EQ(Link("caf\xC3\xA9stack\xC3\xA9", words),
            "caf\xC3\xA9" + stack + "\xC3\xA9");
}

TEST(LinkSearchWords, LeavesTagsAndEntitiesAlone) {
  std::vector<SearchWordRef> words = {Word("stack", "[stack]"), Word("nbsp", "[nbsp]"),
                                      Word("amp", "[amp]"), Word("href", "[href]")};
  EXPECT_EQ(Link("<a href='stack.html'>stack</a>", words),
            " <a href='stack.html'> [stack] </a> ");
  EXPECT_EQ(Link("a&nbsp; stack", words), "a&nbsp; [stack]");
  EXPECT_EQ(Link("&nbsp;&nbsp;&nbsp;", words), "&nbsp;&nbsp;&nbsp;");
  // Other entities give their letters as words.
  EXPECT_EQ(Link("a &amp; b", words), "a &[amp]; b");
  // A word that lost "nbsp" inside it is not linked; one that lost it in
  // front links the letters that are left.
  std::vector<SearchWordRef> xy = {Word("xy", "[xy]"), Word("stack", "[stack]")};
  EXPECT_EQ(Link("xnbspy", xy), "xnbspy");
  EXPECT_EQ(Link("&nbspStack", xy), "&nbsp[stack]");
  EXPECT_EQ(Link("NBSP", {Word("NBSP", "[caps]")}), "[caps]") << "only lower-case letters go";
}

TEST(LinkSearchWords, TheFirstMatchingWordWinsAndEmptyReplacementsLinkNothing) {
  std::vector<SearchWordRef> words = {Word("Shape", "[class]", "Class"),
                                      Word("shape", "[keyword]", "Keyword")};
  EXPECT_EQ(Link("shape", words), "[class]");
  std::vector<SearchWordRef> reversed = {words[1], words[0]};
  EXPECT_EQ(Link("shape", reversed), "[keyword]");
  std::vector<SearchWordRef> blank = {Word("shape", ""), words[0]};
  EXPECT_EQ(Link("shape", blank), "shape");
  // Names with separators never match a single word.
  EXPECT_EQ(Link("Stack::Push", {Word("Stack::Push", "[member]")}), "Stack::Push");
}

TEST(LinkSearchWords, TextsBeyond32767CharactersAreOnlySpaced) {
  std::vector<SearchWordRef> words = {Word("x", "[x]")};
  // 32,767 characters after spacing: "x " repeated, ending in "<b>" (two
  // blanks of spacing added).
  std::string fits(32762, ' ');
  for (size_t i = 0; i < fits.size(); i += 2) fits[i] = 'x';
  fits += "<b>";
  std::string linked = Link(fits, words);
  EXPECT_EQ(linked.substr(0, 8), "[x] [x] ");
  EXPECT_EQ(linked.substr(linked.size() - 5), " <b> ");

  std::string over = fits + "x";
  std::string spaced = Link(over, words);
  EXPECT_EQ(spaced.size(), 32768u);
  EXPECT_EQ(spaced.substr(0, 4), "x x ");

  // The length counts characters, not bytes: 16,384 two-byte letters fit.
  std::string wide;
  for (int i = 0; i < 16383; ++i) wide += "\xC3\xA9";
  wide += " x";
  EXPECT_EQ(Link(wide, words).substr(wide.size() - 1), "[x]");
}

TEST(IsWordSeparator, KnowsTheWordCharacters) {
  for (char ch : std::string("azAZ09_%/")) EXPECT_FALSE(IsWordSeparator(ch)) << ch;
  for (char ch : std::string(" .,;:&<>-()'\"\r\n\t\x7f")) EXPECT_TRUE(IsWordSeparator(ch)) << ch;
  EXPECT_TRUE(IsWordSeparator('\xC3'));
  EXPECT_TRUE(IsWordSeparator('\0'));
}

}  // namespace
}  // namespace tavelle

namespace tavelle {
namespace {

// The linker fed one character at a time, as the rules read: a blank
// before "<" and after ">", tags copied, a word ended by any separator,
// "nbsp" dropped from a word whenever its last letters form it, and a word
// linked only while it still matches the characters that end the result.
std::string LinkCharacterByCharacter(std::string_view text, const WordResolver& words) {
  std::string out;
  std::string word;
  bool inTag = false;
  auto endWord = [&] {
    if (word.empty()) return;
    for (char& ch : word) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    std::string tail = out.size() >= word.size() ? out.substr(out.size() - word.size()) : "";
    for (char& ch : tail) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    const SearchWord* match = tail == word ? words.Resolve(word) : nullptr;
    if (match && !match->ReplaceString.empty()) {
      out.resize(out.size() - word.size());
      out += match->ReplaceString;
    }
    word.clear();
  };
  auto feed = [&](char ch) {
    if (ch == '<') {
      endWord();
      inTag = true;
    } else if (inTag) {
      inTag = ch != '>';
    } else if (!IsWordSeparator(ch)) {
      word += ch;
      if (word.ends_with("nbsp")) word.resize(word.size() - 4);
    } else {
      endWord();
    }
    out += ch;
  };
  for (char ch : text) {
    if (ch == '<') feed(' ');
    feed(ch);
    if (ch == '>') feed(' ');
  }
  endWord();
  return out;
}

TEST(LinkSearchWords, AgreesWithTheCharacterByCharacterRulesOnRandomText) {
  std::vector<SearchWordRef> words = {Word("foo", "[foo]"), Word("Bar", "[bar]"),
                                      Word("nb", "[nb]"),   Word("sp", "[sp]"),
                                      Word("a", "[a]"),     Word("x", ""),
                                      Word("Foo_1", "[f1]"), Word("a/b", "[ab]")};
  ListResolver resolver(words);
  const std::vector<std::string> pieces = {
      "foo", "FOO", "bar", "nb", "sp", "nbsp", "&nbsp;", "<", ">", "<b>", " ", "a", "x", "_",
      "%", "/", "1", "\xc3\xa9", "&", ";", "N", "s", "p", "\r\n", "Foo_1", "a/b"};
  std::mt19937 random(7);
  for (int round = 0; round < 20000; ++round) {
    std::string text;
    for (int count = random() % 12; count > 0; --count) text += pieces[random() % pieces.size()];
    std::string expected = LinkCharacterByCharacter(text, resolver);
    ASSERT_EQ(LinkSearchWords(text, resolver), expected) << "text: " << text;
    // Appended to a page under way, a link replaces only the new text.
    std::string page = "<H3>foo";
    AppendLinkedWords(page, text, resolver);
    ASSERT_EQ(page, "<H3>foo" + expected) << "text: " << text;
  }
}

}  // namespace
}  // namespace tavelle
