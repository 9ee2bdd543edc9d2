#include "engine/scan/record_parsers.h"

#include <algorithm>
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

constexpr std::string_view kAccessLevels[] = {"Public", "Protected", "Private"};

bool IsAccessLevel(std::string_view access) {
  return std::find(std::begin(kAccessLevels), std::end(kAccessLevels), access) !=
         std::end(kAccessLevels);
}

// Access levels are recognised exactly as written; anything else,
// including an empty field or "public", becomes `fallback`.
void NormalizeAccess(std::string& access, const char* fallback) {
  if (!IsAccessLevel(access)) access = fallback;
}

// Warns of an Access field that is written but not one of the three words.
void CheckAccess(Project& project, const BlockSource& source, std::string_view what,
                 const std::string& name, const std::string& access, const char* fallback) {
  if (access.empty() || IsAccessLevel(access)) return;
  NearestName nearest(access);
  for (std::string_view level : kAccessLevels) nearest.Consider(level);
  Warn(project, source.file, source.FieldLine("Access"), kUnknownAccessWarning,
       "access level '" + access + "' of " + std::string(what) + " '" + name +
           "' is not Public, Protected or Private, so it is taken as " + fallback +
           nearest.Suggestion());
}

template <class Record>
void TakePlace(Record& record, const BlockSource& source) {
  record.Place = {source.file, source.line, source.FieldLine("File")};
}

// A file name ends at its first NUL, as the system reads it, so that rows
// and links name the file that is actually written. A name that would end
// before it begins loses its NULs instead, so that every item keeps a page.
void EndAtNul(std::string& fileName) {
  size_t nul = fileName.find('\0');
  if (nul == std::string::npos) return;
  if (nul > 0) {
    fileName.resize(nul);
    return;
  }
  std::erase(fileName, '\0');
  if (fileName.empty()) fileName = "_.html";
}

// The settings' four tree pictures of a kind of record as the set its
// records share: `shared`, made anew only when the settings name others.
NodeImagesRef SharedImages(NodeImagesRef& shared, const std::string& closed,
                           const std::string& closedSelected, const std::string& open,
                           const std::string& openSelected) {
  if (!shared || shared->ClosedImage != closed || shared->ClosedSelImage != closedSelected ||
      shared->OpenImage != open || shared->OpenSelImage != openSelected) {
    shared = std::make_shared<const NodeImages>(
        NodeImages{closed, closedSelected, open, openSelected});
  }
  return shared;
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
// filter rejects it, logs `row` followed by `rejection` and drops it. True
// when the item was filed.
template <class Record>
bool FileItem(const Project& project, Run& run, SortedCollection<Record>& collection,
              std::shared_ptr<Record> record, const std::string& row, const char* rejection) {
  if (!AccessLevelAccepts(project.settings.ProcAccessLevel, record->Access)) {
    run.Log(row + rejection);
    return false;
  }
  collection.AddSorted(std::move(record));
  run.Log(row);
  return true;
}

void WarnUnknownClass(Project& project, const BlockSource& source, const std::string& className,
                      const std::string& memberName) {
  int32_t line = source.FieldLine("Class");
  if (className.empty()) {
    Warn(project, source.file, line, kUnknownClassWarning,
         "member '" + memberName + "' names no class, so it is dropped");
    return;
  }
  NearestName nearest(className);
  for (const auto& record : project.Classes) nearest.Consider(record->Name);
  Warn(project, source.file, line, kUnknownClassWarning,
       "member '" + memberName + "' names the class '" + className +
           "', which is not documented, so it is dropped" + nearest.Suggestion());
}

}  // namespace

bool AccessLevelAccepts(std::string_view procAccessLevel, std::string_view access) {
  if (procAccessLevel == "Public Only") return access == "Public";
  if (procAccessLevel == "Public, Protected") return access != "Private";
  return true;
}

void ParseClassBlock(Project& project, Run& run, std::string_view block,
                     const BlockSource& source) {
  const Settings& settings = project.settings;
  auto record = std::make_shared<ClassDoc>();
  ReadItemFields(*record, block);
  record->DocType = "Class";
  GetFieldList(block, "Base Classes", record->BaseClasses);
  TakePlace(*record, source);
  record->BaseClassesLine = source.FieldLine("Base Classes");
  CheckAccess(project, source, "class", record->Name, record->Access, "Public");
  FillDefaults(*record, "Public", record->Name + ".html");
  record->Images = SharedImages(project.RecordImages.Class, settings.ClosedClassImage,
                                settings.ClosedSelClassImage, settings.OpenClassImage,
                                settings.OpenSelClassImage);

  // The first class of a name wins; members of later blocks of the same
  // name still attach to it.
  if (SortedCollection<ClassDoc>::Ptr first = project.Classes.Find(record->Name)) {
    Warn(project, source.file, source.line, kDuplicateWarning,
         "class '" + record->Name + "' is documented again; this block is dropped and " +
             "the one at " + PlaceText(project, first->Place.File, first->Place.Line) +
             " is kept");
    return;
  }
  std::string name = record->Name;
  if (!FileItem(project, run, project.Classes, std::move(record), "Found Class: " + name,
                " : Invalid Access Level")) {
    project.RejectedClasses.push_back(std::move(name));
  }
}

void ParseClassMemberBlock(Project& project, Run& run, std::string_view block,
                           const BlockSource& source) {
  const Settings& settings = project.settings;
  std::string className = SingleLine(block, "Class");
  auto record = std::make_shared<ClassMemberDoc>();
  ReadItemFields(*record, block);
  ReadDeclarationFields(*record, block);
  record->DocType = SingleLine(block, "Type");
  TakePlace(*record, source);
  CheckAccess(project, source, "member", record->Name, record->Access, "Public");
  FillDefaults(*record, "Public", className + "_" + record->Name + ".html");
  record->Images = SharedImages(project.RecordImages.Member, settings.ClosedMemberImage,
                                settings.ClosedSelMemberImage, settings.OpenMemberImage,
                                settings.OpenSelMemberImage);

  // Members of unknown classes, and of classes the access filter rejected,
  // have nowhere to go.
  SortedCollection<ClassDoc>::Ptr owner = project.Classes.Find(className);
  if (!owner) {
    const std::vector<std::string>& rejected = project.RejectedClasses;
    if (std::find(rejected.begin(), rejected.end(), className) == rejected.end())
      WarnUnknownClass(project, source, className, record->Name);
    return;
  }
  std::string row = "Found Class Member: " + owner->Name + "::" + record->Name;
  FileItem(project, run, owner->Members, std::move(record), row, " : Invalid Accces level");
}

void ParseFunctionBlock(Project& project, Run& run, std::string_view block,
                        const BlockSource& source) {
  const Settings& settings = project.settings;
  auto record = std::make_shared<FunctionDoc>();
  ReadItemFields(*record, block);
  ReadDeclarationFields(*record, block);
  TakePlace(*record, source);
  CheckAccess(project, source, "function", record->Name, record->Access, "Private");
  FillDefaults(*record, "Private", record->Name + ".html");
  record->Images = SharedImages(project.RecordImages.Function, settings.ClosedFunctionImage,
                                settings.ClosedSelFunctionImage, settings.OpenFunctionImage,
                                settings.OpenSelFunctionImage);

  std::string row = "Found Function: " + record->Name;
  FileItem(project, run, project.Functions, std::move(record), row, " : Invalid Access Level");
}

void ParseGeneralBlock(Project& project, Run& run, std::string_view block,
                       const BlockSource& source) {
  const Settings& settings = project.settings;
  auto record = std::make_shared<GeneralDoc>();
  record->Name = SingleLine(block, "Name");
  record->Description = MultiLine(block, "Text");
  record->filename = SingleLine(block, "File");
  record->SeeAlso = SingleLine(block, "See Also");
  TakePlace(*record, source);
  if (record->filename.empty()) record->filename = record->Name + ".html";
  EndAtNul(record->filename);
  record->Images = SharedImages(project.RecordImages.General, settings.ClosedGeneralImage,
                                settings.ClosedSelGeneralImage, settings.OpenGeneralImage,
                                settings.OpenSelGeneralImage);

  std::string row = "Found General Info: " + record->Name;
  project.GeneralDocs.AddSorted(std::move(record));
  run.Log(row);
}

void ParseIndexBlock(Project& project, Run& run, std::string_view block, const BlockSource&) {
  std::string name = SingleLine(block, "Name");
  std::string replacement = MultiLine(block, "ReplaceString");
  std::string file = SingleLine(block, "File");
  int32_t position = 0;
  if (AddKeyWord(project, name, file, replacement, position)) run.Log("Found Index: " + name);
}

}  // namespace tavelle
