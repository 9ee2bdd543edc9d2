#include "engine/scan/block_finder.h"

#include <algorithm>
#include <span>
#include <string>

#include "engine/scan/fields.h"
#include "engine/scan/record_parsers.h"

namespace tavelle {
namespace {

using BlockParser = void (*)(Project&, std::string_view, const BlockSource&);

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
    "Name",     "Class",   "Type",       "Access",        "Group",      "Short Descr", "Description",
    "File",     "See Also", "Example",   "Definition",    "Return Values", "Parameters"};
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

// The line of `pos` in SourceFiles[file], or 0 for a text from elsewhere.
int32_t LineOf(const Project& project, int32_t file, size_t pos) {
  if (file < 0 || static_cast<size_t>(file) >= project.SourceFiles.size()) return 0;
  return LineAt(project.SourceFiles[static_cast<size_t>(file)], pos);
}

std::string BlockName(std::string_view text) { return GetField(text, "Name", true); }

void CheckFieldNames(Project& project, const BlockSource& source, const BlockKind& kind) {
  for (const FieldHead& head : source.heads) {
    if (std::find(kind.fields.begin(), kind.fields.end(), head.name) != kind.fields.end())
      continue;
    NearestName nearest(head.name);
    for (std::string_view field : kind.fields) nearest.Consider(field);
    project.Warn(source.file, source.line + head.line, kUnknownFieldWarning,
                 "unknown field '" + std::string(head.name) + "' in a " +
                     std::string(kind.word) + " block" + nearest.Suggestion());
  }
}

// A start marker inside an open block of its kind means the open block
// lost its end marker: the block that starts there becomes part of it.
// `blockStart` is the block's offset in the file's text.
void CheckNestedStarts(Project& project, std::string_view block, size_t blockStart,
                       const BlockSource& source, const BlockKind& kind) {
  size_t nested = block.find(kind.startMarker);
  if (nested == std::string_view::npos) return;
  std::string outer = BlockName(block.substr(0, nested));
  std::string word(kind.word);
  for (; nested != std::string_view::npos; nested = block.find(kind.startMarker, nested + 1)) {
    project.Warn(source.file, LineOf(project, source.file, blockStart + nested),
                 kNestedBlockWarning,
                 word + " block '" + BlockName(block.substr(nested)) + "' starts inside the " +
                     word + " block '" + outer + "' of line " + std::to_string(source.line) +
                     ", which has no " + std::string(kind.endMarker) +
                     " before it, so it is swallowed");
  }
}

void WarnMissingEnd(Project& project, std::string_view rest, const BlockSource& source,
                    const BlockKind& kind) {
  std::string name = BlockName(rest.substr(0, rest.find(kind.startMarker)));
  project.Warn(source.file, source.line, kMissingEndWarning,
               std::string(kind.word) + " block '" + name + "' has no " +
                   std::string(kind.endMarker) + " after it, so it is dropped");
}

// Hands every block between the kind's start marker and the first end
// marker after it to the kind's parser, in text order. Blocks do not nest:
// a start marker inside an open block is part of its text. Each search
// starts where the previous block ended, so the text is read once; the
// reader's line index gives each block its line.
void FindBlocks(Project& project, std::string_view fileText, int32_t file,
                const BlockKind& kind) {
  size_t searchFrom = 0;
  for (;;) {
    size_t start = fileText.find(kind.startMarker, searchFrom);
    if (start == std::string_view::npos) return;
    size_t blockStart = start + kind.startMarker.size();
    BlockSource source{file, LineOf(project, file, start), {}};
    // No end marker after this start means no later block can be complete.
    size_t end = fileText.find(kind.endMarker, blockStart);
    if (end == std::string_view::npos) {
      WarnMissingEnd(project, fileText.substr(blockStart), source, kind);
      return;
    }
    std::string_view block = fileText.substr(blockStart, end - blockStart);
    source.heads = FieldHeads(block);
    CheckFieldNames(project, source, kind);
    CheckNestedStarts(project, block, blockStart, source, kind);
    kind.parse(project, block, source);
    searchFrom = end;
  }
}

}  // namespace

void FindClasses(Project& project, std::string_view fileText, int32_t file) {
  FindBlocks(project, fileText, file, kClassBlocks);
}

void FindClassMembers(Project& project, std::string_view fileText, int32_t file) {
  FindBlocks(project, fileText, file, kMemberBlocks);
}

void FindFunctions(Project& project, std::string_view fileText, int32_t file) {
  FindBlocks(project, fileText, file, kFunctionBlocks);
}

void FindGeneralInfo(Project& project, std::string_view fileText, int32_t file) {
  FindBlocks(project, fileText, file, kGeneralBlocks);
}

void FindIndexEntries(Project& project, std::string_view fileText, int32_t file) {
  FindBlocks(project, fileText, file, kIndexBlocks);
}

}  // namespace tavelle
