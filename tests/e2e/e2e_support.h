// Helpers of the end-to-end tests: running tavelle-cli on a project,
// snapshots of folders, and the tools that prove the help outputs (chmcmd
// compiles the help project, headless Chromium runs the tree script).
// Header-only, as each area's test program is built from its *_test.cpp.
#ifndef TAVELLE_TESTS_E2E_E2E_SUPPORT_H_
#define TAVELLE_TESTS_E2E_E2E_SUPPORT_H_

#include <gtest/gtest.h>
#include <unistd.h>

#include <cctype>
#include <filesystem>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/test_support.h"

namespace e2e_support {

namespace fs = std::filesystem;
using testing_support::BinaryPath;
using testing_support::CommandResult;
using testing_support::ReadFile;
using testing_support::RunCommand;
using testing_support::SourcePath;
using testing_support::TempDir;

inline std::string Quoted(const std::string& text) { return "'" + text + "'"; }

inline std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

// What a help project file names: its option values and its page list.
struct HelpProject {
  std::map<std::string, std::string> options;
  std::vector<std::string> pages;
};

inline HelpProject ReadHelpProject(const fs::path& path) {
  HelpProject project;
  bool inFiles = false;
  for (const std::string& line : Lines(ReadFile(path))) {
    if (line.starts_with("[")) {
      inFiles = line == "[FILES]";
    } else if (inFiles && !line.empty()) {
      project.pages.push_back(line);
    } else if (size_t equals = line.find('='); equals != std::string::npos) {
      project.options[line.substr(0, equals)] = line.substr(equals + 1);
    }
  }
  return project;
}

inline std::string HtmlAttribute(const std::string& text) {
  std::string escaped;
  for (char c : text) {
    switch (c) {
      case '"': escaped += "&quot;"; break;
      case '&': escaped += "&amp;"; break;
      case '<': escaped += "&lt;"; break;
      case '>': escaped += "&gt;"; break;
      default: escaped += c;
    }
  }
  return escaped;
}

inline std::string DecodeAttribute(std::string text) {
  for (auto [entity, character] : {std::pair{"&quot;", "\""}, {"&lt;", "<"}, {"&gt;", ">"},
                                   {"&amp;", "&"}}) {
    for (size_t at = 0; (at = text.find(entity, at)) != std::string::npos; ++at)
      text.replace(at, std::string(entity).size(), character);
  }
  return text;
}

// Compiles the project in `out` with chmcmd and checks, through chmls,
// that the compiled help holds every listed page as a topic of the
// contents, the contents and index files, and an index entry per page.
inline void ExpectProjectCompiles(const fs::path& out, const std::string& projectFile) {
  HelpProject project = ReadHelpProject(out / projectFile);
  ASSERT_FALSE(project.pages.empty()) << "no pages listed in " << projectFile;
  for (const std::string& page : project.pages) EXPECT_TRUE(fs::exists(out / page)) << page;

  auto compiled = RunCommand("cd " + Quoted(out.string()) + " && chmcmd " + Quoted(projectFile));
  ASSERT_EQ(compiled.exit_code, 0) << compiled.output << compiled.errors;
  std::string chm = (out / project.options["Compiled file"]).string();
  ASSERT_TRUE(fs::exists(chm)) << compiled.output;

  std::string listing = RunCommand("chmls -n list " + Quoted(chm)).output;
  std::string topics = RunCommand("chmls printtopics " + Quoted(chm)).output;
  RunCommand("chmls extractindex " + Quoted(chm) + " " + Quoted((out / "index.txt").string()));
  std::string index = ReadFile(out / "index.txt");
  for (const std::string& page : project.pages) {
    EXPECT_NE(listing.find("/" + page + "\n"), std::string::npos) << page;
    size_t topic = topics.find("Tag value   :" + page + "(");
    ASSERT_NE(topic, std::string::npos) << page << " is no topic";
    EXPECT_EQ(topics.compare(topics.find("contents val:", topic), 14, "contents val:6"), 0)
        << page << " is not in the contents";
    EXPECT_NE(index.find("value=\"" + HtmlAttribute(page) + "\""), std::string::npos)
        << page << " has no index entry";
  }
  EXPECT_NE(listing.find("/" + project.options["Contents file"] + "\n"), std::string::npos);
  EXPECT_NE(listing.find("/" + project.options["Index file"] + "\n"), std::string::npos);
}

// The file URL of `path`, every byte outside the unreserved ones and "/"
// percent-encoded, so that any name survives the shell and the browser.
inline std::string FileUrl(const fs::path& path) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string url = "file://";
  for (unsigned char c : path.string()) {
    if (std::isalnum(c) || std::string_view("/._-~").find(static_cast<char>(c)) != std::string_view::npos) {
      url += static_cast<char>(c);
    } else {
      url += '%';
      url += kHex[c >> 4];
      url += kHex[c & 15];
    }
  }
  return url;
}

// The DOM of `page` once headless Chromium has loaded it and run its
// scripts.
inline std::string DumpDom(const fs::path& page) {
  TempDir profile;
  return RunCommand(
             "timeout 120 chromium --headless --no-sandbox --disable-gpu --virtual-time-budget=5000"
             " --disable-background-networking --disable-component-update --disable-sync"
             " --no-first-run --user-data-dir=" +
             Quoted(profile.path().string()) + " --dump-dom " + Quoted(FileUrl(page)))
      .output;
}

struct TreeNode {
  std::string parent, name, url;
};

// Copies the navigation page beside the output, opens it in headless
// Chromium and returns the tree nodes of the page it built, by number.
inline std::map<std::string, TreeNode> LoadTree(const fs::path& out) {
  for (const auto& entry : fs::directory_iterator(SourcePath("examples/tree")))
    fs::copy_file(entry.path(), out / entry.path().filename(),
                  fs::copy_options::overwrite_existing);
  const std::string dom = DumpDom(out / "tree.html");
  EXPECT_NE(dom.find("id=\"tree\" data-state=\"ready\""), std::string::npos)
      << dom.substr(0, 2000);

  std::map<std::string, TreeNode> nodes;
  auto attribute = [&](size_t at, const std::string& name) {
    size_t start = dom.find(" " + name + "=\"", at) + name.size() + 3;
    return DecodeAttribute(dom.substr(start, dom.find('"', start) - start));
  };
  for (size_t at = 0; (at = dom.find("class=\"tree-node", at)) != std::string::npos; ++at)
    nodes[attribute(at, "data-index")] = {attribute(at, "data-parent"),
                                          attribute(at, "data-name"), attribute(at, "data-url")};
  return nodes;
}


// Runs tavelle-cli quietly with its own search-word database, in `folder`
// (the folder the command is started in), ended after two minutes at most.
// `launcher`, when given, starts the program (see Unprivileged).
inline CommandResult RunCli(const fs::path& database, const std::string& arguments,
                            const fs::path& folder = fs::current_path(),
                            const std::string& launcher = "") {
  return RunCommand("cd " + Quoted(folder.string()) + " && TAVELLE_SEARCH_DB=" +
                    Quoted(database.string()) + " timeout 120 " + launcher +
                    Quoted(BinaryPath("tavelle-cli")) + " " + arguments);
}

// A launcher that runs a program as the user "nobody" when the tests run as
// root, for whom no permission bit stops a read or a write.
inline std::string Unprivileged() {
  return geteuid() == 0 ? "setpriv --reuid=65534 --regid=65534 --clear-groups " : "";
}

// A test of whole runs in its own work folder: sources in src/, the output
// in out/, a minimal page template and a search-word database of its own.
class WorkFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!fs::exists(BinaryPath("tavelle-cli"))) GTEST_SKIP() << "tavelle-cli is not built";
    fs::create_directories(out_);
    fs::create_directories(src_);
    testing_support::WriteFile(
        page_, "<html><head><title></title></head><body>\n<!--Begin HTML Body-->\n"
               "<!--End HTML Body-->\n</body></html>\n");
  }

  TempDir work_;
  fs::path out_ = work_.path() / "out";
  fs::path src_ = work_.path() / "src";
  fs::path page_ = work_.path() / "page.html";
  fs::path database_ = work_.path() / "words.sqlite";
};

// One documentation block of the given kind with its fields.
inline std::string Block(const std::string& kind, const std::vector<std::string>& fields) {
  std::string text = "//DOC_DEFINE_" + kind + "_START\n";
  for (const std::string& field : fields) text += "//" + field + "\n//\\\\\n";
  return text + "//DOC_DEFINE_" + kind + "_END\n";
}

// Every path below `root` (files, folders and links, not followed),
// relative to it, except those below `skip`.
inline std::set<std::string> ListPaths(const fs::path& root, const fs::path& skip = {}) {
  std::set<std::string> paths;
  std::error_code error;
  auto options = fs::directory_options::skip_permission_denied;
  for (auto it = fs::recursive_directory_iterator(root, options, error);
       it != fs::recursive_directory_iterator(); it.increment(error)) {
    if (error) break;
    if (!skip.empty() && it->path() == skip) {
      it.disable_recursion_pending();
      continue;
    }
    paths.insert(it->path().lexically_relative(root).generic_string());
  }
  return paths;
}

// Every regular file below `root` by relative path, with its bytes.
inline std::map<std::string, std::string> ReadAllFiles(const fs::path& root) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(root))
    if (entry.is_regular_file())
      files[entry.path().lexically_relative(root).generic_string()] = ReadFile(entry.path());
  return files;
}

// Expects two folder snapshots to hold the same files with the same bytes,
// naming the files that differ. The output cache and the run memo record
// when and where their files were made, so only their presence counts.
inline void ExpectSameFiles(const std::map<std::string, std::string>& expected,
                            const std::map<std::string, std::string>& actual) {
  std::set<std::string> expectedNames, actualNames;
  for (const auto& [name, bytes] : expected) expectedNames.insert(name);
  for (const auto& [name, bytes] : actual) actualNames.insert(name);
  ASSERT_EQ(expectedNames, actualNames);
  for (const auto& [name, bytes] : expected)
    EXPECT_TRUE(name == ".tavelle-cache" || name == ".tavelle-run" || actual.at(name) == bytes)
        << name << " differs";
}

}  // namespace e2e_support

#endif  // TAVELLE_TESTS_E2E_E2E_SUPPORT_H_
