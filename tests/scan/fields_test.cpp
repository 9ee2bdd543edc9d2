#include "engine/scan/fields.h"

#include <gtest/gtest.h>

namespace {

using tavelle::FirstLine;
using tavelle::FlattenText;
using tavelle::GetField;
using tavelle::GetFieldList;

TEST(GetField, TakesTheValueUpToTheLineBreakBeforeTheTerminator) {
  EXPECT_EQ(GetField("\r\nName: Foo\r\n\\\\\r\n", "Name", true), "Foo");
  const std::string twoLines = "Description:  First line.\r\nSecond line.  \r\n\\\\\r\n";
  EXPECT_EQ(GetField(twoLines, "Description", false), "First line.\r\nSecond line.");
  EXPECT_EQ(GetField(twoLines, "Description", true), "First line. Second line.");
  // Only blanks are trimmed: a tab survives a multi-line read and becomes a
  // blank, then trimmed, in a single-line read.
  EXPECT_EQ(GetField("Name:\tX\r\n\\\\", "Name", false), "\tX");
  EXPECT_EQ(GetField("Name:\tX\r\n\\\\", "Name", true), "X");
}

TEST(GetField, ATerminatorOnTheValuesLineCutsItsLastTwoCharacters) {
  EXPECT_EQ(GetField("Name: Foo \\\\\r\n", "Name", true), "Fo");
  EXPECT_EQ(GetField("Name: X\\\\\r\n", "Name", true), "");
  EXPECT_EQ(GetField("Name:\\\\", "Name", true), "");
  EXPECT_EQ(GetField("Name: A\\\\B\\\\", "Name", true), "") << "the first pair ends the value";
}

TEST(GetField, AMissingTerminatorLetsTheValueRunIntoTheNextField) {
  const std::string block = "Name: A\r\nDescription: B\r\n\\\\\r\n";
  EXPECT_EQ(GetField(block, "Name", true), "A Description: B");
  EXPECT_EQ(GetField(block, "Description", true), "B");
  EXPECT_EQ(GetField("Name: A\r\n", "Name", true), "") << "no terminator at all";
  EXPECT_EQ(GetField("", "Name", true), "");
}

TEST(GetField, FindsTheFirstOccurrenceOfNameAndColonAnywhere) {
  // The first "Name:" counts, even inside another field's value.
  const std::string inside = "See Also: Name: Other\r\n\\\\\r\nName: Real\r\n\\\\\r\n";
  EXPECT_EQ(GetField(inside, "Name", true), "Other");
  EXPECT_EQ(GetField("Name : X\r\n\\\\\r\nname: Y\r\n\\\\\r\n", "Name", true), "");
  // "Short Description:" is not "Short Descr:", but its tail is the first
  // "Description:" of the block.
  const std::string shortDescription =
      "Short Description: Brief.\r\n\\\\\r\nDescription: Long.\r\n\\\\\r\n";
  EXPECT_EQ(GetField(shortDescription, "Short Descr", true), "");
  EXPECT_EQ(GetField(shortDescription, "Description", false), "Brief.");
}

TEST(GetField, AnApostropheCommentLeavesABlankBeforeTheTerminator) {
  // Lines written "' text" keep their blank after the apostrophe is gone.
  const std::string block = "\r\n Description: One\r\n Two\r\n \\\\\r\n";
  EXPECT_EQ(GetField(block, "Description", false), "One\r\n Two\r");
  EXPECT_EQ(GetField(block, "Description", true), "One  Two");
}

TEST(GetFieldList, SplitsAtCommasKeepingEmptyItems) {
  auto items = [](const std::string& value) {
    std::vector<std::string> list{"kept"};
    GetFieldList("Base Classes: " + value + "\r\n\\\\\r\n", "Base Classes", list);
    list.erase(list.begin());
    return list;
  };
  EXPECT_EQ(items("A, B,C"), (std::vector<std::string>{"A", "B", "C"}));
  EXPECT_EQ(items("A,,B"), (std::vector<std::string>{"A", "", "B"}));
  EXPECT_EQ(items("A,"), (std::vector<std::string>{"A"}));
  EXPECT_EQ(items(" , A"), (std::vector<std::string>{"", "A"}));
  EXPECT_EQ(items("A, A"), (std::vector<std::string>{"A", "A"}));
  EXPECT_EQ(items("A,\r\nB"), (std::vector<std::string>{"A", "B"})) << "a wrapped list";
  EXPECT_TRUE(items("").empty());
  std::vector<std::string> list;
  GetFieldList("Name: X\r\n\\\\", "Base Classes", list);
  EXPECT_TRUE(list.empty());
}

TEST(FirstLine, SkipsLeadingLineBreaksButNotLeadingBlanks) {
  EXPECT_EQ(FirstLine("\r\n\r\nDraws the shape\r\nMore"), "Draws the shape");
  EXPECT_EQ(FirstLine(" \r\nDraws"), "");
  EXPECT_EQ(FirstLine("\n\r  One line  "), "One line");
  EXPECT_EQ(FirstLine("Ends in blank \r\nNext"), "Ends in blank ");
  EXPECT_EQ(FirstLine("\r\n\r\n"), "");
  EXPECT_EQ(tavelle::StripLeadingLineBreaks("\r\n\t x"), "\t x");
}

TEST(FlattenText, TurnsLineBreaksAndTabsIntoSingleBlanks) {
  EXPECT_EQ(FlattenText("a\r\nb\tc\nd\re"), "a b cd e");
  EXPECT_EQ(FlattenText("plain text"), "plain text");
  EXPECT_EQ(FlattenText(""), "");
}

}  // namespace
