// A first run as a new user makes it: nothing but documented sources and
// `tavelle-cli -i src -o docs --set CommentString=//`. The pages wear the
// built-in look and the tree viewer works; headless Chromium checks the
// layout at a phone's width and in dark mode, and leaves screenshots at
// 1400 and 400 pixels, light and dark, in <build>/test-output/first-run/.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "tests/e2e/e2e_support.h"
#include "tests/support/test_support.h"

namespace {

namespace fs = std::filesystem;
using e2e_support::Quoted;
using e2e_support::RunCli;
using testing_support::BinaryPath;
using testing_support::ReadFile;
using testing_support::RunCommand;
using testing_support::SourcePath;
using testing_support::TempDir;
using testing_support::WriteFile;

// Once the page has settled, tells the page around it what the layout
// checks need: the width of the scrolled content, how far the body's own
// content overflows sideways (the body scrolls what cannot fit, such as a
// wide diagram) and the page's background. With `click`, the light and dark toggle is pressed first.
std::string ProbeScript(bool click) {
  return std::string("<script>window.addEventListener('load', function () {") +
         (click ? "document.querySelector('.scheme-toggle').click();" : "") +
         "  setTimeout(function () {"
         "    var main = document.querySelector('main');"
         "    parent.postMessage({scrollWidth: document.scrollingElement.scrollWidth,"
         "      mainOverflow: main.scrollWidth - main.clientWidth,"
         "      background: getComputedStyle(document.body).backgroundColor}, '*');"
         "  }, 100);"
         "});</script>";
}

// Shows `page` in a frame `width` pixels wide (a headless window is at
// least 500 wide) and writes what its probe tells into the DOM.
std::string FramePage(const std::string& page, int width) {
  return "<!DOCTYPE html><html><body style='margin:0'><iframe src='" + page +
         "' style='border:0;height:900px;width:" + std::to_string(width) +
         "px'></iframe><script>window.addEventListener('message', function (event) {"
         "  var probe = document.createElement('div');"
         "  probe.id = 'probe';"
         "  probe.setAttribute('data-scroll-width', event.data.scrollWidth);"
         "  probe.setAttribute('data-main-overflow', event.data.mainOverflow);"
         "  probe.setAttribute('data-background', event.data.background);"
         "  document.body.appendChild(probe);"
         "});</script></body></html>";
}

class FirstRun : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!fs::exists(BinaryPath("tavelle-cli"))) GTEST_SKIP() << "tavelle-cli is not built";
    fs::copy(SourcePath("examples/shapes"), work_.path() / "src");
    fs::create_directories(docs_);
  }

  // Runs headless Chromium on `page` of the output with `flags`; the
  // profile, and so the remembered colour scheme, lasts for the test.
  std::string Chromium(const std::string& flags, const std::string& page) {
    return RunCommand("timeout 120 chromium --headless --no-sandbox --disable-gpu --no-first-run"
                      " --disable-background-networking --disable-component-update"
                      " --disable-sync --hide-scrollbars --virtual-time-budget=3000"
                      " --user-data-dir=" +
                      Quoted((work_.path() / "profile").string()) + " " + flags + " " +
                      Quoted("file://" + (docs_ / page).string()))
        .output;
  }

  // The probe's attribute `name` after loading a copy of `page` at `width`.
  std::string Probe(const std::string& page, int width, const std::string& flags,
                    const std::string& name, bool click = false) {
    std::string copy = "probe-" + page, frame = "frame-" + page;
    WriteFile(docs_ / copy, ReadFile(docs_ / page) + ProbeScript(click));
    WriteFile(docs_ / frame, FramePage(copy, width));
    std::string dom = Chromium("--window-size=1400,900 " + flags + " --dump-dom", frame);
    fs::remove(docs_ / copy);
    fs::remove(docs_ / frame);
    size_t at = dom.find(" " + name + "=\"");
    if (at == std::string::npos) return "no probe in: " + dom.substr(0, 300);
    at += name.size() + 3;
    return dom.substr(at, dom.find('"', at) - at);
  }

  void Screenshot(const std::string& page, int width, const std::string& flags,
                  const std::string& name) {
    fs::path shot = fs::path(TAVELLE_BINARY_DIR) / "test-output/first-run" / (name + ".png");
    fs::create_directories(shot.parent_path());
    fs::remove(shot);
    Chromium("--window-size=" + std::to_string(width) + ",900 " + flags +
                 " --screenshot=" + Quoted(shot.string()),
             page);
    EXPECT_GT(fs::exists(shot) ? fs::file_size(shot) : 0, 10000u) << shot;
  }

  TempDir work_;
  fs::path docs_ = work_.path() / "docs";
};

// The brightness of a computed colour "rgb(r, g, b)": the sum of its parts.
int Brightness(const std::string& colour) {
  int red = 0, green = 0, blue = 0;
  if (std::sscanf(colour.c_str(), "rgb(%d, %d, %d)", &red, &green, &blue) != 3) return -1;
  return red + green + blue;
}

TEST_F(FirstRun, SourcesAloneGiveThemedPagesAndAWorkingTree) {
  auto run = RunCli(work_.path() / "words.sqlite", "-q -i src -o docs --set CommentString=//",
                    work_.path());
  ASSERT_EQ(run.exit_code, 0) << run.output << run.errors;

  std::string page = ReadFile(docs_ / "Circle.html");
  EXPECT_NE(page.find("<title>Circle</title>"), std::string::npos);
  EXPECT_NE(page.find("<a class=\"brand\" href=\"tree.html\">docs</a>"), std::string::npos)
      << "the output folder's name is the title";
  EXPECT_NE(page.find("<div id=\"tavelle-search\"></div>"), std::string::npos);
  EXPECT_EQ(page.find("{Project Title}"), std::string::npos);
  EXPECT_NE(ReadFile(docs_ / "Proj.hhp").find("\r\nTitle=docs\r\n"), std::string::npos);
  for (const char* file : {"tree.html", "tree.js", "folder.svg", "class.svg", "topic.svg"})
    EXPECT_TRUE(fs::exists(docs_ / file)) << file;
  if (RunCommand("command -v chromium").exit_code != 0) GTEST_SKIP() << "no chromium";

  // The viewer builds the tree and opens the first general topic.
  std::string tree = Chromium("--window-size=1400,900 --dump-dom", "tree.html");
  EXPECT_NE(tree.find("data-state=\"ready\""), std::string::npos) << tree.substr(0, 2000);
  EXPECT_NE(tree.find("data-start=\"ColorsAndDrawing.html\""), std::string::npos);
  EXPECT_NE(tree.find("src=\"ColorsAndDrawing.html\""), std::string::npos);

  // Nothing scrolls sideways on a phone; the system's dark mode is followed.
  EXPECT_EQ(Probe("Circle.html", 400, "", "data-scroll-width"), "400");
  EXPECT_EQ(Probe("Functions.html", 400, "", "data-main-overflow"), "0");
  EXPECT_GT(Brightness(Probe("Circle.html", 1400, "", "data-background")), 700);
  EXPECT_LT(Brightness(Probe("Classes.html", 1400, "--force-dark-mode", "data-background")), 150);

  Screenshot("tree.html", 1400, "", "tree-1400-light");
  Screenshot("tree.html", 400, "--force-dark-mode", "tree-400-dark");
  Screenshot("Circle.html", 1400, "--force-dark-mode", "class-1400-dark");
  Screenshot("Circle.html", 400, "", "class-400-light");

  // The toggle's choice outlasts the page and overrides the system's.
  EXPECT_LT(Brightness(Probe("Circle.html", 1400, "", "data-background", true)), 150);
  EXPECT_LT(Brightness(Probe("Shape.html", 1400, "", "data-background")), 150);
}

}  // namespace
