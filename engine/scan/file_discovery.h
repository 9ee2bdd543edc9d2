// Source file discovery: finds the files of the listed types in a folder
// (and, recursively, below it), reads each and appends one FileInfo per
// file to SourceFiles.
//
// Entries are taken in ascending byte order of their names; names that
// begin with "." are hidden and skipped; in a recursive walk the files of
// the subfolders come before the folder's own files, and a folder already
// on the current path, reached again through a link, is not entered again.
// A file's path is the folder as given, "/", and the name. Links count as
// what they point to; a broken link is read like a file (and logs the
// failure), while pipes, sockets and devices are left alone.
// An empty folder name finds nothing.
#ifndef TAVELLE_ENGINE_SCAN_FILE_DISCOVERY_H_
#define TAVELLE_ENGINE_SCAN_FILE_DISCOVERY_H_

#include <string>
#include <string_view>
#include <vector>

#include "engine/core/run.h"
#include "engine/core/search_word.h"
#include "engine/core/sorted_collection.h"
#include "engine/scan/file_info.h"

namespace tavelle {

// One step of a folder walk, in the order a run takes them: a source file
// to read (`file`), or a folder or entry that could not be listed
// (`failure`).
struct SourceStep {
  std::string file;
  Status failure;
};

// The walk of `folder` (and, when `recursive`, of the folders below it):
// the files of the listed types and the listing failures, without reading
// a file.
std::vector<SourceStep> ListSourceFiles(const std::string& folder, bool recursive,
                                        const SortedCollection<SearchWord>& fileTypes);

void FindSourceFiles(const std::string& folder, std::vector<FileInfo>& sourceFiles,
                     const SortedCollection<SearchWord>& fileTypes,
                     const std::string& commentString, Run& run);

void FindSourceFilesRecursive(const std::string& folder, std::vector<FileInfo>& sourceFiles,
                              const SortedCollection<SearchWord>& fileTypes,
                              const std::string& commentString, Run& run);

// Names of the subfolders of `folderPath`, in ascending byte order.
std::vector<std::string> ListSubfolders(const std::string& folderPath);

// True when the file name's extension, from its first ".", is a listed type.
bool MatchesFileType(std::string_view fileName, const SortedCollection<SearchWord>& fileTypes);

}  // namespace tavelle

#endif  // TAVELLE_ENGINE_SCAN_FILE_DISCOVERY_H_
