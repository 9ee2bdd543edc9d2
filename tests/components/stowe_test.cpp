#include <gtest/gtest.h>

#include <filesystem>

#include "automation/object.h"
#include "automation/registry.h"
#include "tests/support/test_support.h"

namespace {

using automation::CallKind;
using automation::ObjectRef;
using automation::Variant;
using testing_support::ReadFile;
using testing_support::TempDir;
using testing_support::WriteFile;

ObjectRef OpenProfile(const std::string& path) {
  ObjectRef profile = automation::CreateObject("StoweProj.Stowe");
  if (profile) profile->Put("filename", path);
  return profile;
}

bool Set(const ObjectRef& profile, const std::string& section, const std::string& key,
         Variant value) {
  return profile->Call("SetEntry", {Variant(section), Variant(key), std::move(value)}).AsBool();
}

Variant Get(const ObjectRef& profile, const std::string& section, const std::string& key,
            Variant fallback) {
  return profile->Call("GetEntry", {Variant(section), Variant(key), std::move(fallback)});
}

TEST(Stowe, ValuesReadBackAsWrittenAfterASave) {
  TempDir dir;
  std::string path = dir / "a.ini";
  const std::string tricky[] = {"  padded  ", "\"quoted\"", "<<<TAG", "two\nlines", "Größe",
                                "x = y ; z", ""};
  {
    ObjectRef profile = OpenProfile(path);
    ASSERT_NE(profile, nullptr);
    EXPECT_TRUE(Set(profile, "Flags", "On", true));
    EXPECT_TRUE(Set(profile, "Flags", "Off", false));
    EXPECT_TRUE(Set(profile, "Counts", "Small", int16_t{-12}));
    for (size_t i = 0; i < std::size(tricky); ++i)
      EXPECT_TRUE(Set(profile, "Texts", "T" + std::to_string(i), tricky[i]));
    EXPECT_TRUE(profile->Call("Save").AsBool());
  }
  std::string file = ReadFile(path);
  EXPECT_NE(file.find("On=True"), std::string::npos) << file;
  EXPECT_NE(file.find("Off=False"), std::string::npos);
  EXPECT_NE(file.find("Small=-12"), std::string::npos);
  EXPECT_LT(file.find("[Flags]"), file.find("[Counts]")) << "sections keep their write order";
  EXPECT_LT(file.find("[Counts]"), file.find("[Texts]"));

  ObjectRef again = OpenProfile(path);
  EXPECT_EQ(Get(again, "Flags", "On", false), Variant(true));
  EXPECT_EQ(Get(again, "Flags", "Off", true), Variant(false));
  EXPECT_EQ(Get(again, "Counts", "Small", int16_t{0}), Variant(int16_t{-12}));
  for (size_t i = 0; i < std::size(tricky); ++i)
    EXPECT_EQ(Get(again, "Texts", "T" + std::to_string(i), "default").AsText(), tricky[i]) << i;
  EXPECT_EQ(Get(again, "flags", "ON", false), Variant(true)) << "names ignore letter case";
}

TEST(Stowe, MissingOrUnreadableEntriesGiveTheDefault) {
  TempDir dir;
  std::string path = dir / "hand.ini";
  WriteFile(path, "[S]\r\nYes=TRUE\r\nNo=false\r\nBad=maybe\r\nBig=70000\r\n");
  ObjectRef profile = OpenProfile(path);
  EXPECT_EQ(Get(profile, "S", "Yes", false), Variant(true)) << "Booleans in any letter case";
  EXPECT_EQ(Get(profile, "S", "No", true), Variant(false));
  EXPECT_EQ(Get(profile, "S", "Bad", true), Variant(true));
  EXPECT_EQ(Get(profile, "S", "Big", int16_t{7}), Variant(int16_t{7}));
  EXPECT_EQ(Get(profile, "S", "Absent", "x"), Variant("x"));
  EXPECT_EQ(Get(profile, "Absent", "Yes", int16_t{0}), Variant(int16_t{0}));
  EXPECT_EQ(Get(profile, "S", "Yes", "text").AsText(), "TRUE") << "a text default gets the text";

  ObjectRef missing = OpenProfile(dir / "none.ini");
  EXPECT_EQ(Get(missing, "S", "Yes", false), Variant(false));
  EXPECT_FALSE(std::filesystem::exists(dir / "none.ini")) << "reading creates no file";
}

TEST(Stowe, ChangesAreWrittenOnReleaseAndClearDropsTheOldEntries) {
  TempDir dir;
  std::string path = dir / "c.ini";
  WriteFile(path, "[Old]\nStale=1\n[Keep]\nA=1\n");
  {
    ObjectRef profile = OpenProfile(path);
    Set(profile, "Keep", "B", "2");
  }
  std::string kept = ReadFile(path);
  EXPECT_NE(kept.find("[Old]\nStale=1\n"), std::string::npos) << "without Clear, entries stay";
  EXPECT_NE(kept.find("[Keep]\nA=1\nB=2\n"), std::string::npos) << kept;
  {
    ObjectRef profile = OpenProfile(path);
    profile->Call("Clear");
    Set(profile, "New", "C", "3");
    EXPECT_EQ(Get(profile, "Old", "Stale", "gone").AsText(), "gone");
  }
  EXPECT_EQ(ReadFile(path), "[New]\nC=3\n");
}

TEST(Stowe, AFailedSaveLeavesNoTraceAndUnsafeNamesAreRefused) {
  TempDir dir;
  std::filesystem::create_directories(dir.path() / "taken" / "inside");
  ObjectRef profile = OpenProfile(dir / "taken");
  Set(profile, "S", "K", "v");
  EXPECT_FALSE(profile->Call("Save").AsBool()) << "a folder is in the way";
  EXPECT_TRUE(std::filesystem::is_directory(dir.path() / "taken" / "inside"));

  ObjectRef nowhere = OpenProfile((dir.path() / "no" / "such" / "folder.ini").string());
  Set(nowhere, "S", "K", "v");
  EXPECT_FALSE(nowhere->Call("Save").AsBool());
  nowhere->Call("Clear");  // nothing left to write on release

  profile->Put("filename", dir / "safe.ini");
  EXPECT_FALSE(Set(profile, "S", "K=V", "x"));
  EXPECT_FALSE(Set(profile, "S", "K\nEvil", "x"));
  EXPECT_FALSE(Set(profile, "S]\n[T", "K", "x"));
  EXPECT_FALSE(Set(profile, "S", "", "x"));
  EXPECT_FALSE(Set(profile, "S", "K", ObjectRef(profile)));
  EXPECT_TRUE(profile->Call("Save").AsBool());
  size_t files = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.path())) ++files;
  EXPECT_EQ(files, 2u) << "no temporary file is left behind";
}

}  // namespace
