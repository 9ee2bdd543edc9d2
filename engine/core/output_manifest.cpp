#include "engine/core/output_manifest.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

namespace tavelle {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kVersionLine = "tavelle-manifest 1";

// Whether every folder between the output folder and `name` is a real
// folder, so that removing `name` cannot reach through a link.
bool ParentsArePlain(const OutputFolder& output, const std::string& name) {
  fs::path prefix;
  fs::path parent = fs::path(name).parent_path();
  for (const fs::path& part : parent) {
    prefix /= part;
    std::error_code error;
    if (fs::symlink_status(output.PathOf(prefix.generic_string()), error).type() !=
        fs::file_type::directory)
      return false;
  }
  return true;
}

// Removes the file `name`; true when a file was there and is gone.
bool RemoveStale(const OutputFolder& output, const std::string& name) {
  if (!OutputFolder::Holds(name) || !ParentsArePlain(output, name)) return false;
  std::error_code error;
  std::string path = output.PathOf(name);
  fs::file_type type = fs::symlink_status(path, error).type();
  if (type != fs::file_type::regular && type != fs::file_type::symlink) return false;
  return fs::remove(path, error);
}

}  // namespace

std::vector<std::string> ReadManifest(const OutputFolder& output) {
  std::ifstream in(output.PathOf(kManifestName), std::ios::binary);
  std::string line;
  if (!std::getline(in, line) || line != kVersionLine) return {};
  std::vector<std::string> names;
  while (std::getline(in, line)) {
    if (line.empty() || line == kManifestName || !OutputFolder::Holds(line)) continue;
    names.push_back(line);
  }
  std::sort(names.begin(), names.end());
  names.erase(std::unique(names.begin(), names.end()), names.end());
  return names;
}

Status WriteManifest(const OutputFolder& output, const std::vector<std::string>& names) {
  std::string text(kVersionLine);
  text += '\n';
  for (const std::string& name : names) {
    // A name that would break the one-name-a-line form cannot be listed.
    if (name.find_first_of("\r\n") != std::string::npos) continue;
    text += name;
    text += '\n';
  }
  std::string path = output.PathOf(kManifestName);
  std::string temporary = path + ".tmp";
  // An unchanged list keeps its file and time stamp; a temporary file left
  // by a killed run goes all the same.
  std::ifstream current(path, std::ios::binary);
  if (std::string(std::istreambuf_iterator<char>(current), {}) == text) {
    std::remove(temporary.c_str());
    return Status();
  }
  std::FILE* file = std::fopen(temporary.c_str(), "wb");
  if (file == nullptr) return Status::FileFailure("Cannot write the manifest", path);
  bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
  written = std::fclose(file) == 0 && written;
  if (!written || std::rename(temporary.c_str(), path.c_str()) != 0) {
    std::remove(temporary.c_str());
    return Status::FileFailure("Cannot write the manifest", path);
  }
  return Status();
}

int FinishOutput(Run& run) {
  const OutputFolder& output = run.Output();
  std::vector<std::string> written = output.WrittenNames();
  std::vector<std::string> previous = ReadManifest(output);
  // A run that made nothing, after none that made anything, lists nothing.
  if (written.empty() && previous.empty()) return 0;
  std::vector<std::string> stale;
  std::set_difference(previous.begin(), previous.end(), written.begin(), written.end(),
                      std::back_inserter(stale));
  int removed = 0;
  for (const std::string& name : stale) {
    if (!RemoveStale(output, name)) continue;
    run.Log("Removed File: " + output.PathOf(name));
    ++removed;
  }
  run.Fail(WriteManifest(output, written));
  return removed;
}

}  // namespace tavelle
