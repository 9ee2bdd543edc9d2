// A generated class page, framed by the example template, as a real
// browser parses it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "engine/pipeline/html_driver.h"
#include "engine/search/search_words.h"
#include "tests/support/test_support.h"

namespace tavelle {
namespace {

using testing_support::RunCommand;
using testing_support::SourcePath;
using testing_support::TempDir;

const char kChromium[] = "/usr/bin/chromium";

std::string DumpDom(const TempDir& dir, const std::string& page) {
  std::string command = std::string(kChromium) +
                        " --headless --no-sandbox --disable-gpu"
                        " --disable-background-networking --disable-component-update"
                        " --disable-sync --no-first-run --user-data-dir='" +
                        (dir / "profile") + "' --dump-dom 'file://" + page + "'";
  return RunCommand(command).output;
}

TEST(Browser, ShowsTheMemberTableAndLinksOfAClassPage) {
  if (!std::filesystem::exists(kChromium)) GTEST_SKIP() << "no " << kChromium;
  TempDir dir;
  setenv("TAVELLE_SEARCH_DB", (dir / "words.sqlite").c_str(), 1);
  Project project;
  project.settings.OutputDirectory = dir / "out";
  project.settings.DefaultHTML = SourcePath("examples/templates/page.html").string();
  project.settings.GenerateDiagrams = false;
  std::filesystem::create_directories(project.settings.OutputDirectory);

  auto shape = std::make_shared<ClassDoc>();
  shape->Name = "Shape";
  shape->filename = "Shape.html";
  shape->Description = "A shape can Draw itself.";
  for (const char* name : {"Draw", "Area"}) {
    auto member = std::make_shared<ClassMemberDoc>();
    member->Name = name;
    member->Group = "Geometry";
    member->filename = std::string("Shape_") + name + ".html";
    member->ShortDescription = std::string(name) + " of a <b>shape</b>";
    shape->Members.AddSorted(member);
  }
  project.Classes.AddSorted(shape);
  GenerateSearchWords(project, *testing_support::RunOf(project));
  GenerateHTMLFiles(project, *testing_support::RunOf(project));
  unsetenv("TAVELLE_SEARCH_DB");

  std::string dom = DumpDom(dir, project.settings.OutputDirectory + "/Shape.html");
  ASSERT_NE(dom.find("</html>"), std::string::npos) << dom;
  EXPECT_NE(dom.find("<title>Shape</title>"), std::string::npos);
  EXPECT_NE(dom.find("<center><h2>Geometry</h2><table border=\"1\" width=\"80%\">"),
            std::string::npos)
      << dom;
  EXPECT_NE(dom.find("<td width=\"35%\"><h3><a href=\"Shape_Area.html\">Area</a></h3></td>"),
            std::string::npos);
  EXPECT_NE(dom.find("<a href=\"Shape_Draw.html\">Draw</a></h3></td>"), std::string::npos);
  // Linked words inside the description and the short descriptions.
  EXPECT_NE(dom.find("can&nbsp; <a href=\"Shape_Draw.html\">Draw</a>&nbsp; itself."),
            std::string::npos);
  EXPECT_NE(dom.find("<h3><a href=\"Shape_Area.html\">Area</a> of a  <b> "
                     "<a href=\"Shape.html\">Shape</a> </b> </h3>"),
            std::string::npos);
  // The template's header bar and none of its sample content.
  EXPECT_NE(dom.find("<a href=\"Classes.html\">Classes</a>"), std::string::npos);
  EXPECT_EQ(dom.find("Sample Page"), std::string::npos);
}

}  // namespace
}  // namespace tavelle
