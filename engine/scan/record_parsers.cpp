#include "engine/scan/record_parsers.h"

#include <memory>
#include <string>

#include "engine/core/named_lists.h"
#include "engine/scan/fields.h"

namespace tavelle {
namespace {

std::string SingleLine(std::string_view block, std::string_view fieldName) {
  return GetField(block, fieldName, true);
}

std::string MultiLine(std::string_view block, std::string_view fieldName) {
  return GetField(block, fieldName, false);
}

// Access levels are recognised exactly as written; anything else,
// including an empty field or "public", becomes `fallback`.
void NormalizeAccess(std::string& access, const char* fallback) {
  if (access != "Public" && access != "Protected" && access != "Private") access = fallback;
}

// A file name ends at its first NUL, as the system reads it, so that rows
// and links name the file that is actually written.
void EndAtNul(std::string& fileName) {
  size_t nul = fileName.find('\0');
  if (nul != std::string::npos) fileName.resize(nul);
}

// Reads the fields that classes, class members and functions share.
template <class Record>
void ReadItemFields(Record& record, std::string_view block) {
  record.Name = SingleLine(block, "Name");
  record.Description = MultiLine(block, "Description");
  record.ShortDescription = SingleLine(block, "Short Descr");
  record.Group = SingleLine(block, "Group");
  record.filename = SingleLine(block, "File");
  record.SeeAlso = SingleLine(block, "See Also");
  record.ExampleFile = SingleLine(block, "Example");
  record.Access = SingleLine(block, "Access");
}

// Reads the declaration fields of class members and functions.
template <class Record>
void ReadDeclarationFields(Record& record, std::string_view block) {
  record.Definition = MultiLine(block, "Definition");
  record.ReturnVal = MultiLine(block, "Return Values");
  record.Params = MultiLine(block, "Parameters");
}

// Fills what the block left out: the access level, the page file name and
// the short description, which defaults to the description's first line.
template <class Record>
void FillDefaults(Record& record, const char* defaultAccess, std::string defaultFile) {
  NormalizeAccess(record.Access, defaultAccess);
  if (record.filename.empty()) record.filename = std::move(defaultFile);
  EndAtNul(record.filename);
  if (record.ShortDescription.empty()) record.ShortDescription = FirstLine(record.Description);
}

// Files an item in its collection and logs `row`, or, when the access-level
// filter rejects it, logs `row` followed by `rejection` and drops it.
template <class Record>
void FileItem(const Project& project, Run& run, SortedCollection<Record>& collection,
              std::shared_ptr<Record> record, const std::string& row, const char* rejection) {
  if (!AccessLevelAccepts(project.settings.ProcAccessLevel, record->Access)) {
    run.Log(row + rejection);
    return;
  }
  collection.AddSorted(std::move(record));
  run.Log(row);
}

}  // namespace

bool AccessLevelAccepts(std::string_view procAccessLevel, std::string_view access) {
  if (procAccessLevel == "Public Only") return access == "Public";
  if (procAccessLevel == "Public, Protected") return access != "Private";
  return true;
}

void ParseClassBlock(Project& project, Run& run, std::string_view block) {
  const Settings& settings = project.settings;
  auto record = std::make_shared<ClassDoc>();
  ReadItemFields(*record, block);
  record->DocType = "Class";
  GetFieldList(block, "Base Classes", record->BaseClasses);
  FillDefaults(*record, "Public", record->Name + ".html");
  record->Images = {settings.ClosedClassImage, settings.ClosedSelClassImage,
                    settings.OpenClassImage, settings.OpenSelClassImage};

  // The first class of a name wins; members of later blocks of the same
  // name still attach to it.
  if (project.Classes.Find(record->Name)) return;
  std::string row = "Found Class: " + record->Name;
  FileItem(project, run, project.Classes, std::move(record), row, " : Invalid Access Level");
}

void ParseClassMemberBlock(Project& project, Run& run, std::string_view block) {
  const Settings& settings = project.settings;
  std::string className = SingleLine(block, "Class");
  auto record = std::make_shared<ClassMemberDoc>();
  ReadItemFields(*record, block);
  ReadDeclarationFields(*record, block);
  record->DocType = SingleLine(block, "Type");
  FillDefaults(*record, "Public", className + "_" + record->Name + ".html");
  record->Images = {settings.ClosedMemberImage, settings.ClosedSelMemberImage,
                    settings.OpenMemberImage, settings.OpenSelMemberImage};

  // Members of unknown classes, and of classes the access filter rejected,
  // have nowhere to go.
  SortedCollection<ClassDoc>::Ptr owner = project.Classes.Find(className);
  if (!owner) return;
  std::string row = "Found Class Member: " + owner->Name + "::" + record->Name;
  FileItem(project, run, owner->Members, std::move(record), row, " : Invalid Accces level");
}

void ParseFunctionBlock(Project& project, Run& run, std::string_view block) {
  const Settings& settings = project.settings;
  auto record = std::make_shared<FunctionDoc>();
  ReadItemFields(*record, block);
  ReadDeclarationFields(*record, block);
  FillDefaults(*record, "Private", record->Name + ".html");
  record->Images = {settings.ClosedFunctionImage, settings.ClosedSelFunctionImage,
                    settings.OpenFunctionImage, settings.OpenSelFunctionImage};

  std::string row = "Found Function: " + record->Name;
  FileItem(project, run, project.Functions, std::move(record), row, " : Invalid Access Level");
}

void ParseGeneralBlock(Project& project, Run& run, std::string_view block) {
  const Settings& settings = project.settings;
  auto record = std::make_shared<GeneralDoc>();
  record->Name = SingleLine(block, "Name");
  record->Description = MultiLine(block, "Text");
  record->filename = SingleLine(block, "File");
  record->SeeAlso = SingleLine(block, "See Also");
  if (record->filename.empty()) record->filename = record->Name + ".html";
  EndAtNul(record->filename);
  record->Images = {settings.ClosedGeneralImage, settings.ClosedSelGeneralImage,
                    settings.OpenGeneralImage, settings.OpenSelGeneralImage};

  std::string row = "Found General Info: " + record->Name;
  project.GeneralDocs.AddSorted(std::move(record));
  run.Log(row);
}

void ParseIndexBlock(Project& project, Run& run, std::string_view block) {
  std::string name = SingleLine(block, "Name");
  std::string replacement = MultiLine(block, "ReplaceString");
  std::string file = SingleLine(block, "File");
  int32_t position = 0;
  if (AddKeyWord(project, name, file, replacement, position)) run.Log("Found Index: " + name);
}

}  // namespace tavelle
