#include "engine/scan/block_finder.h"

#include <algorithm>
#include <span>
#include <string>

#include "engine/scan/fields.h"
#include "engine/scan/record_parsers.h"

namespace tavelle {
namespace {

using BlockParser = void (*)(Project&, Run&, std::string_view, const BlockSource&);

// One kind of block: how messages name it, its markers, the fields its
// parser reads and the parser.
struct BlockKind {
  std::string_view word;
  std::string_view startMarker;
  std::string_view endMarker;
  std::span<const std::string_view> fields;
  BlockParser parse;
};

constexpr std::string_view kClassFields[] = {"Name",        "Base Classes", "Access",
                                             "Group",       "Short Descr",  "Description",
                                             "File",        "See Also",     "Example"};
constexpr std::string_view kMemberFields[] = {
    "Name",        "Class",       "Type",     "Access",  "Group",      "Short Descr",
    "Description", "File",        "See Also", "Example", "Definition", "Return Values",
    "Parameters"};
constexpr std::string_view kFunctionFields[] = {
    "Name",     "Access",  "Group",      "Short Descr",   "Description", "File",
    "See Also", "Example", "Definition", "Return Values", "Parameters"};
constexpr std::string_view kGeneralFields[] = {"Name", "Text", "File", "See Also"};
constexpr std::string_view kIndexFields[] = {"Name", "File", "ReplaceString"};

constexpr BlockKind kClassBlocks{"class", "DOC_DEFINE_CLASS_START", "DOC_DEFINE_CLASS_END",
                                 kClassFields, ParseClassBlock};
constexpr BlockKind kMemberBlocks{"class member", "DOC_DEFINE_CLASS_MEMBER_START",
                                  "DOC_DEFINE_CLASS_MEMBER_END", kMemberFields,
                                  ParseClassMemberBlock};
constexpr BlockKind kFunctionBlocks{"function", "DOC_DEFINE_FUNCTION_START",
                                    "DOC_DEFINE_FUNCTION_END", kFunctionFields,
                                    ParseFunctionBlock};
constexpr BlockKind kGeneralBlocks{"general", "DOC_DEFINE_GENERAL_START",
                                   "DOC_DEFINE_GENERAL_END", kGeneralFields, ParseGeneralBlock};
constexpr BlockKind kIndexBlocks{"index", "DOC_DEFINE_INDEX_START", "DOC_DEFINE_INDEX_END",
                                 kIndexFields, ParseIndexBlock};

std::string BlockName(std::string_view text) { return GetField(text, "Name", true); }

void CheckFieldNames(Project& project, const BlockSource& source, const BlockKind& kind) {
  for (const FieldHead& head : source.outline.fields) {
    if (std::find(kind.fields.begin(), kind.fields.end(), head.name) != kind.fields.end())
      continue;
    NearestName nearest(head.name);
    for (std::string_view field : kind.fields) nearest.Consider(field);
    Warn(project, source.file, source.LineOf(head.offset), kUnknownFieldWarning,
         "unknown field '" + std::string(head.name) + "' in a " +
             std::string(kind.word) + " block" + nearest.Suggestion());
  }
}

// A start marker that begins a line inside an open block of its kind means
// the open block lost its end marker: the block that starts there becomes
// part of it. True when there was one.
bool CheckNestedStarts(Project& project, std::string_view block, const BlockSource& source,
                       const BlockKind& kind) {
  std::string outer;
  std::string word(kind.word);
  bool found = false;
  for (size_t marker : source.outline.markers) {
    std::string_view nested = block.substr(marker);
    if (!nested.starts_with(kind.startMarker)) continue;
    if (!found) outer = BlockName(block.substr(0, marker));
    found = true;
    Warn(project, source.file, source.LineOf(marker), kNestedBlockWarning,
         word + " block '" + BlockName(nested) + "' starts inside the " + word +
             " block '" + outer + "' of line " + std::to_string(source.line) +
             ", which has no " + std::string(kind.endMarker) +
             " before it, so it is swallowed");
  }
  return found;
}

void WarnMissingEnd(Project& project, std::string_view rest, const BlockSource& source,
                    const BlockKind& kind) {
  std::string name = BlockName(rest.substr(0, rest.find(kind.startMarker)));
  Warn(project, source.file, source.line, kMissingEndWarning,
       std::string(kind.word) + " block '" + name + "' has no " +
           std::string(kind.endMarker) + " after it, so it is dropped");
}

// Hands every block between the kind's start marker and the first end
// marker after it to the kind's parser, in text order. Blocks do not nest:
// a start marker inside an open block is part of its text. Each search
// starts where the previous block ended, so the text is read once; the
// reader's line index gives each block its line.
void FindBlocks(Project& project, Run& run, std::string_view fileText, int32_t file,
                const BlockKind& kind) {
  BlockSource source;
  source.file = file;
  if (file >= 0 && static_cast<size_t>(file) < project.SourceFiles.size())
    source.lines = &project.SourceFiles[static_cast<size_t>(file)];
  size_t searchFrom = 0;
  for (;;) {
    size_t start = fileText.find(kind.startMarker, searchFrom);
    if (start == std::string_view::npos) return;
    size_t blockStart = start + kind.startMarker.size();
    // Blocks come in text order, so each one's line is found from the last.
    source.start = blockStart;
    source.line = source.LineOf(0);
    // No end marker after this start means no later block can be complete.
    size_t end = fileText.find(kind.endMarker, blockStart);
    if (end == std::string_view::npos) {
      WarnMissingEnd(project, fileText.substr(blockStart), source, kind);
      return;
    }
    std::string_view block = fileText.substr(blockStart, end - blockStart);
    OutlineBlock(block, source.outline);
    // The code between a block that lost its end marker and the block it
    // swallows is no field of either.
    if (!CheckNestedStarts(project, block, source, kind))
      CheckFieldNames(project, source, kind);
    kind.parse(project, run, block, source);
    searchFrom = end;
  }
}

}  // namespace

void FindClasses(Project& project, Run& run, std::string_view fileText, int32_t file) {
  FindBlocks(project, run, fileText, file, kClassBlocks);
}

void FindClassMembers(Project& project, Run& run, std::string_view fileText, int32_t file) {
  FindBlocks(project, run, fileText, file, kMemberBlocks);
}

void FindFunctions(Project& project, Run& run, std::string_view fileText, int32_t file) {
  FindBlocks(project, run, fileText, file, kFunctionBlocks);
}

void FindGeneralInfo(Project& project, Run& run, std::string_view fileText, int32_t file) {
  FindBlocks(project, run, fileText, file, kGeneralBlocks);
}

void FindIndexEntries(Project& project, Run& run, std::string_view fileText, int32_t file) {
  FindBlocks(project, run, fileText, file, kIndexBlocks);
}

}  // namespace tavelle
