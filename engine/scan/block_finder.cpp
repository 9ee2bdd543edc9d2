#include "engine/scan/block_finder.h"

#include "engine/scan/record_parsers.h"

namespace tavelle {
namespace {

using BlockParser = void (*)(Project&, Run&, std::string_view);

// Hands every block between `startMarker` and the first `endMarker` after
// it to `parse`, in text order. Blocks do not nest: a start marker inside
// an open block is part of its text. Each search starts where the previous
// block ended, so the text is read once.
void FindBlocks(Project& project, Run& run, std::string_view fileText, std::string_view startMarker,
                std::string_view endMarker, BlockParser parse) {
  size_t searchFrom = 0;
  for (;;) {
    size_t start = fileText.find(startMarker, searchFrom);
    if (start == std::string_view::npos) return;
    size_t blockStart = start + startMarker.size();
    // No end marker after this start means no later block can be complete.
    size_t end = fileText.find(endMarker, blockStart);
    if (end == std::string_view::npos) return;
    parse(project, run, fileText.substr(blockStart, end - blockStart));
    searchFrom = end;
  }
}

}  // namespace

void FindClasses(Project& project, Run& run, std::string_view fileText) {
  FindBlocks(project, run, fileText, "DOC_DEFINE_CLASS_START", "DOC_DEFINE_CLASS_END", ParseClassBlock);
}

void FindClassMembers(Project& project, Run& run, std::string_view fileText) {
  FindBlocks(project, run, fileText, "DOC_DEFINE_CLASS_MEMBER_START", "DOC_DEFINE_CLASS_MEMBER_END",
             ParseClassMemberBlock);
}

void FindFunctions(Project& project, Run& run, std::string_view fileText) {
  FindBlocks(project, run, fileText, "DOC_DEFINE_FUNCTION_START", "DOC_DEFINE_FUNCTION_END",
             ParseFunctionBlock);
}

void FindGeneralInfo(Project& project, Run& run, std::string_view fileText) {
  FindBlocks(project, run, fileText, "DOC_DEFINE_GENERAL_START", "DOC_DEFINE_GENERAL_END",
             ParseGeneralBlock);
}

void FindIndexEntries(Project& project, Run& run, std::string_view fileText) {
  FindBlocks(project, run, fileText, "DOC_DEFINE_INDEX_START", "DOC_DEFINE_INDEX_END", ParseIndexBlock);
}

}  // namespace tavelle
