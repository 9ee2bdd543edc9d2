// The three user lists of a project (key words, input folders, file types)
// and their operations. Each returns false on an expected failure (not
// found, duplicate file type, index out of range) and leaves the reason in
// the project's ErrMsg, which a later success does not clear.
//
// Index bases are part of the interface: key words and input folders are
// read 1 to count, file types 0 to count - 1; every add returns a 1-based
// position.
#ifndef TAVELLE_ENGINE_CORE_NAMED_LISTS_H_
#define TAVELLE_ENGINE_CORE_NAMED_LISTS_H_

#include <cstdint>
#include <string>

#include "engine/core/project_setup.h"

namespace tavelle {

bool AddKeyWord(ProjectSetup& project, const std::string& name, const std::string& keyFile,
                const std::string& replaceString, int32_t& index);
bool RemoveKeyWord(ProjectSetup& project, const std::string& name);
bool UpdateKeyWord(ProjectSetup& project, const std::string& name, const std::string& keyFile,
                   const std::string& replaceString, int32_t& index);
bool GetKeyWord(ProjectSetup& project, int32_t index, std::string& name, std::string& keyFile,
                std::string& replaceMsg);
int16_t GetKeyWordCount(const ProjectSetup& project);
void ClearKeyWords(ProjectSetup& project);

bool AddInputFolder(ProjectSetup& project, const std::string& folderName, int32_t& index);
bool RemoveInputFolder(ProjectSetup& project, const std::string& folderName);
bool GetInputFolder(ProjectSetup& project, int32_t index, std::string& folderName);
int16_t GetInputFoldersCount(const ProjectSetup& project);
void ClearInputFolders(ProjectSetup& project);

// `name` gets a leading "." when it lacks one; the caller sees the change.
bool AddFileType(ProjectSetup& project, std::string& name, int32_t& index);
bool RemoveFileType(ProjectSetup& project, const std::string& name);
bool GetFileType(ProjectSetup& project, int32_t index, std::string& name);
int32_t GetFileTypeCount(const ProjectSetup& project);
void ClearFileTypes(ProjectSetup& project);

}  // namespace tavelle

#endif  // TAVELLE_ENGINE_CORE_NAMED_LISTS_H_
