#include "engine/core/named_lists.h"

#include <algorithm>
#include <limits>

namespace tavelle {
namespace {

constexpr const char* kOutOfRange = "Index is out of range";

SearchWordRef NamedEntry(const std::string& name) {
  auto entry = std::make_shared<SearchWord>();
  entry->Name = name;
  return entry;
}

// Removes the first entry named exactly `name`; false when there is none.
bool RemoveFirst(SortedCollection<SearchWord>& list, const std::string& name) {
  int32_t position = 0;
  if (!list.FindByName(name, position)) return false;
  list.RemoveAt(static_cast<size_t>(position));
  return true;
}

bool InOneBasedRange(const SortedCollection<SearchWord>& list, int32_t index) {
  return index >= 1 && static_cast<size_t>(index) <= list.Count();
}

int16_t Count16(const SortedCollection<SearchWord>& list) {
  return static_cast<int16_t>(
      std::min<size_t>(list.Count(), std::numeric_limits<int16_t>::max()));
}

}  // namespace

bool AddKeyWord(ProjectSetup& project, const std::string& name, const std::string& keyFile,
                const std::string& replaceString, int32_t& index) {
  SearchWordRef entry = NamedEntry(name);
  entry->filename = keyFile;
  entry->ReplaceString = replaceString;
  entry->WordType = "Keyword";
  index = project.KeyWords.AddSorted(std::move(entry));
  return true;
}

bool RemoveKeyWord(ProjectSetup& project, const std::string& name) {
  if (RemoveFirst(project.KeyWords, name)) return true;
  project.ErrMsg = "KeyWord: " + name + " Could not be found.";
  return false;
}

bool UpdateKeyWord(ProjectSetup& project, const std::string& name, const std::string& keyFile,
                   const std::string& replaceString, int32_t& index) {
  int32_t position = 0;
  if (!project.KeyWords.FindByName(name, position)) {
    project.ErrMsg = "KeyWord: " + name + " Could not be found.";
    return false;
  }
  index = position;
  const SearchWordRef& entry = project.KeyWords.At(static_cast<size_t>(position));
  entry->filename = keyFile;
  entry->ReplaceString = replaceString;
  return true;
}

bool GetKeyWord(ProjectSetup& project, int32_t index, std::string& name, std::string& keyFile,
                std::string& replaceMsg) {
  if (!InOneBasedRange(project.KeyWords, index)) {
    project.ErrMsg = kOutOfRange;
    return false;
  }
  const SearchWordRef& entry = project.KeyWords.At(static_cast<size_t>(index));
  name = entry->Name;
  keyFile = entry->filename;
  replaceMsg = entry->ReplaceString;
  return true;
}

int16_t GetKeyWordCount(const ProjectSetup& project) { return Count16(project.KeyWords); }

void ClearKeyWords(ProjectSetup& project) { project.KeyWords.Clear(); }

bool AddInputFolder(ProjectSetup& project, const std::string& folderName, int32_t& index) {
  index = project.InputFolders.AddSorted(NamedEntry(folderName));
  return true;
}

bool RemoveInputFolder(ProjectSetup& project, const std::string& folderName) {
  if (RemoveFirst(project.InputFolders, folderName)) return true;
  project.ErrMsg = "Input Folder: " + folderName + " Could not be found.";
  return false;
}

bool GetInputFolder(ProjectSetup& project, int32_t index, std::string& folderName) {
  if (!InOneBasedRange(project.InputFolders, index)) {
    project.ErrMsg = kOutOfRange;
    return false;
  }
  folderName = project.InputFolders.At(static_cast<size_t>(index))->Name;
  return true;
}

int16_t GetInputFoldersCount(const ProjectSetup& project) { return Count16(project.InputFolders); }

void ClearInputFolders(ProjectSetup& project) { project.InputFolders.Clear(); }

bool AddFileType(ProjectSetup& project, std::string& name, int32_t& index) {
  if (name.empty() || name.front() != '.') name.insert(name.begin(), '.');
  if (project.FileTypes.FindByName(name, index)) {
    project.ErrMsg = "FileType: " + name + " Has already been added";
    return false;
  }
  index = project.FileTypes.AddSorted(NamedEntry(name));
  return true;
}

bool RemoveFileType(ProjectSetup& project, const std::string& name) {
  if (RemoveFirst(project.FileTypes, name)) return true;
  project.ErrMsg = "FileType: " + name + " Could not be found.";
  return false;
}

bool GetFileType(ProjectSetup& project, int32_t index, std::string& name) {
  if (index < 0 || static_cast<size_t>(index) >= project.FileTypes.Count()) {
    project.ErrMsg = kOutOfRange;
    return false;
  }
  name = project.FileTypes.At(static_cast<size_t>(index) + 1)->Name;
  return true;
}

int32_t GetFileTypeCount(const ProjectSetup& project) {
  return static_cast<int32_t>(project.FileTypes.Count());
}

void ClearFileTypes(ProjectSetup& project) { project.FileTypes.Clear(); }

}  // namespace tavelle
