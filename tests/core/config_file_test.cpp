#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "automation/registry.h"
#include "engine/core/settings.h"
#include "tests/core/core_test_util.h"
#include "tests/support/test_support.h"

namespace {

using automation::Variant;
using core_test::AddKeyWord;
using core_test::CallByRef;
using tavelle::Tavelle;
using testing_support::ReadFile;
using testing_support::TempDir;
using testing_support::WriteFile;

using Names = std::vector<std::string>;

// The settings the configuration file holds.
const char* const kFileSettings[] = {
    "OutputDirectory", "FunctionsHTMLFile", "ClassesHTMLFile",  "SearchRecursive",
    "GenerateDiagrams", "CommentString",    "AutoLink",         "DefaultHTML",
    "ProjFileTemplate", "IndexFileTemplate", "ContentFileTemplate", "CompiledFile",
    "ContentFile",     "DefTopicFile",      "IndexFile",        "ProjFile",
    "ProcAccessLevel", "GenerateSearchIndex"};

void AddFolder(Tavelle& engine, const std::string& name) {
  std::vector<Variant> args = {name, int32_t{0}};
  CallByRef(engine, "AddInputFolder", args);
}

void AddType(Tavelle& engine, const std::string& name) {
  std::vector<Variant> args = {name, int32_t{0}};
  CallByRef(engine, "AddFileType", args);
}

TEST(ConfigFile, SaveThenOpenRestoresEverySettingAndList) {
  TempDir dir;
  Tavelle saved;
  for (const char* name : kFileSettings) {
    Variant current = saved.Get(name);
    if (current.kind() == Variant::Kind::kBoolean) saved.Put(name, !current.AsBool());
    else saved.Put(name, std::string(" ") + name + " = value; ");
  }
  saved.Put("CommentString", "\\\\");
  for (int i = 10; i >= 1; --i) AddFolder(saved, "folder " + std::to_string(i));
  AddType(saved, "h");
  AddType(saved, ".cpp");
  AddKeyWord(saved, "beta", "b.html", "<b>beta</b>");
  AddKeyWord(saved, "gamma", "", "");
  AddKeyWord(saved, "Alpha", "a.html", "");
  std::string path = dir / "project.tvg";
  saved.Call("SaveConfig", {path});

  std::string file = ReadFile(path);
  EXPECT_NE(file.find("NumInputFolders=10"), std::string::npos) << file;
  EXPECT_NE(file.find("Folder10=folder 9"), std::string::npos) << "n counts in list order";
  EXPECT_NE(file.find("SearchRecursive=False"), std::string::npos);
  const char* sections[] = {"[TavellePaths]", "[TavelleConfig]", "[InputFolders]",
                            "[FileTypes]",    "[KeyWords]",      "[HelpProjInfo]"};
  for (size_t i = 1; i < std::size(sections); ++i)
    EXPECT_LT(file.find(sections[i - 1]), file.find(sections[i])) << sections[i];
  EXPECT_LT(file.find("KeyName1="), file.find("KeyFile1="));
  EXPECT_LT(file.find("KeyFile1="), file.find("ReplaceString1="));
  EXPECT_LT(file.find("ReplaceString1="), file.find("KeyName2="));

  Tavelle opened;
  opened.Put("GenerateJScriptTreeFile", true);
  opened.Put("JavaTreeFont", "Helvetica");
  opened.Put("OpenClassImage", "images/open_folder.gif");
  opened.Call("OpenConfig", {path});
  for (const char* name : kFileSettings) EXPECT_EQ(opened.Get(name), saved.Get(name)) << name;
  EXPECT_EQ(core_test::InputFolders(opened), core_test::InputFolders(saved));
  EXPECT_EQ(core_test::FileTypes(opened), (Names{".cpp", ".h"}));
  EXPECT_EQ(core_test::KeyWords(opened), core_test::KeyWords(saved));
  EXPECT_EQ(opened.Get("GenerateJScriptTreeFile"), Variant(true)) << "not in the file, kept";
  EXPECT_EQ(opened.Get("JavaTreeFont"), Variant("Helvetica"));
  EXPECT_EQ(opened.Get("OpenClassImage"), Variant("images/open_folder.gif"));
}

TEST(ConfigFile, TheProjectTitleIsSavedOnlyWhenSet) {
  TempDir dir;
  Tavelle engine;
  std::string untitled = dir / "untitled.tvg", titled = dir / "titled.tvg";
  engine.Call("SaveConfig", {untitled});
  EXPECT_EQ(ReadFile(untitled).find("ProjectTitle"), std::string::npos)
      << "a project without a title saves the file it always saved";
  engine.Put("ProjectTitle", "Shapes & Co");
  engine.Call("SaveConfig", {titled});
  std::string file = ReadFile(titled);
  size_t title = file.find("ProjectTitle=Shapes & Co");
  EXPECT_LT(file.find("ContentFileTemplate="), title);
  EXPECT_LT(title, file.find("[InputFolders]"));

  Tavelle opened;
  opened.Call("OpenConfig", {titled});
  EXPECT_EQ(opened.Get("ProjectTitle"), Variant("Shapes & Co"));
  opened.Call("OpenConfig", {untitled});
  EXPECT_EQ(opened.Get("ProjectTitle"), Variant("")) << "absent, like every text";
}

TEST(ConfigFile, SavingOverAnOldFileLeavesNothingOfItBehind) {
  TempDir dir;
  std::string path = dir / "old.tvg";
  WriteFile(path,
            "[Extra]\nStale=1\n[InputFolders]\nNumInputFolders=3\nFolder1=a\nFolder2=b\n"
            "Folder3=c\n[TavellePaths]\nLegacy=yes\n");
  Tavelle engine;
  AddFolder(engine, "only");
  engine.Call("SaveConfig", {path});
  std::string file = ReadFile(path);
  for (const char* stale : {"Extra", "Stale", "Folder2", "Folder3", "Legacy"})
    EXPECT_EQ(file.find(stale), std::string::npos) << stale;
  EXPECT_NE(file.find("Folder1=only"), std::string::npos);
}

TEST(ConfigFile, HandEditedAndMissingFilesFallBackToTheTableDefaults) {
  TempDir dir;
  std::string path = dir / "hand.tvg";
  WriteFile(path,
            "[TavelleConfig]\r\nAutoLink=false\r\nSearchRecursive=nonsense\r\n"
            "[FileTypes]\r\nNumFileTypes=3\r\nTypeName1=cpp\r\nTypeName2=.cpp\r\n"
            "[KeyWords]\r\nNumKeyWords=1\r\n");
  Tavelle engine;
  AddFolder(engine, "was here");
  engine.Put("SearchRecursive", false);
  engine.Put("GenerateSearchIndex", true);
  engine.Put("CompiledFile", "Project.chm");
  engine.Call("OpenConfig", {path});
  EXPECT_EQ(core_test::FileTypes(engine), (Names{".", ".cpp"}))
      << "cpp gains its dot, .cpp is refused, the missing third becomes \".\"";
  EXPECT_EQ(engine.Get("ErrMsg").AsText(), "FileType: .cpp Has already been added");
  EXPECT_EQ(core_test::KeyWords(engine), (Names{"||"})) << "built from the defaults";
  EXPECT_TRUE(core_test::InputFolders(engine).empty());
  EXPECT_EQ(engine.Get("AutoLink"), Variant(false));
  EXPECT_EQ(engine.Get("SearchRecursive"), Variant(true)) << "unreadable Boolean: default";
  EXPECT_EQ(engine.Get("CompiledFile"), Variant(""));
  EXPECT_EQ(engine.Get("GenerateSearchIndex"), Variant(true)) << "newer than the file: kept";

  Tavelle fresh;
  fresh.Put("FunctionsHTMLFile", "Functions.html");
  fresh.Put("GenerateDiagrams", false);
  AddType(fresh, "h");
  fresh.Call("OpenConfig", {dir / "missing.tvg"});
  EXPECT_EQ(fresh.Get("FunctionsHTMLFile"), Variant("")) << "not the engine's own default";
  EXPECT_EQ(fresh.Get("GenerateDiagrams"), Variant(true));
  EXPECT_TRUE(core_test::FileTypes(fresh).empty());
}

TEST(ConfigFile, PathsInsideTheFilesFolderAreSavedRelativeAndOpenBackInPlace) {
  namespace fs = std::filesystem;
  TempDir dir;
  fs::path project = dir.path() / "project";
  fs::create_directories(project / "src");
  fs::create_directory_symlink(project, dir.path() / "link");
  const fs::path start = fs::current_path();

  Tavelle saved;
  saved.Put("OutputDirectory", (project / "docs").string());
  saved.Put("DefaultHTML", (project / "theme/../theme/page.html").string());
  saved.Put("ProjFileTemplate", (dir.path() / "shared/p.hhp").string());
  saved.Put("IndexFileTemplate", "../index.hhk");  // outside, relative to the working folder
  saved.Put("ContentFileTemplate", (dir.path() / "link/c.hhc").string());
  saved.Put("FunctionsHTMLFile", (project / "F.html").string());  // a name, not a path
  AddFolder(saved, (project / "src").string());
  AddFolder(saved, project.string());
  AddFolder(saved, (dir.path() / "other").string());
  fs::current_path(project);
  AddFolder(saved, "lib");  // relative to the working folder, inside
  std::string path = (dir.path() / "link/p.tvg").string();  // the same folder, through a link
  saved.Call("SaveConfig", {path});

  std::string file = ReadFile(path);
  for (const std::string& expected : std::vector<std::string>{
           "OutputDirectory=docs\n", "DefaultHTML=theme/page.html\n",
           "ProjFileTemplate=" + (dir.path() / "shared/p.hhp").string() + "\n",
           "IndexFileTemplate=../index.hhk\n", "ContentFileTemplate=c.hhc\n",
           "FunctionsHTMLFile=" + (project / "F.html").string() + "\n", "=src\n", "=.\n", "=lib\n",
           "=" + (dir.path() / "other").string() + "\n"})
    EXPECT_NE(file.find(expected), std::string::npos) << expected << " in\n" << file;

  // Opened with the file's folder as the working folder, as the front-ends
  // do, every path names the same place.
  Tavelle opened;
  opened.Call("OpenConfig", {path});
  auto place = [](const fs::path& path) { return fs::weakly_canonical(fs::absolute(path)); };
  EXPECT_EQ(place(opened.Get("OutputDirectory").AsText()), place(project / "docs"));
  EXPECT_EQ(place(opened.Get("DefaultHTML").AsText()), place(project / "theme/page.html"));
  std::set<fs::path> folders;
  for (const std::string& folder : core_test::InputFolders(opened)) folders.insert(place(folder));
  EXPECT_EQ(folders, (std::set<fs::path>{place(project / "src"), place(project),
                                         place(dir.path() / "other"), place(project / "lib")}));
  fs::current_path(start);
}

TEST(ConfigFile, WithoutTheProfileComponentTheOldFileStaysAndOpenEmptiesTheLists) {
  TempDir dir;
  std::string path = dir / "keep.tvg";
  const std::string old_text = "[TavellePaths]\nOutputDirectory=docs\n";
  WriteFile(path, old_text);
  automation::ClassRegistration broken("StoweProj.Stowe", [] { return nullptr; });

  Tavelle engine;
  engine.Put("OutputDirectory", "elsewhere");
  AddFolder(engine, "src");
  AddType(engine, "h");
  AddKeyWord(engine, "word");
  engine.Call("SaveConfig", {path});
  EXPECT_EQ(ReadFile(path), old_text);

  engine.Call("OpenConfig", {path});
  EXPECT_EQ(engine.Get("OutputDirectory"), Variant("elsewhere"));
  EXPECT_EQ(engine.Call("GetInputFoldersCount"), Variant(int16_t{0}));
  EXPECT_EQ(engine.Call("GetFileTypeCount"), Variant(int32_t{0}));
  EXPECT_EQ(engine.Call("GetKeyWordCount"), Variant(int16_t{0}));
}

}  // namespace
