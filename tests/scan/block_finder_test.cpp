#include "engine/scan/block_finder.h"

#include <gtest/gtest.h>

#include "tests/scan/scan_test_support.h"

namespace {

using scan_testing::Block;
using scan_testing::Crlf;
using scan_testing::LoggedProject;
using scan_testing::ScanTexts;
using Texts = std::vector<std::string>;

TEST(BlockFinder, ReadsTheWorkedClassExample) {
  LoggedProject logged;
  const std::string text = Crlf(
      "DOC_DEFINE_CLASS_START\n"
      "Name: CShape\n"
      "\\\\\n"
      "Base Classes: CObject, CDrawable\n"
      "\\\\\n"
      "Description: Base of all shapes.\n"
      "Keeps its bounding box.\n"
      "\\\\\n"
      "DOC_DEFINE_CLASS_END\n"
      "class CShape : public CObject, public CDrawable\n");
  ScanTexts(logged.project, {text});

  ASSERT_EQ(logged.project.Classes.Count(), 1u);
  const auto& shape = *logged.project.Classes.At(1);
  EXPECT_EQ(shape.Name, "CShape");
  EXPECT_EQ(shape.BaseClasses, (Texts{"CObject", "CDrawable"}));
  EXPECT_EQ(shape.Description, "Base of all shapes.\r\nKeeps its bounding box.");
  EXPECT_EQ(shape.ShortDescription, "Base of all shapes.");
  EXPECT_EQ(shape.Access, "Public");
  EXPECT_EQ(shape.filename, "CShape.html");
  EXPECT_EQ(shape.DocType, "Class");
  EXPECT_EQ(logged.rows(), (Texts{"Found Class: CShape"}));
}

TEST(BlockFinder, HandsBlocksOverInTextOrderWithoutNesting) {
  LoggedProject logged;
  // A second start inside an open block is text of that block, which runs
  // to the first end marker.
  const std::string text = Block("FUNCTION", {"Name: Zeta"}) +
                           Crlf(
                               "DOC_DEFINE_FUNCTION_START\nName: Outer\n\\\\\n"
                               "DOC_DEFINE_FUNCTION_START\nGroup: Inner group\n\\\\\n"
                               "DOC_DEFINE_FUNCTION_END\n") +
                           Block("FUNCTION", {"Name: Alpha"});
  ScanTexts(logged.project, {text});

  EXPECT_EQ(logged.rows(),
            (Texts{"Found Function: Zeta", "Found Function: Outer", "Found Function: Alpha"}));
  ASSERT_EQ(logged.project.Functions.Count(), 3u);
  EXPECT_EQ(logged.project.Functions.At(2)->Name, "Outer");
  EXPECT_EQ(logged.project.Functions.At(2)->Group, "Inner group");
}

TEST(BlockFinder, IgnoresUnpairedAndLowerCaseMarkers) {
  LoggedProject logged;
  const std::string text =
      Crlf("DOC_DEFINE_GENERAL_END\n") +  // an end without a start
      Block("GENERAL", {"Name: First"}) +
      Crlf("doc_define_general_start\nName: Lower\n\\\\\ndoc_define_general_end\n") +
      // A start without any end after it: no block from here on, not even
      // the complete one that follows.
      Crlf("DOC_DEFINE_GENERAL_START\nName: Open\n\\\\\n") +
      Crlf("DOC_DEFINE_GENERAL_START\nName: Later\n\\\\\n");
  ScanTexts(logged.project, {text});
  EXPECT_EQ(logged.rows(), (Texts{"Found General Info: First"}));

  LoggedProject second;
  // An open start followed later by a complete block makes one block.
  ScanTexts(second.project, {Crlf("DOC_DEFINE_GENERAL_START\nName: Open\n\\\\\n") +
                             Block("GENERAL", {"Name: Later"})});
  EXPECT_EQ(second.rows(), (Texts{"Found General Info: Open"}));
}

TEST(BlockFinder, EachKindHasItsOwnMarkersAndPass) {
  LoggedProject logged;
  // A member block inside a class block is part of the class's text and is
  // found again by the member pass. Markers in string literals count.
  const std::string text =
      Crlf("DOC_DEFINE_CLASS_START\nName: Shape\n\\\\\n") +
      Block("CLASS_MEMBER", {"Class: Shape", "Name: Draw"}) + Crlf("DOC_DEFINE_CLASS_END\n") +
      Crlf("const char* s = \"DOC_DEFINE_INDEX_START Name: Lit\n\\\\\nDOC_DEFINE_INDEX_END\";\n") +
      Crlf("DOC_DEFINE_CLASS_MEMBER_START\nDOC_DEFINE_CLASS_MEMBER_END\n");  // empty block
  ScanTexts(logged.project, {text});
  EXPECT_EQ(logged.rows(),
            (Texts{"Found Class: Shape", "Found Class Member: Shape::Draw", "Found Index: Lit"}));
  ASSERT_EQ(logged.project.Classes.Count(), 1u);
  EXPECT_EQ(logged.project.Classes.At(1)->Name, "Shape");

  LoggedProject empty;
  ScanTexts(empty.project, {"DOC_DEFINE_CLASS_STARTDOC_DEFINE_CLASS_END"});
  ASSERT_EQ(empty.project.Classes.Count(), 1u);
  EXPECT_EQ(empty.project.Classes.At(1)->filename, ".html");
  EXPECT_EQ(empty.rows(), (Texts{"Found Class: "}));
}

}  // namespace
