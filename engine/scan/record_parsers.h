// The parsers of definition blocks: each turns the text of one block into
// an item record and files it in the project, logging one row per record.
//
// Classes and class members get the access "Public" unless the block names
// "Public", "Protected" or "Private" exactly; functions get "Private". The
// project's ProcAccessLevel then rejects records ("Public Only" keeps only
// Public, "Public, Protected" drops Private, anything else keeps all). A
// class whose name is already filed is dropped, and so is a member whose
// class is not filed; neither logs a row, but both are warnings, as is an
// access level that is not one of the three words. Index blocks become key
// words of the project.
#ifndef TAVELLE_ENGINE_SCAN_RECORD_PARSERS_H_
#define TAVELLE_ENGINE_SCAN_RECORD_PARSERS_H_

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "engine/core/run.h"
#include "engine/scan/fields.h"
#include "engine/scan/file_info.h"
#include "engine/scan/project.h"

namespace tavelle {

// Where a block stands: its file (an index in SourceFiles, whose record
// `lines` points to; none for a text from elsewhere, whose lines are all
// 0), the line of its start marker, the offset of its text in the file's
// text, and its outline.
struct BlockSource {
  int32_t file = -1;
  const FileInfo* lines = nullptr;
  int32_t line = 0;
  size_t start = 0;
  BlockOutline outline;

  // The line of the character at `offset` in the block's text.
  int32_t LineOf(size_t offset) const {
    return lines ? LineAfter(*lines, line, start + offset) : 0;
  }

  // The line of the field `name`, or the block's line when no line begins
  // with it.
  int32_t FieldLine(std::string_view name) const {
    size_t offset = outline.FieldOffset(name);
    return offset == std::string_view::npos ? line : LineOf(offset);
  }
};

void ParseClassBlock(Project& project, Run& run, std::string_view block,
                     const BlockSource& source);
void ParseClassMemberBlock(Project& project, Run& run, std::string_view block,
                           const BlockSource& source);
void ParseFunctionBlock(Project& project, Run& run, std::string_view block,
                        const BlockSource& source);
void ParseGeneralBlock(Project& project, Run& run, std::string_view block,
                       const BlockSource& source);
void ParseIndexBlock(Project& project, Run& run, std::string_view block,
                     const BlockSource& source);

// True when the access-level setting lets a record with `access` through.
bool AccessLevelAccepts(std::string_view procAccessLevel, std::string_view access);

}  // namespace tavelle

#endif  // TAVELLE_ENGINE_SCAN_RECORD_PARSERS_H_
