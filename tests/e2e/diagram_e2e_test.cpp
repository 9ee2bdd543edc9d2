// Hierarchy diagrams of whole runs of tavelle-cli, as a browser sees them:
// headless Chromium opens each class page that shows a diagram, and the
// picture it loads must have the size the image tag states times the
// diagram scale; every area of the image map must lead to a page of the
// output.
#include <gtest/gtest.h>

#include <filesystem>
// GCC 12 warns of a maybe-uninitialized member inside libstdc++'s regex
// code when building with the sanitizers; the warning is a known false
// positive of that compiler.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif
#include <regex>
#include <string>
#include <vector>

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

// Once the page has loaded, writes each picture's own size into the DOM.
const char kProbeScript[] =
    "<script>window.addEventListener('load', function () {"
    "  for (const image of document.images) {"
    "    const probe = document.createElement('div');"
    "    probe.setAttribute('data-natural', image.naturalWidth + 'x' + image.naturalHeight);"
    "    document.body.appendChild(probe);"
    "  }"
    "});</script>";

// The natural sizes of the pictures on `page`, as Chromium loaded them.
std::vector<std::string> LoadedPictureSizes(const fs::path& page) {
  fs::path probe = page.parent_path() / ("probe-" + page.filename().string());
  WriteFile(probe, ReadFile(page) + kProbeScript);
  TempDir profile;
  auto browser = RunCommand(
      "timeout 120 chromium --headless --no-sandbox --disable-gpu --no-first-run"
      " --disable-background-networking --disable-component-update --disable-sync"
      " --virtual-time-budget=5000 --user-data-dir=" +
      Quoted(profile.path().string()) + " --dump-dom " + Quoted("file://" + probe.string()));
  fs::remove(probe);
  static const std::regex sizePattern("data-natural=\"(\\d+x\\d+)\"");
  std::vector<std::string> sizes;
  for (std::sregex_iterator it(browser.output.begin(), browser.output.end(), sizePattern), end;
       it != end; ++it)
    sizes.push_back((*it)[1]);
  return sizes;
}

// Checks every page of `out` that shows a diagram drawn at `scale` and
// returns how many there were.
int ExpectDiagramsLoad(const fs::path& out, int scale) {
  static const std::regex imagePattern(
      "<img src=\"([^\"]+)\" border=0 usemap=\"#map1\" HEIGHT=(\\d+) WIDTH=(\\d+)>");
  static const std::regex areaPattern("<area href=(\\S+) alt=");
  int diagrams = 0;
  for (const auto& entry : fs::recursive_directory_iterator(out)) {
    if (!entry.is_regular_file() || entry.path().extension() != ".html") continue;
    std::string page = ReadFile(entry.path());
    std::smatch image;
    if (!std::regex_search(page, image, imagePattern)) continue;
    ++diagrams;
    EXPECT_TRUE(fs::exists(entry.path().parent_path() / image[1].str())) << image[1];
    std::string size = std::to_string(std::stoi(image[3]) * scale) + "x" +
                       std::to_string(std::stoi(image[2]) * scale);
    EXPECT_EQ(LoadedPictureSizes(entry.path()), std::vector<std::string>{size})
        << entry.path();
    for (std::sregex_iterator it(page.begin(), page.end(), areaPattern), end; it != end; ++it) {
      fs::path target = entry.path().parent_path() / (*it)[1].str();
      EXPECT_TRUE(fs::exists(target)) << entry.path() << " maps to " << (*it)[1];
    }
  }
  return diagrams;
}

class DiagramOutputs : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!fs::exists(BinaryPath("tavelle-cli"))) GTEST_SKIP() << "tavelle-cli is not built";
    if (RunCommand("command -v chromium").exit_code != 0)
      GTEST_SKIP() << "chromium is not installed";
    fs::create_directories(out_);
  }

  void Run(const std::string& arguments) {
    auto run = RunCli(work_.path() / "words.sqlite",
                      "-q -o " + Quoted(out_.string()) + " --set GenerateDiagrams=true " + arguments);
    ASSERT_EQ(run.exit_code, 0) << run.output << run.errors;
  }

  TempDir work_;
  fs::path out_ = work_.path() / "out";
};

TEST_F(DiagramOutputs, TheShapesExampleShowsItsDiagrams) {
  fs::path config = SourcePath("examples/shapes.tvg");
  if (!fs::exists(config)) GTEST_SKIP() << "the example project is not there yet";
  ASSERT_NO_FATAL_FAILURE(Run(Quoted(config.string())));
  EXPECT_GT(ExpectDiagramsLoad(out_, 2), 0) << "no class page with a diagram";
}

TEST_F(DiagramOutputs, EveryClassWithBasesGetsAWorkingDiagram) {
  auto block = [](const std::string& name, const std::string& bases) {
    return "//DOC_DEFINE_CLASS_START\n//Name: " + name + "\n//\\\\\n//Base Classes: " + bases +
           "\n//\\\\\n//Description: The " + name + " class.\n//\\\\\n//DOC_DEFINE_CLASS_END\n";
  };
  WriteFile(work_.path() / "src/shapes.h",
            block("Shape", "") + block("Polygon", "Shape") +
                block("Square", "Polygon, Drawable") + block("Größe", "Shape"));
  WriteFile(work_.path() / "page.html",
            "<html><head><title></title></head><body>\n<!--Begin HTML Body-->\n"
            "<!--End HTML Body-->\n</body></html>\n");
  ASSERT_NO_FATAL_FAILURE(Run("-i " + Quoted((work_.path() / "src").string()) +
                              " -t .h --set CommentString=// --set DiagramScale=1"
                              " --set DefaultHTML=" +
                              Quoted((work_.path() / "page.html").string())));

  EXPECT_EQ(ExpectDiagramsLoad(out_, 1), 3);
  EXPECT_TRUE(fs::exists(out_ / "Square.png"));
  EXPECT_FALSE(fs::exists(out_ / "Shape.png")) << "a class without bases has no picture";
  EXPECT_EQ(ReadFile(out_ / "Shape.html").find("<img"), std::string::npos);
}

}  // namespace
