#include <gtest/gtest.h>

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <sstream>

#include "tests/support/test_support.h"

namespace {

using testing_support::CommandResult;
using testing_support::ReadFile;
using testing_support::RunCommand;
using testing_support::TempDir;
using testing_support::WriteFile;

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

class Cli : public ::testing::Test {
 protected:
  // Runs tavelle-cli with `arguments` in the folder `where` (the temporary
  // folder when empty).
  CommandResult Run(const std::string& arguments, const std::string& where = "") {
    return RunProgram(testing_support::BinaryPath("tavelle-cli"), arguments, where);
  }
  CommandResult RunProgram(const std::string& program, const std::string& arguments,
                           const std::string& where = "") {
    std::string folder = where.empty() ? dir_.path().string() : where;
    return RunCommand("cd '" + folder + "' && TAVELLE_SEARCH_DB='" + (dir_ / "words.sqlite") +
                      "' '" + program + "' " + arguments);
  }

  TempDir dir_;
};

TEST_F(Cli, BadUsageAndMissingConfigurationsExitWithTwoAndOneLine) {
  EXPECT_EQ(Run("--version").exit_code, 0);
  EXPECT_EQ(Run("--help").exit_code, 0);
  const char* bad[] = {"--no-such-option", "missing.tvg", "--set NoSuchSetting=1",
                       "--set AutoLink=yes", "--set JavaTreeFontSize=big", "--set AutoLink",
                       "--set OutputMsgBox=x", "-o", "--init a b.tvg", "--init --save x.tvg",
                       "--no-warn no-such-kind"};
  for (const char* arguments : bad) {
    CommandResult result = Run(arguments);
    EXPECT_EQ(result.exit_code, 2) << arguments;
    EXPECT_EQ(Lines(result.errors).size(), 1u) << arguments << ": " << result.errors;
    EXPECT_EQ(result.output, "") << "no run for " << arguments;
  }
  std::filesystem::create_directories(dir_.path() / "folder.tvg");
  EXPECT_EQ(Run("folder.tvg").exit_code, 2) << "a folder is not a readable file";
}

TEST_F(Cli, PrintSettingsShowsTheDesktopDefaultsAndTheOptions) {
  CommandResult result = Run("--print-settings");
  ASSERT_EQ(result.exit_code, 0) << result.errors;
  std::vector<std::string> lines = Lines(result.output);
  ASSERT_EQ(lines.size(), 52u);
  EXPECT_EQ(lines.front(), "SearchRecursive=true");
  EXPECT_EQ(lines[45], "JavaUrlPath=CodeDocs");
  EXPECT_EQ(lines[49], "GenerateSearchIndex=true");
  EXPECT_EQ(lines.back(), "DisabledWarnings=");
  for (const char* expected :
       {"AutoLink=true", "FunctionsHTMLFile=Functions.html", "ClassesHTMLFile=Classes.html",
        "GenerateJScriptTreeFile=true", "ProcAccessLevel=All Access", "JavaTreeFontSize=2",
        "ClosedClassImage=folder.gif", "OutputMsgBox=", "DiagramScale=2", "ProjectTitle=",
        "TreeViewerFolder=" TAVELLE_BINARY_DIR "/share/tavelle/theme/tree"})
    EXPECT_NE(std::find(lines.begin(), lines.end(), expected), lines.end()) << expected;

  result = Run("--print-settings -o docs --set autolink=FALSE --set JavaTreeFontSize=9 "
               "--set 'JavaUrlPath=a=b' --set DefaultHTML=t/page.html");
  ASSERT_EQ(result.exit_code, 0) << result.errors;
  std::string output = result.output;
  std::string start = dir_.path().string();
  EXPECT_NE(output.find("\nAutoLink=false\n"), std::string::npos);
  EXPECT_NE(output.find("\nJavaTreeFontSize=9\n"), std::string::npos);
  EXPECT_NE(output.find("\nJavaUrlPath=a=b\n"), std::string::npos);
  EXPECT_NE(output.find("\nOutputDirectory=" + start + "/docs\n"), std::string::npos) << output;
  EXPECT_NE(output.find("\nDefaultHTML=" + start + "/t/page.html\n"), std::string::npos);
}

TEST_F(Cli, SavedConfigurationsLoadBackAndTheirValuesReplaceTheDefaults) {
  std::filesystem::create_directories(dir_.path() / "project");
  CommandResult saved = Run("--save project/p.tvg -i src -t xyz --set CommentString=// "
                            "--set ClassesHTMLFile=AllClasses.html --set AutoLink=false");
  ASSERT_EQ(saved.exit_code, 0) << saved.errors;
  std::string file = ReadFile(dir_ / "project/p.tvg");
  EXPECT_NE(file.find("Folder1=" + (dir_ / "src")), std::string::npos) << file;
  EXPECT_NE(file.find("TypeName4=.xyz"), std::string::npos);

  CommandResult before = Run("--print-settings -i src -t xyz --set CommentString=// "
                             "--set ClassesHTMLFile=AllClasses.html --set AutoLink=false");
  CommandResult loaded = Run("project/p.tvg --print-settings");
  ASSERT_EQ(loaded.exit_code, 0) << loaded.errors;
  EXPECT_EQ(loaded.output, before.output);

  // Loading then saving again writes the same file.
  ASSERT_EQ(Run("project/p.tvg --save project/again.tvg").exit_code, 0);
  EXPECT_EQ(ReadFile(dir_ / "project/again.tvg"), file);

  // Paths inside the file's folder are saved relative to it, others as given.
  CommandResult mixed = Run("--save project/q.tvg -o project/docs -i project/lib -i src "
                            "--set DefaultHTML=/templates/page.html");
  ASSERT_EQ(mixed.exit_code, 0) << mixed.errors;
  std::string portable = ReadFile(dir_ / "project/q.tvg");
  for (const std::string& expected :
       std::vector<std::string>{"OutputDirectory=docs\n", "=lib\n", "=" + (dir_ / "src") + "\n",
                                "DefaultHTML=/templates/page.html\n"})
    EXPECT_NE(portable.find(expected), std::string::npos) << expected << " in\n" << portable;

  WriteFile(dir_ / "bare.tvg", "[TavelleConfig]\nCommentString='\n");
  CommandResult bare = Run("bare.tvg --print-settings");
  EXPECT_NE(bare.output.find("\nFunctionsHTMLFile=\n"), std::string::npos)
      << "a file without the key empties the setting";
  EXPECT_NE(bare.output.find("\nJavaTreeFont=Helvetica\n"), std::string::npos)
      << "settings outside the file keep the defaults";
}

TEST_F(Cli, ARunPrintsDatedRowsAndReadsRelativePathsFromTheConfigurationFolder) {
  WriteFile(dir_ / "project/src/shapes.cpp", "// nothing documented here\n");
  WriteFile(dir_ / "project/page.html", "<html><body>\n</body></html>\n");
  WriteFile(dir_ / "project/p.tvg",
            "[TavellePaths]\nOutputDirectory=out\n[TavelleConfig]\nDefaultHTML=page.html\n"
            "[InputFolders]\nNumInputFolders=1\nFolder1=src\n[FileTypes]\nNumFileTypes=1\n"
            "TypeName1=.cpp\n");
  std::filesystem::create_directories(dir_.path() / "project/out");
  std::filesystem::create_directories(dir_.path() / "elsewhere");
  CommandResult result = Run("../project/p.tvg", dir_ / "elsewhere");
  ASSERT_EQ(result.exit_code, 0) << result.errors;
  std::vector<std::string> lines = Lines(result.output);
  ASSERT_FALSE(lines.empty());
  for (const std::string& line : lines) {
    size_t tab = line.find('\t');
    EXPECT_TRUE(tab != std::string::npos &&
                testing_support::IsDateTimeText(std::string_view(line).substr(0, tab)))
        << line;
  }
  EXPECT_TRUE(lines.front().ends_with("\tStarting Documentation"));
  EXPECT_TRUE(lines.back().ends_with("\tFinished generating HTML files for this project"));
  EXPECT_NE(result.output.find("shapes.cpp"), std::string::npos) << "src was found from the file";
  EXPECT_FALSE(std::filesystem::is_empty(dir_.path() / "project/out")) << "out is the file's";
  EXPECT_NE(ReadFile(dir_.path() / "project/out/tree.html").find("<title>p</title>"),
            std::string::npos)
      << "the tree viewer is written and the project is named after its configuration file";

  EXPECT_EQ(Run("-q ../project/p.tvg", dir_ / "elsewhere").output, "");
}

TEST_F(Cli, InitWritesAStarterProjectThatRunsAndIsNeverOverwritten) {
  namespace fs = std::filesystem;
  using testing_support::BinaryPath;
  using testing_support::SourcePath;
  constexpr size_t npos = std::string::npos;
  // An installation whose theme holds the example's templates and a picture.
  fs::path prefix = dir_.path() / "prefix";
  fs::path theme = prefix / "share/tavelle/theme";
  fs::create_directories(theme / "images");
  fs::create_directories(prefix / "bin");
  fs::copy(SourcePath("examples/templates"), theme);
  fs::copy_file(SourcePath("examples/tree/folder.gif"), theme / "images/folder.gif");
  fs::create_directory_symlink(fs::path(BinaryPath("")).parent_path().parent_path() / "lib",
                               prefix / "lib");
  std::string installed = (prefix / "bin/tavelle-cli").string();
  fs::copy_file(BinaryPath("tavelle-cli"), installed);

  CommandResult init = RunProgram(installed, "--init demo");
  ASSERT_EQ(init.exit_code, 0) << init.errors;
  EXPECT_NE(init.output.find("\n  tavelle-cli demo/project.tvg\n"), npos) << init.output;
  fs::path demo = dir_.path() / "demo";
  std::string config = ReadFile(demo / "project.tvg");
  EXPECT_TRUE(config.starts_with("; ")) << config;
  EXPECT_EQ(config.find(dir_.path().string()), npos) << "an absolute path in\n" << config;
  for (const char* expected :
       {"\nOutputDirectory=docs\n", "\nFolder1=src\n", "\nCommentString=//\n",
        "\nDefaultHTML=theme/page.html\n", "\nProjFileTemplate=theme/project.hhp\n",
        "\nIndexFileTemplate=theme/index.hhk\n", "\nContentFileTemplate=theme/contents.hhc\n"})
    EXPECT_NE(config.find(expected), npos) << expected;
  EXPECT_EQ(ReadFile(demo / "theme/images/folder.gif"), ReadFile(theme / "images/folder.gif"));

  // The first run documents the example in the theme's page frame.
  CommandResult run = Run("-q project.tvg", demo.string());
  ASSERT_EQ(run.exit_code, 0) << run.errors;
  for (const char* page : {"Overview.html", "Greeter.html", "Greeter_Greeting.html", "Greet.html"})
    EXPECT_NE(ReadFile(demo / "docs" / page).find("<header class=\"site\">"), npos) << page;

  // The comments are only comments: the engine's own save of the file
  // loads the same settings.
  CommandResult commented = Run("project.tvg --print-settings", demo.string());
  ASSERT_EQ(Run("project.tvg --save resaved.tvg", demo.string()).exit_code, 0);
  EXPECT_EQ(Run("resaved.tvg --print-settings", demo.string()).output, commented.output);

  // A second --init finds project.tvg and writes nothing.
  fs::remove(demo / "src/greeter.h");
  CommandResult again = RunProgram(installed, "--init demo");
  EXPECT_EQ(again.exit_code, 2);
  EXPECT_EQ(Lines(again.errors).size(), 1u) << again.errors;
  EXPECT_FALSE(fs::exists(demo / "src/greeter.h"));

  // Without a folder, the current one.
  fs::create_directories(dir_.path() / "here");
  CommandResult here = Run("--init", dir_ / "here");
  ASSERT_EQ(here.exit_code, 0) << here.errors;
  EXPECT_NE(here.output.find("\n  tavelle-cli project.tvg\n"), npos) << here.output;
  EXPECT_TRUE(fs::exists(dir_.path() / "here/src/greeter.h"));
}

TEST_F(Cli, WarningsGoToStandardErrorAndMinusWMakesThemFailTheRun) {
  WriteFile(dir_ / "src/a.h", "//DOC_DEFINE_CLASS_START\n//Nmae: Shape\n//\\\\\n"
                              "//DOC_DEFINE_CLASS_END\n");
  WriteFile(dir_ / "page.html", "<!--Begin HTML Body--><!--End HTML Body-->\n");
  WriteFile(dir_ / "p.tvg",
            "[TavelleConfig]\nCommentString=//\nGenerateDiagrams=False\nDefaultHTML=page.html\n"
            "[InputFolders]\nNumInputFolders=1\nFolder1=src\n"
            "[FileTypes]\nNumFileTypes=1\nTypeName1=.h\n");
  std::filesystem::create_directories(dir_.path() / "out");
  const std::string project = "p.tvg -q ";
  const std::string warning =
      "src/a.h:2: warning: unknown field 'Nmae' in a class block; did you mean 'Name'? "
      "[unknown-field]\ntavelle-cli: 1 warning\n";

  CommandResult result = Run(project + "-o out");
  EXPECT_EQ(result.exit_code, 0);
  EXPECT_EQ(result.errors, warning);
  result = Run(project + "-o out -W");
  EXPECT_EQ(result.exit_code, 4);
  EXPECT_EQ(result.errors, warning + "tavelle-cli: warnings are errors (-W, WarningsAsErrors)\n");
  EXPECT_EQ(Run(project + "-o out -W --no-warn unknown-field").exit_code, 0);
  WriteFile(dir_ / "blocked", "a file where the output folder should be\n");
  EXPECT_EQ(Run(project + "-o blocked -W").exit_code, 3) << "a write failure wins";

  // Both settings are kept by --save and come back with the file.
  ASSERT_EQ(Run(project + "-o out -W --no-warn unknown-field --no-warn duplicate --save w.tvg")
                .exit_code,
            0);
  std::string saved = Run("w.tvg --print-settings").output;
  EXPECT_NE(saved.find("\nWarningsAsErrors=true\n"), std::string::npos) << saved;
  EXPECT_NE(saved.find("\nDisabledWarnings=unknown-field,duplicate\n"), std::string::npos);
  EXPECT_EQ(Run("w.tvg").exit_code, 0);

  // The example project is written without mistakes.
  const std::string example = testing_support::SourcePath("examples/shapes.tvg").string();
  result = Run("'" + example + "' -q -W -o '" + (dir_ / "out") + "'");
  EXPECT_EQ(result.exit_code, 0) << result.errors;
  EXPECT_EQ(result.errors, "");
}

// Starts tavelle-cli with its standard output on a pipe.
pid_t Start(const std::vector<std::string>& arguments, int& output) {
  int pipe_ends[2];
  if (pipe(pipe_ends) != 0) return -1;
  pid_t pid = fork();
  if (pid == 0) {
    dup2(pipe_ends[1], STDOUT_FILENO);
    close(pipe_ends[0]);
    close(pipe_ends[1]);
    std::vector<char*> argv;
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    execv(argv[0], argv.data());
    _exit(127);
  }
  close(pipe_ends[1]);
  output = pipe_ends[0];
  return pid;
}

TEST_F(Cli, CtrlCCancelsTheRunAndExitsWithOne) {
  for (int i = 0; i < 3000; ++i)
    WriteFile(dir_.path() / "src" / ("file" + std::to_string(i) + ".cpp"),
              "//DOC_DEFINE_FUNCTION\n//Name: f" + std::to_string(i) + "\n//\\\\\n");
  setenv("TAVELLE_SEARCH_DB", (dir_ / "words.sqlite").c_str(), 1);
  int output = -1;
  pid_t pid = Start({testing_support::BinaryPath("tavelle-cli"), "-i", dir_ / "src", "-o",
                     dir_ / "out"},
                    output);
  ASSERT_GT(pid, 0);
  std::string seen;
  std::string environment;
  char buffer[4096];
  bool interrupted = false;
  for (ssize_t n; (n = read(output, buffer, sizeof buffer)) > 0;) {
    seen.append(buffer, static_cast<size_t>(n));
    if (!interrupted && seen.find("\tReading File") != std::string::npos) {
      environment = ReadFile("/proc/" + std::to_string(pid) + "/environ");
      kill(pid, SIGINT);
      interrupted = true;
    }
  }
  close(output);
  int status = 0;
  waitpid(pid, &status, 0);
  ASSERT_TRUE(interrupted) << seen.substr(0, 2000);
  ASSERT_TRUE(WIFEXITED(status)) << "the program ends by itself, not by the signal";
  EXPECT_EQ(WEXITSTATUS(status), 1);
  EXPECT_EQ(seen.find("Finished generating HTML files"), std::string::npos);

  // Where huge pages are given on request, the program restarted itself
  // (keeping its process, so the signal still found it) to ask for them.
  std::string mode = ReadFile("/sys/kernel/mm/transparent_hugepage/enabled");
  bool onRequest = mode.find("[madvise]") != std::string::npos;
  EXPECT_EQ(environment.find("GLIBC_TUNABLES=glibc.malloc.hugetlb=1") != std::string::npos,
            onRequest);
}

// Reads `output` into `seen` until it holds `text`; false after 20 s.
bool ReadUntil(int output, const std::string& text, std::string& seen) {
  char buffer[4096];
  for (int waited = 0; seen.find(text) == std::string::npos; ++waited) {
    pollfd entry{output, POLLIN, 0};
    if (waited == 200 || poll(&entry, 1, 100) < 0) return false;
    if (entry.revents == 0) continue;
    ssize_t n = read(output, buffer, sizeof buffer);
    if (n <= 0) return false;
    seen.append(buffer, static_cast<size_t>(n));
  }
  return true;
}

// --watch runs again after an input changes, removes the page of a deleted
// item, sums each run up in one line and ends cleanly on Ctrl-C.
TEST_F(Cli, WatchRunsAgainAfterAChangeAndEndsOnCtrlC) {
  namespace fs = std::filesystem;
  for (const char* name : {"a", "b"})
    WriteFile(dir_.path() / "src" / (std::string(name) + ".cpp"),
              std::string("//DOC_DEFINE_FUNCTION_START\n//Name: ") + name +
                  "\n//\\\\\n//DOC_DEFINE_FUNCTION_END\n");
  fs::create_directories(dir_.path() / "out");
  setenv("TAVELLE_SEARCH_DB", (dir_ / "words.sqlite").c_str(), 1);
  int output = -1;
  pid_t pid = Start({testing_support::BinaryPath("tavelle-cli"), "-q", "--watch", "-i",
                     dir_ / "src", "-t", ".cpp", "-o", dir_ / "out"},
                    output);
  ASSERT_GT(pid, 0);
  std::string seen;
  EXPECT_TRUE(ReadUntil(output, "Run 1: 0 file(s) changed, ", seen)) << seen;
  EXPECT_TRUE(ReadUntil(output, " 0 removed, ", seen)) << seen;
  EXPECT_TRUE(fs::exists(dir_.path() / "out/b.html"));
  fs::remove(dir_.path() / "src/b.cpp");
  EXPECT_TRUE(ReadUntil(output, "Run 2: 1 file(s) changed, ", seen)) << seen;
  EXPECT_TRUE(ReadUntil(output, " s\n", seen)) << seen;
  EXPECT_EQ(seen.rfind(" 0 removed, "), seen.find(" 0 removed, ")) << seen;
  EXPECT_FALSE(fs::exists(dir_.path() / "out/b.html"));
  EXPECT_TRUE(fs::exists(dir_.path() / "out/a.html"));
  kill(pid, SIGINT);
  int status = 0;
  waitpid(pid, &status, 0);
  close(output);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(Lines(seen).size(), 2u) << seen;
}

}  // namespace

namespace {

// A quiet run shows one progress line, drawn in place and removed at the
// end; without --progress and without a terminal it shows nothing.
TEST_F(Cli, QuietRunsShowOneProgressLineThatIsRemovedAtTheEnd) {
  // Enough files that the run lasts past several redraws.
  for (int i = 0; i < 2000; ++i)
    WriteFile(dir_.path() / "src" / ("file" + std::to_string(i) + ".cpp"),
              "//DOC_DEFINE_FUNCTION_START\n//Name: f" + std::to_string(i) +
                  "\n//\\\\\n//DOC_DEFINE_FUNCTION_END\n");
  std::string project = "-i src -t .cpp --set CommentString=// -o out --no-warn unmatched-type ";
  CommandResult shown = Run(project + "-q --progress");
  ASSERT_EQ(shown.exit_code, 0) << shown.errors;
  EXPECT_TRUE(shown.errors.starts_with("\r")) << shown.errors;
  EXPECT_NE(shown.errors.find("\rReading files "), std::string::npos) << shown.errors;
  EXPECT_TRUE(shown.errors.ends_with("\r\x1b[K")) << "the line is removed";
  EXPECT_EQ(shown.errors.find('\n'), std::string::npos) << "nothing but the line";
  EXPECT_EQ(shown.output, "");

  CommandResult plain = Run(project + "-q");
  EXPECT_EQ(plain.output + plain.errors, "");
}

}  // namespace
