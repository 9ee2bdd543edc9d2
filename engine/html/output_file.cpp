// Writing output files, confined to the output directory.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "engine/html/page_frame.h"
#include "engine/scan/text_file.h"

namespace tavelle {

void WriteTextFile(const std::string& fileName, std::string_view text, bool overwrite,
                   const automation::ObjectRef& outputMsgBox) {
  std::error_code status;
  if (std::filesystem::is_directory(fileName, status)) {
    LogFileFailure(outputMsgBox, std::strerror(EISDIR), fileName);
    return;
  }
  if (overwrite) std::remove(fileName.c_str());
  std::FILE* file = std::fopen(fileName.c_str(), "ab");
  if (file == nullptr) {
    LogFileFailure(outputMsgBox, std::strerror(errno), fileName);
    return;
  }
  bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size() &&
                 std::fwrite("\r\n", 1, 2, file) == 2;
  int error = errno;
  if (std::fclose(file) != 0 && written) {
    written = false;
    error = errno;
  }
  if (!written) LogFileFailure(outputMsgBox, std::strerror(error), fileName);
}

std::string OutputFilePath(const std::string& outDir, const std::string& fileName) {
  if (outDir.empty()) return fileName;
  return outDir + "/" + fileName;
}

bool IsInsideOutputDirectory(const std::string& fileName) {
  std::filesystem::path name(fileName);
  if (name.has_root_path()) return false;
  int depth = 0;
  for (const auto& part : name) {
    if (part == "..") {
      if (--depth < 0) return false;
    } else if (part != "." && !part.empty()) {
      ++depth;
    }
  }
  return true;
}

std::string WriteOutputFile(const std::string& outDir, const std::string& fileName,
                            std::string_view text, const automation::ObjectRef& outputMsgBox) {
  std::string path = OutputFilePath(outDir, fileName);
  if (!IsInsideOutputDirectory(fileName)) {
    LogFileFailure(outputMsgBox, "Path outside the output directory", path);
    return path;
  }
  WriteTextFile(path, text, true, outputMsgBox);
  return path;
}

}  // namespace tavelle
