#include "engine/scan/record_parsers.h"

#include <gtest/gtest.h>

#include "tests/scan/scan_test_support.h"

namespace {

using scan_testing::Block;
using scan_testing::LoggedProject;
using scan_testing::ScanTexts;
using tavelle::AccessLevelAccepts;
using Texts = std::vector<std::string>;

TEST(AccessFilter, FollowsTheAccessLevelSetting) {
  for (const char* access : {"Public", "Protected", "Private"}) {
    EXPECT_TRUE(AccessLevelAccepts("All Access", access));
    EXPECT_TRUE(AccessLevelAccepts("", access));
    EXPECT_TRUE(AccessLevelAccepts("public only", access)) << "the setting is matched exactly";
  }
  EXPECT_TRUE(AccessLevelAccepts("Public Only", "Public"));
  EXPECT_FALSE(AccessLevelAccepts("Public Only", "Protected"));
  EXPECT_FALSE(AccessLevelAccepts("Public Only", "Private"));
  EXPECT_TRUE(AccessLevelAccepts("Public, Protected", "Public"));
  EXPECT_TRUE(AccessLevelAccepts("Public, Protected", "Protected"));
  EXPECT_FALSE(AccessLevelAccepts("Public, Protected", "Private"));
}

TEST(ClassRecords, DefaultToPublicAndLogRejections) {
  LoggedProject logged;
  logged.project.settings.ProcAccessLevel = "Public, Protected";
  ScanTexts(logged.project,
            {Block("CLASS", {"Name: Open"}), Block("CLASS", {"Name: Lower", "Access: public"}),
             Block("CLASS", {"Name: Foo", "Access: Private"}),
             Block("CLASS_MEMBER", {"Class: Foo", "Name: Hidden"}),
             Block("CLASS_MEMBER", {"Class: Open", "Name: Kept", "Access: Protected"}),
             Block("CLASS_MEMBER", {"Class: Open", "Name: Secret", "Access: Private"}),
             Block("CLASS_MEMBER", {"Class: open", "Name: WrongCase"})});
  EXPECT_EQ(logged.rows(),
            (Texts{"Found Class: Open", "Found Class: Lower",
                   "Found Class: Foo : Invalid Access Level", "Found Class Member: Open::Kept",
                   "Found Class Member: Open::Secret : Invalid Accces level"}));
  EXPECT_EQ(logged.project.Classes.Find("Lower")->Access, "Public");
  EXPECT_EQ(logged.project.Classes.Find("Open")->Members.Count(), 1u);
}

TEST(ClassRecords, TheFirstClassOfANameIsKeptAndTakesTheMembersOfBoth) {
  LoggedProject logged;
  logged.project.settings.ProcAccessLevel = "Public Only";
  ScanTexts(logged.project,
            {Block("CLASS", {"Name: Rejected", "Access: Protected"}) +
                 Block("CLASS", {"Name: Shape", "Group: First"}) +
                 Block("CLASS_MEMBER", {"Class: Shape", "Name: Draw"}),
             Block("CLASS", {"Name: Shape", "Group: Second"}) + Block("CLASS", {"Name: Rejected"}) +
                 Block("CLASS_MEMBER", {"Class: Shape", "Name: Area"})});
  // A rejected class never entered the collection, so a later block of the
  // same name is judged on its own.
  EXPECT_EQ(logged.rows(),
            (Texts{"Found Class: Rejected : Invalid Access Level", "Found Class: Shape",
                   "Found Class: Rejected", "Found Class Member: Shape::Draw",
                   "Found Class Member: Shape::Area"}));
  const auto shape = logged.project.Classes.Find("Shape");
  EXPECT_EQ(shape->Group, "First");
  EXPECT_EQ(shape->Members.Count(), 2u);
  EXPECT_EQ(logged.project.Classes.Count(), 2u);
}

TEST(ClassRecords, FillDefaultsAndKeepMembersInNameOrderNewestFirst) {
  LoggedProject logged;
  tavelle::Settings& settings = logged.project.settings;
  settings.ClosedClassImage = "cc.gif";
  settings.OpenSelClassImage = "osc.gif";
  settings.ClosedMemberImage = "cm.gif";
  settings.OpenSelMemberImage = "osm.gif";
  ScanTexts(logged.project,
            {Block("CLASS", {"Name: Beta"}), Block("CLASS", {"Name: Alpha", "File: pages/a.htm"}),
             Block("CLASS", {"Name: Gamma", "Description: \nFirst real line.\nMore."}),
             Block("CLASS_MEMBER", {"Class: Beta", "Name: Draw", "Type: Method",
                                    "Definition: void Draw(int x);", "Short Descr: one"}),
             Block("CLASS_MEMBER", {"Class: Beta", "Name: Area"}),
             Block("CLASS_MEMBER", {"Class: Beta", "Name: Draw", "Definition: void Draw();",
                                    "Description: Draws.\nTwice.", "File: custom.html",
                                    "Parameters: none", "Return Values: nothing", "See Also: Area",
                                    "Example: draw.cpp", "Group: Painting"})});
  const auto& classes = logged.project.Classes;
  ASSERT_EQ(classes.Count(), 3u);
  EXPECT_EQ(classes.At(1)->Name, "Alpha");
  EXPECT_EQ(classes.At(1)->filename, "pages/a.htm");
  EXPECT_EQ(classes.At(2)->filename, "Beta.html");
  EXPECT_EQ(classes.At(3)->ShortDescription, "First real line.");
  EXPECT_EQ(classes.At(3)->Images->ClosedImage, "cc.gif");
  EXPECT_EQ(classes.At(3)->Images->OpenSelImage, "osc.gif");
  EXPECT_EQ(classes.At(1)->Images, classes.At(3)->Images) << "one set for all classes";

  const auto& members = classes.At(2)->Members;
  ASSERT_EQ(members.Count(), 3u);
  EXPECT_EQ(members.At(1)->Name, "Area");
  EXPECT_EQ(members.At(1)->filename, "Beta_Area.html");
  EXPECT_EQ(members.At(1)->Access, "Public");
  const auto& newest = *members.At(2);
  EXPECT_EQ(newest.Definition, "void Draw();");
  EXPECT_EQ(newest.ShortDescription, "Draws.");
  EXPECT_EQ(newest.Description, "Draws.\r\nTwice.");
  EXPECT_EQ(newest.filename, "custom.html");
  EXPECT_EQ(newest.Params, "none");
  EXPECT_EQ(newest.ReturnVal, "nothing");
  EXPECT_EQ(newest.SeeAlso, "Area");
  EXPECT_EQ(newest.ExampleFile, "draw.cpp");
  EXPECT_EQ(newest.Group, "Painting");
  EXPECT_EQ(newest.Images->ClosedImage, "cm.gif");
  EXPECT_EQ(newest.Images->OpenSelImage, "osm.gif");
  EXPECT_EQ(members.At(3)->DocType, "Method");
  EXPECT_EQ(members.At(3)->ShortDescription, "one");
}

TEST(FunctionRecords, DefaultToPrivateAndKeepDuplicates) {
  auto scan = [](LoggedProject& logged, const std::string& level) {
    logged.project.settings.ProcAccessLevel = level;
    logged.project.settings.ClosedFunctionImage = "cf.gif";
    ScanTexts(logged.project, {Block("FUNCTION", {"Name: Zeta"}),
                               Block("FUNCTION", {"Name: Area", "Access: Protected"}),
                               Block("FUNCTION", {"Name: Area", "Access: Public", "Group: Math"})});
    return logged.rows();
  };
  LoggedProject all;
  EXPECT_EQ(scan(all, "All Access"),
            (Texts{"Found Function: Zeta", "Found Function: Area", "Found Function: Area"}));
  const auto& functions = all.project.Functions;
  ASSERT_EQ(functions.Count(), 3u);
  EXPECT_EQ(functions.At(1)->Group, "Math") << "the later of equal names comes first";
  EXPECT_EQ(functions.At(2)->Access, "Protected");
  EXPECT_EQ(functions.At(3)->Access, "Private");
  EXPECT_EQ(functions.At(3)->filename, "Zeta.html");
  EXPECT_EQ(functions.At(3)->Images->ClosedImage, "cf.gif");

  LoggedProject publicProtected, publicOnly;
  EXPECT_EQ(scan(publicProtected, "Public, Protected"),
            (Texts{"Found Function: Zeta : Invalid Access Level", "Found Function: Area",
                   "Found Function: Area"}));
  EXPECT_EQ(scan(publicOnly, "Public Only"),
            (Texts{"Found Function: Zeta : Invalid Access Level",
                   "Found Function: Area : Invalid Access Level", "Found Function: Area"}));
}

TEST(GeneralRecords, TakeTheirBodyFromText) {
  LoggedProject logged;
  logged.project.settings.ProcAccessLevel = "Public Only";
  logged.project.settings.OpenGeneralImage = "og.gif";
  ScanTexts(logged.project,
            {Block("GENERAL", {"Name: Overview", "Description: ignored", "Text: Line one.\nTwo.",
                               "See Also: Shape", "Access: Private"})});
  EXPECT_EQ(logged.rows(), (Texts{"Found General Info: Overview"}));
  const auto& overview = *logged.project.GeneralDocs.At(1);
  EXPECT_EQ(overview.Description, "Line one.\r\nTwo.");
  EXPECT_EQ(overview.filename, "Overview.html");
  EXPECT_EQ(overview.SeeAlso, "Shape");
  EXPECT_EQ(overview.Images->OpenImage, "og.gif");
}

TEST(IndexEntries, BecomeKeyWordsKeepingTheReplacementsLineBreaks) {
  LoggedProject logged;
  ScanTexts(logged.project, {Block("INDEX", {"Name: Widget", "File: widget.html",
                                             "ReplaceString: <b>Widget</b>\nsee also"})});
  EXPECT_EQ(logged.rows(), (Texts{"Found Index: Widget"}));
  ASSERT_EQ(logged.project.KeyWords.Count(), 1u);
  const auto& word = *logged.project.KeyWords.At(1);
  EXPECT_EQ(word.filename, "widget.html");
  EXPECT_EQ(word.ReplaceString, "<b>Widget</b>\r\nsee also");
  EXPECT_EQ(word.WordType, "Keyword");
}

}  // namespace
