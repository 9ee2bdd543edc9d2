#include "cli/starter_project.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string_view>
#include <utility>
#include <vector>

#include "automation/platform.h"
#include "cli/engine_session.h"
#include "cli/options.h"

namespace cli {
namespace {

using automation::Object;

namespace fs = std::filesystem;

constexpr std::string_view kConfigName = "project.tvg";
constexpr std::string_view kExampleName = "src/greeter.h";
constexpr std::string_view kFirstPage = "docs/Overview.html";
const char* const kFileTypes[] = {".c", ".cc", ".cpp", ".h", ".hpp"};

const char kExampleSource[] =
    R"(// greeter.h: an example for the first run of this project. Tavelle reads
// only the definition blocks below (from a start marker to its end marker);
// the code and the other comments around them are left alone. Edit the
// blocks, or replace this file with your own sources.
#include <string>

//DOC_DEFINE_GENERAL_START
//Name: Overview
//\\
//Text: This project was written by <code>tavelle-cli --init</code>.
//Its example source <code>src/greeter.h</code> documents the class Greeter
//and the function Greet. Document your own code in the same way and run
//<code>tavelle-cli project.tvg</code> again.
//\\
//DOC_DEFINE_GENERAL_END

//DOC_DEFINE_CLASS_START
//Name: Greeter
//\\
//Short Descr: Greets people by name.
//\\
//Description: A Greeter puts its salutation in front of the names it is
//given.
//\\
//See Also: Greet
//\\
//DOC_DEFINE_CLASS_END
class Greeter {
 public:
//DOC_DEFINE_CLASS_MEMBER_START
//Class: Greeter
//\\
//Name: Greeting
//\\
//Definition: std::string Greeting(const std::string& name) const;
//\\
//Parameters: name - whom to greet.
//\\
//Return Values: the salutation, a blank and the name.
//\\
//Description: Builds the greeting for one person.
//\\
//DOC_DEFINE_CLASS_MEMBER_END
  std::string Greeting(const std::string& name) const { return salutation_ + " " + name; }

 private:
  std::string salutation_ = "Hello,";
};

//DOC_DEFINE_FUNCTION_START
//Name: Greet
//\\
//Access: Public
//\\
//Definition: std::string Greet(const std::string& name);
//\\
//Parameters: name - whom to greet.
//\\
//Return Values: the greeting of a default Greeter.
//\\
//Description: Greets one person with the default salutation.
//\\
//See Also: Greeter
//\\
//DOC_DEFINE_FUNCTION_END
inline std::string Greet(const std::string& name) { return Greeter().Greeting(name); }
)";

const char kFileHead[] = R"(; A Tavelle project, written by tavelle-cli --init.
;
; Document it with    tavelle-cli project.tvg
; and open docs/Overview.html in a web browser. The desktop program opens
; this file too (tavelle project.tvg, or Open Config). Paths in this file
; are relative to its folder, so the folder can be moved and shared.
;
; The comment format
; Tavelle reads definition blocks from the sources in the input folders
; (see src/greeter.h). A block runs from a start marker to the end marker
; of its kind: DOC_DEFINE_CLASS_START ... DOC_DEFINE_CLASS_END, and so for
; CLASS_MEMBER, FUNCTION, GENERAL (a topic page) and INDEX (a key word).
; Inside a block, a field starts with its name and a colon (Name:,
; Short Descr:, Description:, Definition:, ...) and ends at two
; backslashes at the start of a line. CommentString is first removed from
; the start of every line, so with // the lines read //Name: Greeter and
; //\\ in the source. Field texts are HTML. The manual's page "The comment
; format" tells the rest.
;
; Saving from the desktop program or with tavelle-cli --save writes this
; file again without these comments.
)";

// A note before each section of the file.
const std::pair<std::string_view, std::string_view> kSectionNotes[] = {
    {"[TavellePaths]", "; The output folder and the names of the two list pages.\n"},
    {"[TavelleConfig]",
     "; How sources are read and pages written. DefaultHTML names the page\n"
     "; template, the other *Template keys the templates of the help files.\n"},
    {"[InputFolders]", "; The folders whose sources are read.\n"},
    {"[FileTypes]", "; The file name endings that are read.\n"},
    {"[KeyWords]", "; Words that are replaced by a text or a link on every page.\n"},
    {"[HelpProjInfo]", "; The files of a compiled help build.\n"},
};

// The theme's files, relative to `theme`, sorted; none when it is missing.
std::vector<fs::path> ThemeFiles(const fs::path& theme) {
  std::vector<fs::path> files;
  std::error_code error;
  for (auto it = fs::recursive_directory_iterator(theme, error);
       !error && it != fs::recursive_directory_iterator(); it.increment(error))
    if (it->is_regular_file(error)) files.push_back(it->path().lexically_relative(theme));
  std::sort(files.begin(), files.end());
  return files;
}

// The first top-level theme file called `name` or, when `name` starts with
// a dot, ending in it; empty when there is none.
fs::path ThemeFile(const std::vector<fs::path>& files, std::string_view name) {
  for (const fs::path& file : files) {
    if (file.has_parent_path()) continue;
    if (name.starts_with('.') ? file.extension() == name : file == name) return file;
  }
  return {};
}

// Points the engine's template settings at the copies of the theme.
void UseThemeTemplates(Object& engine, const std::vector<fs::path>& files, const fs::path& copy) {
  const std::pair<const char*, std::string_view> templates[] = {{"DefaultHTML", "page.html"},
                                                                {"ProjFileTemplate", ".hhp"},
                                                                {"IndexFileTemplate", ".hhk"},
                                                                {"ContentFileTemplate", ".hhc"}};
  for (const auto& [setting, name] : templates)
    if (fs::path file = ThemeFile(files, name); !file.empty())
      engine.Put(setting, (copy / file).string());
}

bool WriteText(const fs::path& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
  out.close();
  if (out) return true;
  ReportError("cannot write " + path.string());
  return false;
}

std::string ReadText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// The saved configuration with the file head, and a blank line and a note
// before each section.
std::string Commented(const std::string& saved) {
  std::string text = kFileHead;
  std::istringstream lines(saved);
  for (std::string line; std::getline(lines, line);) {
    if (line.empty() || line == "\r") continue;
    for (const auto& [section, note] : kSectionNotes)
      if (line == section) text.append("\n").append(note);
    text.append(line).append("\n");
  }
  return text;
}

// `word` as one word of a POSIX shell command.
std::string ShellWord(const std::string& word) {
  bool plain = !word.empty() && std::all_of(word.begin(), word.end(), [](char c) {
    return std::isalnum(static_cast<unsigned char>(c)) ||
           std::string_view("_./-+,:@").find(c) != std::string_view::npos;
  });
  if (plain) return word;
  std::string quoted = "'";
  for (char c : word) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

// Creates `folder` and its parents; false after reporting a failure.
bool MakeFolder(const fs::path& folder) {
  std::error_code error;
  fs::create_directories(folder, error);
  if (!error) return true;
  ReportError("cannot create folder " + folder.string() + ": " + error.message());
  return false;
}

// Refuses, after reporting it, when any of `targets` exists.
bool NoneExists(const std::vector<fs::path>& targets) {
  std::error_code error;
  for (const fs::path& target : targets) {
    if (!fs::exists(fs::symlink_status(target, error))) continue;
    ReportError(target.string() + " exists already; --init writes only new files");
    return false;
  }
  return true;
}

// Writes the folders, the example source and the copies of the theme's
// files; false after reporting a failure.
bool WriteProjectFiles(const fs::path& root, const fs::path& theme,
                       const std::vector<fs::path>& theme_files) {
  if (!MakeFolder(root / "src") || !MakeFolder(root / "docs")) return false;
  if (!WriteText(root / kExampleName, kExampleSource)) return false;
  for (const fs::path& file : theme_files) {
    fs::path copy = root / "theme" / file;
    if (!MakeFolder(copy.parent_path())) return false;
    std::error_code error;
    if (!fs::copy_file(theme / file, copy, error)) {
      ReportError("cannot copy " + (theme / file).string() + ": " + error.message());
      return false;
    }
  }
  return true;
}

// Gives the engine the starter project's settings and lists.
void Configure(Object& engine, const fs::path& root, const std::vector<fs::path>& theme_files) {
  engine.Put("OutputDirectory", (root / "docs").string());
  engine.Call("AddInputFolder", {(root / "src").string(), int32_t{0}});
  engine.Put("CommentString", "//");
  engine.Call("ClearFileTypes");
  for (const char* type : kFileTypes) engine.Call("AddFileType", {type, int32_t{0}});
  engine.Put("DefTopicFile", "Overview.html");
  // The pages' title, where the engine has one: the project folder's name.
  engine.Put("ProjectTitle", root.filename().empty() ? root.parent_path().filename().string()
                                                     : root.filename().string());
  UseThemeTemplates(engine, theme_files, root / "theme");
}

// What was written and the commands to run next, from where the user is.
void PrintNextSteps(const std::string& folder, bool with_theme) {
  const fs::path shown(folder);
  std::printf("Wrote a starter project in %s: %s, %s%s and the output folder docs/.\n",
              ShellWord(folder).c_str(), std::string(kConfigName).c_str(),
              std::string(kExampleName).c_str(),
              with_theme ? ", the theme's templates in theme/" : "");
  std::printf("Next, document it and open the result:\n  tavelle-cli %s\n  xdg-open %s\n",
              ShellWord((shown / kConfigName).lexically_normal().string()).c_str(),
              ShellWord((shown / kFirstPage).lexically_normal().string()).c_str());
}

}  // namespace

int WriteStarterProject(Object& engine, const std::string& folder, const fs::path& start) {
  const fs::path root = (start / folder).lexically_normal();
  const fs::path theme = automation::ExecutableFolder() / ".." / "share" / "tavelle" / "theme";
  const std::vector<fs::path> theme_files = ThemeFiles(theme);

  const fs::path config = root / kConfigName;
  std::vector<fs::path> targets = {config, root / kExampleName};
  for (const fs::path& file : theme_files) targets.push_back(root / "theme" / file);
  if (!NoneExists(targets) || !WriteProjectFiles(root, theme, theme_files)) return kExitBadUsage;

  // The engine writes the configuration; the comments go in afterwards.
  Configure(engine, root, theme_files);
  if (!SaveConfiguration(engine, config)) return kExitBadUsage;
  if (!WriteText(config, Commented(ReadText(config)))) return kExitBadUsage;
  PrintNextSteps(folder, !theme_files.empty());
  return kExitFinished;
}

}  // namespace cli
