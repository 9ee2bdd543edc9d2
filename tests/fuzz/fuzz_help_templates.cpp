// The help files made from templates, the script tree, and the split of
// the page template.
//
// Input: the template text up to the first NUL byte, then item names, one
// a line. The same text serves as the project, contents, index and page
// template; the names become classes, members, functions (grouped) and
// general topics in turn, each with its page and its search word.
//
// Checked besides the sanitizers: the page head is a prefix and the tail a
// suffix of the template, and they do not overlap; the project file of a
// template with text lists every page; the contents file exists exactly when the template holds the
// placeholder, the index file when the template is not empty; every line
// of the script tree is one of its known forms, whatever the names hold.
#include <cstdint>
#include <string>
#include <string_view>

#include "engine/help/help_files.h"
#include "engine/html/page_frame.h"
#include "engine/scan/text_file.h"
#include "tests/fuzz/fuzz_support.h"
#include "tests/help/help_test_project.h"

namespace {

using help_testing::HelpTestProject;

constexpr size_t kMaxNames = 64;

void AddItems(HelpTestProject& test, std::string_view namesText) {
  tavelle::ClassDoc* owner = nullptr;
  size_t count = 0;
  std::string previous;
  for (std::string_view line : fuzz_support::SplitAll(namesText, '\n')) {
    if (count == kMaxNames) break;
    std::string name(line);
    switch (count++ % 4) {
      case 0:
        owner = &test.AddClass(name);
        break;
      case 1:
        if (owner) HelpTestProject::AddMember(*owner, name, previous);
        break;
      case 2:
        test.AddFunction(name, previous);
        break;
      default:
        test.AddTopic(name);
        break;
    }
    previous = name;
    tavelle::Project& project = test.project;
    std::string page = name + ".html";
    tavelle::AddHTMLFile(project.HTMLFiles,
                         project.settings.OutputDirectory + "/" + page, "");
    auto word = std::make_shared<tavelle::SearchWord>();
    word->Name = name;
    word->filename = page;
    project.StoredWords.push_back(word);
  }
}

void CheckSplit(const tavelle::Project& project) {
  std::string text;
  auto run = testing_support::RunOf(project);
  tavelle::ReadTextFile(project.settings.DefaultHTML, text, "", *run);
  std::string head, tail;
  tavelle::SplitHTMLTemplate(project, *run, head, tail);
  FUZZ_CHECK(text.starts_with(head), "the head begins the template");
  FUZZ_CHECK(text.ends_with(tail), "the tail ends the template");
  FUZZ_CHECK(head.size() + tail.size() <= text.size(), "head and tail do not overlap");
}

// An empty template gives an empty project file, without the list.
void CheckProjectFile(const HelpTestProject& test, bool emptyTemplate) {
  FUZZ_CHECK(test.Exists("Proj.hhp"), "the project file is written");
  if (emptyTemplate) return;
  std::string written = test.Output("Proj.hhp");
  std::string folder = test.project.settings.OutputDirectory + "/";
  for (const tavelle::FileInfo& page : test.project.HTMLFiles) {
    std::string name = page.Name.substr(folder.size());
    // Template file names in a page name are replaced like any other.
    if (name.find("_tpl.") != std::string::npos) continue;
    FUZZ_CHECK(written.find(name + "\r\n") != std::string::npos, "every page is listed");
  }
}

bool IsScriptLine(std::string_view line) {
  if (line.empty() || line == "{" || line == "}" || line == "function BuildJavaHelpTree(lIndex)")
    return true;
  return line.starts_with("    RootNode.AddNode((lIndex+") &&
         line.ends_with("JavaTreeFontColor, JavaTreeSelFontColor);");
}

void CheckScriptTree(const HelpTestProject& test) {
  std::string script = test.Output("tree.js");
  for (std::string_view line : fuzz_support::SplitAll(script, '\n')) {
    FUZZ_CHECK(line.ends_with('\r'), "script lines end in CR LF");
    line.remove_suffix(1);
    FUZZ_CHECK(line.find('\r') == std::string_view::npos, "no line break inside a script line");
    FUZZ_CHECK(IsScriptLine(line), "every script line has a known form");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  auto [templateText, names] = fuzz_support::SplitOnce(fuzz_support::AsText(data, size), '\0');
  HelpTestProject test;
  tavelle::Settings& settings = test.project.settings;
  settings.ProjFileTemplate = test.dir / "proj_tpl.hhp";
  settings.ContentFileTemplate = test.dir / "contents_tpl.hhc";
  settings.IndexFileTemplate = test.dir / "index_tpl.hhk";
  settings.DefaultHTML = settings.ContentFileTemplate;
  for (const std::string* path :
       {&settings.ProjFileTemplate, &settings.ContentFileTemplate, &settings.IndexFileTemplate})
    testing_support::WriteFile(*path, std::string(templateText));
  settings.ProjFile = "Proj.hhp";
  settings.ContentFile = "Contents.hhc";
  settings.IndexFile = "Index.hhk";
  settings.ClassesHTMLFile = "Classes.html";
  settings.GenerateJScriptTreeFile = true;
  settings.JavaScriptTreeFile = "tree.js";
  AddItems(test, names);

  CheckSplit(test.project);
  tavelle::GenerateHelpProjectFile(test.project, *testing_support::RunOf(test.project));
  tavelle::GenerateHelpContentFile(test.project, *testing_support::RunOf(test.project));
  tavelle::GenerateHelpIndexFile(test.project, *testing_support::RunOf(test.project));
  tavelle::GenerateJavaScriptTree(test.project, *testing_support::RunOf(test.project));

  CheckProjectFile(test, templateText.empty());
  bool placeholder = templateText.find("value=\"{Tavelle Output}\"") != std::string_view::npos;
  FUZZ_CHECK(test.Exists("Contents.hhc") == placeholder, "contents file iff placeholder");
  FUZZ_CHECK(test.Exists("Index.hhk") == !templateText.empty(), "index file iff template");
  CheckScriptTree(test);
  return 0;
}
