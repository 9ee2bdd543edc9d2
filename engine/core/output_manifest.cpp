#include "engine/core/output_manifest.h"

#include <algorithm>
#include <filesystem>
#include <iterator>
#include <system_error>

#include "automation/platform.h"

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

std::vector<std::string> ReadManifest(OutputFolder& output) {
  std::string text;
  if (!output.ReadBookkeeping(kManifestName, text)) return {};
  std::string_view rest = text;
  auto takeLine = [&rest](std::string_view& line) {
    size_t end = rest.find('\n');
    if (end == std::string_view::npos) return false;
    line = rest.substr(0, end);
    rest.remove_prefix(end + 1);
    return true;
  };
  std::string_view line;
  if (!takeLine(line) || line != kVersionLine) return {};
  std::vector<std::string> names;
  while (takeLine(line)) {
    if (line.empty() || line == kManifestName || !OutputFolder::Holds(line)) continue;
    names.emplace_back(line);
  }
  // The manifest is written in order; one edited by hand may not be.
  if (!std::is_sorted(names.begin(), names.end())) std::sort(names.begin(), names.end());
  names.erase(std::unique(names.begin(), names.end()), names.end());
  return names;
}

Status WriteManifest(OutputFolder& output, const std::vector<std::string>& names) {
  std::string text(kVersionLine);
  text += '\n';
  for (const std::string& name : names) {
    // A name that would break the one-name-a-line form cannot be listed.
    if (name.find_first_of("\r\n") != std::string::npos) continue;
    text += name;
    text += '\n';
  }
  return output.WriteBookkeeping(kManifestName, text);
}

int FinishOutput(Run& run) {
  // Every page and help file is written and let go: their memory goes back
  // to the system before the lists below are built beside the records.
  automation::ReturnFreedHeapMemory();
  OutputFolder& output = run.Output();
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
  run.Fail(output.SaveCache());
  return removed;
}

}  // namespace tavelle
