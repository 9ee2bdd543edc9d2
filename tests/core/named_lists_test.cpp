#include <gtest/gtest.h>

#include "automation/list_view.h"
#include "tests/core/core_test_util.h"

namespace {

using automation::Variant;
using core_test::AddKeyWord;
using core_test::CallByRef;
using tavelle::Tavelle;

using Names = std::vector<std::string>;

TEST(NamedLists, FileTypesGetTheirDotAndStayUnique) {
  Tavelle engine;
  std::vector<Variant> args = {"cpp", int32_t{0}};
  EXPECT_TRUE(CallByRef(engine, "AddFileType", args).AsBool());
  EXPECT_EQ(args[0].AsText(), ".cpp") << "the caller sees the dotted name";
  EXPECT_EQ(args[1].AsInt32(), 1);

  args = {"h", int32_t{0}};
  CallByRef(engine, "AddFileType", args);
  args = {".cls", int32_t{0}};
  CallByRef(engine, "AddFileType", args);
  EXPECT_EQ(args[1].AsInt32(), 1);

  for (const char* again : {"cpp", ".cpp"}) {
    args = {again, int32_t{0}};
    EXPECT_FALSE(CallByRef(engine, "AddFileType", args).AsBool());
    EXPECT_EQ(engine.Get("ErrMsg").AsText(), "FileType: .cpp Has already been added");
    EXPECT_EQ(args[1].AsInt32(), 2) << "the position of the entry already there";
  }
  args = {"", int32_t{0}};
  CallByRef(engine, "AddFileType", args);
  EXPECT_EQ(args[0].AsText(), ".");
  EXPECT_EQ(core_test::FileTypes(engine), (Names{".", ".cls", ".cpp", ".h"}));

  args = {"cpp"};
  EXPECT_FALSE(CallByRef(engine, "RemoveFileType", args).AsBool()) << "no dot is added";
  EXPECT_EQ(engine.Get("ErrMsg").AsText(), "FileType: cpp Could not be found.");
  args = {".cpp"};
  EXPECT_TRUE(CallByRef(engine, "RemoveFileType", args).AsBool());

  // File types are read from 0 to count - 1.
  std::vector<Variant> get = {int32_t{0}, "unchanged"};
  EXPECT_TRUE(CallByRef(engine, "GetFileType", get).AsBool());
  EXPECT_EQ(get[1].AsText(), ".");
  for (int32_t bad : {-1, 3}) {
    get = {bad, "unchanged"};
    EXPECT_FALSE(CallByRef(engine, "GetFileType", get).AsBool()) << bad;
    EXPECT_EQ(get[1].AsText(), "unchanged");
    EXPECT_EQ(engine.Get("ErrMsg").AsText(), "Index is out of range");
  }
}

TEST(NamedLists, KeyWordsSortByCharacterCodeNewestFirstAmongEquals) {
  Tavelle engine;
  EXPECT_EQ(AddKeyWord(engine, "beta", "b1.html"), 1);
  EXPECT_EQ(AddKeyWord(engine, "Alpha"), 1);
  EXPECT_EQ(AddKeyWord(engine, "alpha"), 2);
  EXPECT_EQ(AddKeyWord(engine, "beta", "b2.html"), 3) << "before the older beta";
  EXPECT_EQ(core_test::KeyWords(engine),
            (Names{"Alpha||", "alpha||", "beta|b2.html|", "beta|b1.html|"}));

  std::vector<Variant> args = {"beta"};
  EXPECT_TRUE(CallByRef(engine, "RemoveKeyWord", args).AsBool());
  EXPECT_EQ(core_test::KeyWords(engine), (Names{"Alpha||", "alpha||", "beta|b1.html|"}))
      << "the entry added last goes first";
  EXPECT_EQ(engine.Call("GetKeyWordCount"), Variant(int16_t{3}));

  std::vector<Variant> update = {"alpha", "a.html", "<b>alpha</b>", int32_t{0}};
  EXPECT_TRUE(CallByRef(engine, "UpdateKeyWord", update).AsBool());
  EXPECT_EQ(update[3].AsInt32(), 2);
  EXPECT_EQ(core_test::KeyWords(engine)[1], "alpha|a.html|<b>alpha</b>");
  update = {"ALPHA", "x", "y", int32_t{42}};
  EXPECT_FALSE(CallByRef(engine, "UpdateKeyWord", update).AsBool()) << "names match exactly";
  EXPECT_EQ(update[3].AsInt32(), 42) << "Index is left as the caller passed it";
  EXPECT_EQ(engine.Get("ErrMsg").AsText(), "KeyWord: ALPHA Could not be found.");

  for (int16_t bad : {int16_t{0}, int16_t{4}}) {
    std::vector<Variant> get = {bad, "n", "f", "r"};
    EXPECT_FALSE(CallByRef(engine, "GetKeyWord", get).AsBool());
    EXPECT_EQ(get[1].AsText(), "n");
  }
  engine.Call("ClearKeyWords");
  EXPECT_EQ(engine.Call("GetKeyWordCount"), Variant(int16_t{0}));
}

TEST(NamedLists, EmptyListsFailEveryGetAndRemoveAndErrMsgKeepsTheFirstFailure) {
  Tavelle engine;
  EXPECT_EQ(engine.Get("ErrMsg").AsText(), "");
  EXPECT_EQ(engine.Call("GetInputFoldersCount"), Variant(int16_t{0}));
  EXPECT_EQ(engine.Call("GetFileTypeCount"), Variant(int32_t{0}));

  std::vector<Variant> args = {" src/ "};
  EXPECT_FALSE(CallByRef(engine, "RemoveInputFolder", args).AsBool());
  EXPECT_EQ(engine.Get("ErrMsg").AsText(), "Input Folder:  src/  Could not be found.")
      << "the name exactly as passed";
  args = {"gone"};
  EXPECT_FALSE(CallByRef(engine, "RemoveKeyWord", args).AsBool());
  EXPECT_EQ(engine.Get("ErrMsg").AsText(), "KeyWord: gone Could not be found.");
  for (const char* getter : {"GetInputFolder", "GetKeyWord", "GetFileType"}) {
    args = {int32_t{1}, "", "", ""};
    EXPECT_FALSE(CallByRef(engine, getter, args).AsBool()) << getter;
  }
  EXPECT_EQ(engine.Get("ErrMsg").AsText(), "Index is out of range");

  // Successes do not clear the message.
  args = {"b", int32_t{0}};
  EXPECT_TRUE(CallByRef(engine, "AddInputFolder", args).AsBool());
  args = {"b", int32_t{0}};
  EXPECT_TRUE(CallByRef(engine, "AddInputFolder", args).AsBool()) << "duplicates are allowed";
  args = {"B", int32_t{0}};
  CallByRef(engine, "AddInputFolder", args);
  EXPECT_EQ(args[1].AsInt32(), 1);
  EXPECT_EQ(core_test::InputFolders(engine), (Names{"B", "b", "b"}));
  EXPECT_EQ(engine.Get("ErrMsg").AsText(), "Index is out of range");
  EXPECT_FALSE(engine.Put("ErrMsg", "x")) << "ErrMsg is read-only";
}

TEST(EngineObject, StartsWithTheDocumentedDefaultsAndStoresWhatIsWritten) {
  Tavelle engine;
  EXPECT_EQ(engine.Get("AutoLink"), Variant(true));
  EXPECT_EQ(engine.Get("SearchRecursive"), Variant(true));
  EXPECT_EQ(engine.Get("GenerateDiagrams"), Variant(true));
  EXPECT_EQ(engine.Get("FunctionsHTMLFile"), Variant("Functions.html"));
  EXPECT_EQ(engine.Get("ClassesHTMLFile"), Variant(""));
  EXPECT_EQ(engine.Get("GenerateJScriptTreeFile"), Variant(false));
  EXPECT_EQ(engine.Get("lStartJavaNode"), Variant(int32_t{0}));
  EXPECT_EQ(engine.Get("JavaTreeFontSize"), Variant(int16_t{0}));
  EXPECT_EQ(engine.Get("ProjectTitle"), Variant(""));
  EXPECT_EQ(engine.Get("DiagramScale"), Variant(int16_t{1}));
  EXPECT_EQ(engine.Get("TreeViewerFolder"), Variant(""));

  std::vector<std::string> names = engine.PropertyNames();
  ASSERT_EQ(names.size(), 52u);
  EXPECT_EQ(names.front(), "SearchRecursive");
  EXPECT_EQ(names[13], "OutputMsgBox");
  EXPECT_EQ(names[45], "JavaUrlPath");
  EXPECT_EQ(names[49], "GenerateSearchIndex");
  EXPECT_EQ(names.back(), "DisabledWarnings");

  auto sink = std::make_shared<automation::ListView>();
  EXPECT_TRUE(engine.Put("OutputMsgBox", automation::ObjectRef(sink)));
  EXPECT_EQ(engine.Get("OutputMsgBox").AsObject(), sink) << "the very object given";
  EXPECT_TRUE(engine.Put("JavaTreeFontSize", "12"));
  EXPECT_EQ(engine.Get("JavaTreeFontSize"), Variant(int16_t{12}));
  EXPECT_FALSE(engine.Put("JavaTreeFontSize", "huge")) << "a value that does not convert";
  EXPECT_EQ(engine.Get("JavaTreeFontSize"), Variant(int16_t{12}));
  EXPECT_FALSE(engine.Put("NoSuchSetting", "x"));
}

}  // namespace
