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

// Fuzzing found values that did not survive a save and an open: a value
// holding a line "END_OF_TEXT" was cut there, and the CR LF of a replacement
// read from a source file came back as LF.
TEST(ConfigFileFuzzRegressions, MultiLineValuesSurviveSaveAndOpen) {
  TempDir dir;
  Tavelle opened;
  opened.Call("AddInputFolder", {"a\nend_of_Text  \nb\\c", int32_t{0}});
  AddKeyWord(opened, "Widget", "widget.html", "<b>Widget</b>\r\nsee also\rGadget\n");
  AddKeyWord(opened, "<<<Odd>>>", "\\\\server\\r", " padded ");

  opened.Call("SaveConfig", {dir / "saved.tvg"});
  Tavelle reopened;
  reopened.Call("OpenConfig", {dir / "saved.tvg"});
  EXPECT_EQ(core_test::InputFolders(reopened), core_test::InputFolders(opened));
  EXPECT_EQ(core_test::KeyWords(reopened), core_test::KeyWords(opened));
}

}  // namespace
