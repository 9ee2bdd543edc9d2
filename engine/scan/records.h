// The item records a run builds from definition blocks: ClassDoc (with its
// ClassMemberDoc members), FunctionDoc and GeneralDoc.
//
// They are plain data: the scanner fills their fields, and each later
// stage keeps the code that reads them in its own folder: pages
// (html/topic_pages.cpp), search words (search/record_search_words.cpp),
// contents and script-tree entries (help/record_help_trees.cpp) and the
// hierarchy diagram (diagram/), which fills the diagram fields.
#ifndef TAVELLE_ENGINE_SCAN_RECORDS_H_
#define TAVELLE_ENGINE_SCAN_RECORDS_H_

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/core/draw_info.h"
#include "engine/core/sorted_collection.h"

namespace tavelle {

// The four tree pictures of a kind of node. The records of one kind share
// one set, as the settings named it when they were read.
struct NodeImages {
  std::string ClosedImage;
  std::string ClosedSelImage;
  std::string OpenImage;
  std::string OpenSelImage;
};
using NodeImagesRef = std::shared_ptr<const NodeImages>;

// Where a record's block stands: its file (an index in the run's
// SourceFiles), the line of its start marker, and the line its page name
// comes from (the File field, or the block's line when it has none).
struct SourcePlace {
  int32_t File = -1;
  int32_t Line = 0;
  int32_t FileLine = 0;
};

struct ClassMemberDoc {
  std::string Name;
  std::string Description;
  std::string filename;
  std::string SeeAlso;
  std::string ExampleFile;
  std::string ShortDescription;
  std::string Group;
  std::string ReturnVal;
  std::string Params;
  std::string Definition;
  int32_t ID = 0;
  std::string Access;
  std::string DocType;
  NodeImagesRef Images;
  SourcePlace Place;
};

struct ClassDoc {
  std::string Name;
  std::string Description;
  std::string Group;
  std::string ShortDescription;
  std::string DocType;
  std::string filename;
  std::string SeeAlso;
  std::vector<std::string> BaseClasses;
  SortedCollection<ClassMemberDoc> Members;
  std::string ExampleFile;
  std::vector<DrawInfo> DiagramInfo;
  std::string Access;
  int16_t BMP_Width = 0;
  int16_t BMP_Height = 0;
  std::string BMP_FileName;
  int32_t ID = 0;
  NodeImagesRef Images;
  std::string DiagramHTML;  // image tag and map shown on the class page
  SourcePlace Place;
  int32_t BaseClassesLine = 0;
};

struct FunctionDoc {
  std::string Name;
  std::string Description;
  std::string Access;
  std::string filename;
  std::string SeeAlso;
  std::string ExampleFile;
  std::string ShortDescription;
  std::string Group;
  std::string ReturnVal;
  std::string Params;
  std::string Definition;
  int32_t ID = 0;
  std::string DocType;
  NodeImagesRef Images;
  SourcePlace Place;
};

struct GeneralDoc {
  std::string Name;
  std::string Description;  // the topic's body, from the field "Text"
  std::string filename;
  std::string SeeAlso;
  int32_t ID = 0;
  std::string DocType;
  NodeImagesRef Images;
  SourcePlace Place;
};

}  // namespace tavelle

#endif  // TAVELLE_ENGINE_SCAN_RECORDS_H_
