// Configuration files that fuzzing (tests/fuzz/fuzz_open_config.cpp) showed
// not to survive a save and an open.
#include <gtest/gtest.h>

#include "tests/core/core_test_util.h"
#include "tests/support/test_support.h"

namespace {

using core_test::AddKeyWord;
using tavelle::Tavelle;
using testing_support::TempDir;
using testing_support::WriteFile;

// Disabled until the profile component escapes what SimpleIni cannot hold
// in a multi-line value: it writes each such value as a block ending at a
// line "END_OF_TEXT" (matched in any letter case), so a value holding that
// line is cut there, and it reads every line break inside a block as LF,
// so the CR LF of a replacement read from a source file comes back as LF.
TEST(ConfigFileFuzzRegressions, DISABLED_MultiLineValuesSurviveSaveAndOpen) {
  TempDir dir;
  Tavelle opened;
  // The file fuzzing found: a folder name whose second line is the end tag.
  WriteFile(dir / "found.tvg",
            "[InputFolders]\nNumInputFolders=1\nFolder1=<<<X\na\nend_of_Text  \nb\nX\n");
  opened.Call("OpenConfig", {dir / "found.tvg"});
  ASSERT_EQ(core_test::InputFolders(opened), std::vector<std::string>{"a\nend_of_Text  \nb"});
  AddKeyWord(opened, "Widget", "widget.html", "<b>Widget</b>\r\nsee also\rGadget");

  opened.Call("SaveConfig", {dir / "saved.tvg"});
  Tavelle reopened;
  reopened.Call("OpenConfig", {dir / "saved.tvg"});
  EXPECT_EQ(core_test::InputFolders(reopened), core_test::InputFolders(opened));
  EXPECT_EQ(core_test::KeyWords(reopened), core_test::KeyWords(opened));
}

}  // namespace
