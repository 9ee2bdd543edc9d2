#include "engine/scan/file_discovery.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <utility>

#include "engine/scan/text_file.h"

namespace fs = std::filesystem;

namespace tavelle {
namespace {

struct Subfolder {
  std::string name;
  bool isLink;  // a symbolic link, which may lead back up the current path
};

struct FolderEntries {
  std::vector<std::string> files;
  std::vector<Subfolder> subfolders;
  std::vector<Status> failures;  // the folder, or entries of it, that could not be listed
};

// Lists the folder `folder` in ascending byte order of names, skipping
// hidden names (those starting with "."). A folder that cannot be listed (a
// file, unreadable, a path beyond the system's limit) gives what was listed
// before the failure and the failure; so does an entry whose type cannot be
// told.
// Links count as what they point to; a broken link counts as a file, so
// that reading it reports the failure. Other special files (pipes, sockets,
// devices) are neither: reading a pipe could block the run for good.
FolderEntries ListFolder(const std::string& folder) {
  struct Entry {
    std::string name;
    bool isDirectory;
    bool isLink;
  };
  std::vector<Entry> entries;
  FolderEntries listing;
  std::error_code error;
  fs::directory_iterator it(fs::path(folder + "/"), error);
  for (; !error && it != fs::directory_iterator(); it.increment(error)) {
    std::string name = it->path().filename().string();
    if (name.empty() || name[0] == '.') continue;
    std::error_code statusError;
    fs::file_status target = it->status(statusError);
    std::error_code linkError;
    bool isLink = it->is_symlink(linkError);
    if (statusError && !isLink) {
      listing.failures.push_back(Status::FileFailure(statusError.message(), it->path().string()));
      continue;
    }
    if (fs::is_directory(target)) {
      entries.push_back({std::move(name), true, isLink});
    } else if (fs::is_regular_file(target) || (isLink && !fs::exists(target))) {
      entries.push_back({std::move(name), false, isLink});
    }
  }
  std::sort(entries.begin(), entries.end(),
            [](const Entry& a, const Entry& b) { return a.name < b.name; });

  if (error) listing.failures.push_back(Status::FileFailure(error.message(), folder));
  for (Entry& entry : entries) {
    if (entry.isDirectory) {
      listing.subfolders.push_back({std::move(entry.name), entry.isLink});
    } else {
      listing.files.push_back(std::move(entry.name));
    }
  }
  return listing;
}

void ListMatchingFiles(const std::string& folder, const std::vector<std::string>& fileNames,
                       const SortedCollection<SearchWord>& fileTypes,
                       std::vector<SourceStep>& steps) {
  std::string folderPath = folder + "/";
  for (const std::string& name : fileNames)
    if (MatchesFileType(name, fileTypes)) steps.push_back({folderPath + name, Status()});
}

void ListFailures(FolderEntries& listing, std::vector<SourceStep>& steps) {
  for (Status& failure : listing.failures) steps.push_back({std::string(), std::move(failure)});
}

// The canonical path of a folder, or an empty path when it has none.
fs::path CanonicalFolder(const std::string& folder) {
  std::error_code error;
  fs::path canonical = fs::canonical(fs::path(folder), error);
  return error ? fs::path() : canonical;
}

// `ancestors` holds the canonical paths of the folders on the current
// path, this one last. Only a link can lead back to one of them.
void ListBelow(const std::string& folder, std::vector<fs::path>& ancestors,
               const SortedCollection<SearchWord>& fileTypes, std::vector<SourceStep>& steps) {
  std::string folderPath = folder + "/";
  FolderEntries listing = ListFolder(folder);
  ListFailures(listing, steps);
  for (const Subfolder& entry : listing.subfolders) {
    std::string subfolder = folderPath + entry.name;
    fs::path canonical = entry.isLink ? CanonicalFolder(subfolder) : ancestors.back() / entry.name;
    if (std::find(ancestors.begin(), ancestors.end(), canonical) != ancestors.end()) continue;
    ancestors.push_back(std::move(canonical));
    ListBelow(subfolder, ancestors, fileTypes, steps);
    ancestors.pop_back();
  }
  ListMatchingFiles(folder, listing.files, fileTypes, steps);
}

void ReadListedFiles(std::vector<SourceStep> steps, std::vector<FileInfo>& sourceFiles,
                     const std::string& commentString, Run& run) {
  for (SourceStep& step : steps) {
    if (!step.failure.ok()) {
      run.Fail(step.failure);
      continue;
    }
    if (run.CheckCancel()) return;
    FileInfo file;
    file.Name = std::move(step.file);
    run.Log("Reading File: " + file.Name);
    run.AdvanceProgress();
    run.Fail(ReadTextFile(file.Name, file.FileText, commentString, run, &file.LineStarts,
                          &file.BytesKey));
    sourceFiles.push_back(std::move(file));
  }
}

}  // namespace

std::vector<SourceStep> ListSourceFiles(const std::string& folder, bool recursive,
                                        const SortedCollection<SearchWord>& fileTypes) {
  std::vector<SourceStep> steps;
  // An empty name (a configuration's missing FolderN key) is no folder:
  // joined with "/" it would walk the whole file system.
  if (folder.empty()) return steps;
  if (recursive) {
    std::vector<fs::path> ancestors{CanonicalFolder(folder)};
    ListBelow(folder, ancestors, fileTypes, steps);
    return steps;
  }
  FolderEntries listing = ListFolder(folder);
  ListFailures(listing, steps);
  ListMatchingFiles(folder, listing.files, fileTypes, steps);
  return steps;
}

void FindSourceFiles(const std::string& folder, std::vector<FileInfo>& sourceFiles,
                     const SortedCollection<SearchWord>& fileTypes,
                     const std::string& commentString, Run& run) {
  ReadListedFiles(ListSourceFiles(folder, false, fileTypes), sourceFiles, commentString, run);
}

void FindSourceFilesRecursive(const std::string& folder, std::vector<FileInfo>& sourceFiles,
                              const SortedCollection<SearchWord>& fileTypes,
                              const std::string& commentString, Run& run) {
  ReadListedFiles(ListSourceFiles(folder, true, fileTypes), sourceFiles, commentString, run);
}

std::vector<std::string> ListSubfolders(const std::string& folderPath) {
  std::vector<std::string> names;
  for (Subfolder& entry : ListFolder(folderPath).subfolders) names.push_back(std::move(entry.name));
  return names;
}

bool MatchesFileType(std::string_view fileName, const SortedCollection<SearchWord>& fileTypes) {
  size_t dot = fileName.find('.');
  if (dot == std::string_view::npos) return false;
  // The extension runs from the first dot: "view.test.cpp" has ".test.cpp".
  return fileTypes.Find(fileName.substr(dot)) != nullptr;
}

}  // namespace tavelle
