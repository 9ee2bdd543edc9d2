// Scanning throughput: generates a tree of documented C++ sources, then
// times discovery, reading and the five block passes over it, at a base
// size and at five times that size, and prints MB/s for each.
//
//   bench_scan [megabytes]   (default 50)
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "engine/core/named_lists.h"
#include "engine/core/project.h"
#include "engine/scan/block_finder.h"
#include "engine/scan/file_discovery.h"

namespace fs = std::filesystem;

namespace {

constexpr size_t kFileBytes = 128 * 1024;
constexpr size_t kFilesPerFolder = 40;

// One documented class with members and a function, and some code around
// it, with LF line ends as files on this platform have them.
void AppendDocumentedClass(std::string& text, const std::string& name) {
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
    text += "    double total = 0.0;\n    for (const Point& p : points_) total += p.x * p.y;\n";
    text += "    return total * canvas.Scale();\n  }\n\n";
  }
  text += "};\n\n//DOC_DEFINE_FUNCTION_START\n//Name: Make" + name + "\n//\\\\\n";
  text += "//Group: Factories\n//\\\\\n//Access: Public\n//\\\\\n";
  text += "//Description: Creates a default " + name + ".\n//\\\\\n//DOC_DEFINE_FUNCTION_END\n";
  text +=
      "std::unique_ptr<Shape> Make" + name + "() { return std::make_unique<" + name + ">(); }\n\n";
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
    while (text.size() < kFileBytes)
      AppendDocumentedClass(text, "Shape" + std::to_string(++classNumber));
    text += "}  // namespace shapes\n";
    std::ofstream(folder / ("unit" + std::to_string(file) + ".cpp"), std::ios::binary) << text;
  }
}

size_t TotalBytes(const tavelle::Project& project) {
  size_t bytes = 0;
  for (const tavelle::FileInfo& file : project.SourceFiles) bytes += file.FileText.size();
  return bytes;
}

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

  auto started = std::chrono::steady_clock::now();
  tavelle::FindSourceFilesRecursive(root.string(), project.SourceFiles, project.FileTypes, "//",
                                    nullptr);
  auto read = std::chrono::steady_clock::now();
  for (auto finder : {tavelle::FindClasses, tavelle::FindClassMembers, tavelle::FindFunctions,
                      tavelle::FindGeneralInfo, tavelle::FindIndexEntries}) {
    for (const tavelle::FileInfo& file : project.SourceFiles) finder(project, file.FileText);
  }
  auto finished = std::chrono::steady_clock::now();

  double seconds = std::chrono::duration<double>(finished - started).count();
  double readSeconds = std::chrono::duration<double>(read - started).count();
  double mb = static_cast<double>(diskBytes) / (1024.0 * 1024.0);
  size_t members = 0;
  for (const auto& record : project.Classes) members += record->Members.Count();
  std::printf(
      "%7.1f MB in %5zu files: %6.3f s (read %6.3f s), %7.1f MB/s; %zu classes, %zu members, %zu "
      "functions, %zu bytes of text\n",
      mb, project.SourceFiles.size(), seconds, readSeconds, mb / seconds, project.Classes.Count(),
      members, project.Functions.Count(), TotalBytes(project));
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
