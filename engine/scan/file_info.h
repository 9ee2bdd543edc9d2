// FileInfo: one text file held in memory. A run keeps one per source file
// read (SourceFiles) and one per topic page written (HTMLFiles).
#ifndef TAVELLE_ENGINE_SCAN_FILE_INFO_H_
#define TAVELLE_ENGINE_SCAN_FILE_INFO_H_

#include <cstdint>
#include <string>

namespace tavelle {

struct FileInfo {
  std::string Name;      // full path of the file
  std::string FileText;  // source text after comment stripping; empty for pages
  int32_t ID = 0;        // numbers the written pages; 0 for source files
};

}  // namespace tavelle

#endif  // TAVELLE_ENGINE_SCAN_FILE_INFO_H_
