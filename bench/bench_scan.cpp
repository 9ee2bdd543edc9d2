// Scanning throughput: generates a tree of documented C++ sources, then
// times discovery, reading and the five block passes over it, at a base
// size and at five times that size, and prints MB/s for each: by the
// clock, and by the processor time of this process, which other work on a
// busy machine does not inflate.
//
//   bench_scan [megabytes]   (default 50)
//
// About half of the generated lines are documentation, so the passes build
// roughly one record per 700 bytes of source.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>

#include "engine/core/named_lists.h"
#include "engine/core/run.h"
#include "engine/scan/project.h"
#include "engine/scan/block_finder.h"
#include "engine/scan/file_discovery.h"

namespace fs = std::filesystem;

namespace {

constexpr size_t kFileBytes = 128 * 1024;
constexpr size_t kFilesPerFolder = 40;

// Code that documentation sits between: the body of a member function.
void AppendMethodBody(std::string& text) {
  text += "    double total = 0.0;\n";
  text += "    for (size_t i = 0; i + 1 < points_.size(); ++i) {\n";
  text += "      const Point& from = points_[i];\n";
  text += "      const Point& to = points_[i + 1];\n";
  text += "      double dx = to.x - from.x, dy = to.y - from.y;\n";
  text += "      if (dx == 0.0 && dy == 0.0) continue;  // repeated point\n";
  text += "      total += std::sqrt(dx * dx + dy * dy) * canvas.Scale();\n";
  text += "    }\n";
  text +=
      "    if (closed_ && !points_.empty()) total += Distance(points_.back(), points_.front());\n";
  text += "    return total;\n";
}

// One documented class with members and a function, in the comment format
// with LF line ends as files on this platform have them. Every tenth class
// also carries a general topic and an index entry.
void AppendDocumentedClass(std::string& text, int number) {
  std::string name = "Shape" + std::to_string(number);
  text += "//DOC_DEFINE_CLASS_START\n//Name: " + name + "\n//\\\\\n";
  text += "//Base Classes: Shape, Drawable\n//\\\\\n//Group: Shapes\n//\\\\\n";
  text += "//Description: A shape that knows its own outline.\n";
  text += "//It is drawn on a canvas and reports its area.\n//\\\\\n";
  text += "//DOC_DEFINE_CLASS_END\n";
  text += "class " + name + " : public Shape, public Drawable {\n public:\n";
  for (int member = 0; member < 4; ++member) {
    std::string memberName = "Method" + std::to_string(member);
    text += "//DOC_DEFINE_CLASS_MEMBER_START\n//Class: " + name + "\n//\\\\\n";
    text += "//Name: " + memberName + "\n//\\\\\n//Access: Public\n//\\\\\n";
    text += "//Definition: double " + memberName + "(const Canvas& canvas) const;\n//\\\\\n";
    text += "//Parameters: canvas - the canvas to measure against\n//\\\\\n";
    text += "//Return Values: the measured value, never negative\n//\\\\\n";
    text += "//Description: Measures the shape.\n//Uses the canvas scale.\n//\\\\\n";
    text += "//DOC_DEFINE_CLASS_MEMBER_END\n";
    text += "  double " + memberName + "(const Canvas& canvas) const {\n";
    AppendMethodBody(text);
    text += "  }\n\n";
  }
  text += " private:\n  std::vector<Point> points_;\n  bool closed_ = false;\n};\n\n";
  text += "//DOC_DEFINE_FUNCTION_START\n//Name: Make" + name + "\n//\\\\\n";
  text += "//Group: Factories\n//\\\\\n//Access: Public\n//\\\\\n";
  text += "//Description: Creates a default " + name + ".\n//\\\\\n//DOC_DEFINE_FUNCTION_END\n";
  text += "std::unique_ptr<Shape> Make" + name + "() {\n";
  text += "  return std::make_unique<" + name + ">();\n}\n\n";
  if (number % 10 != 0) return;
  text += "//DOC_DEFINE_GENERAL_START\n//Name: About " + name + "\n//\\\\\n";
  text += "//Text: How " + name + " differs from the other shapes.\n//\\\\\n";
  text += "//DOC_DEFINE_GENERAL_END\n";
  text += "//DOC_DEFINE_INDEX_START\n//Name: " + name + " outline\n//\\\\\n";
  text += "//File: " + name + ".html\n//\\\\\n//DOC_DEFINE_INDEX_END\n\n";
}

// Writes about `megabytes` of sources into `root`, in folders of
// kFilesPerFolder files each.
void GenerateSources(const fs::path& root, size_t megabytes) {
  size_t fileCount = megabytes * 1024 * 1024 / kFileBytes;
  int classNumber = 0;
  for (size_t file = 0; file < fileCount; ++file) {
    fs::path folder = root / ("module" + std::to_string(file / kFilesPerFolder));
    fs::create_directories(folder);
    std::string text = "#include \"shapes.h\"\n\nnamespace shapes {\n\n";
    while (text.size() < kFileBytes) AppendDocumentedClass(text, ++classNumber);
    text += "}  // namespace shapes\n";
    std::ofstream(folder / ("unit" + std::to_string(file) + ".cpp"), std::ios::binary) << text;
  }
}

struct Elapsed {
  double wall;
  double cpu;  // processor time of the process, which a busy machine does not inflate
};

class Stopwatch {
 public:
  Elapsed Stop() const {
    return {std::chrono::duration<double>(std::chrono::steady_clock::now() - wall_).count(),
            static_cast<double>(std::clock() - cpu_) / CLOCKS_PER_SEC};
  }

 private:
  std::chrono::steady_clock::time_point wall_ = std::chrono::steady_clock::now();
  std::clock_t cpu_ = std::clock();
};

void RunOnce(size_t megabytes) {
  fs::path root = fs::temp_directory_path() / ("tavelle-bench-scan-" + std::to_string(megabytes));
  fs::remove_all(root);
  GenerateSources(root, megabytes);
  size_t diskBytes = 0;
  for (const auto& entry : fs::recursive_directory_iterator(root))
    if (entry.is_regular_file()) diskBytes += entry.file_size();

  tavelle::Project project;
  project.settings.ProcAccessLevel = "All Access";
  std::string type = ".cpp";
  int32_t position = 0;
  tavelle::AddFileType(project, type, position);

  tavelle::Run run(nullptr, "");
  Stopwatch total, reading;
  tavelle::FindSourceFilesRecursive(root.string(), project.SourceFiles, project.FileTypes, "//",
                                    run);
  Elapsed read = reading.Stop();
  Stopwatch passes;
  for (auto finder : {tavelle::FindClasses, tavelle::FindClassMembers, tavelle::FindFunctions,
                      tavelle::FindGeneralInfo, tavelle::FindIndexEntries}) {
    for (size_t file = 0; file < project.SourceFiles.size(); ++file)
      finder(project, run, project.SourceFiles[file].FileText, static_cast<int32_t>(file));
  }
  Elapsed parsed = passes.Stop();
  Elapsed all = total.Stop();

  double mb = static_cast<double>(diskBytes) / (1024.0 * 1024.0);
  size_t members = 0;
  for (const auto& record : project.Classes) members += record->Members.Count();
  std::printf("%7.1f MB in %5zu files: %6.3f s, %6.1f MB/s; CPU %6.3f s, %6.1f MB/s\n", mb,
              project.SourceFiles.size(), all.wall, mb / all.wall, all.cpu, mb / all.cpu);
  std::printf("%10sreading %6.3f s (CPU %6.3f s), passes %6.3f s (CPU %6.3f s)\n", "", read.wall,
              read.cpu, parsed.wall, parsed.cpu);
  std::printf("%10s%zu classes, %zu members, %zu functions, %zu topics, %zu index entries\n", "",
              project.Classes.Count(), members, project.Functions.Count(),
              project.GeneralDocs.Count(), project.KeyWords.Count());
  fs::remove_all(root);
}

}  // namespace

int main(int argc, char** argv) {
  size_t megabytes = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 50;
  if (megabytes == 0) megabytes = 50;
  RunOnce(megabytes);
  RunOnce(megabytes * 5);
  return 0;
}
