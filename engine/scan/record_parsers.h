// The parsers of definition blocks: each turns the text of one block into
// an item record and files it in the project, logging one row per record.
//
// Classes and class members get the access "Public" unless the block names
// "Public", "Protected" or "Private" exactly; functions get "Private". The
// project's ProcAccessLevel then rejects records ("Public Only" keeps only
// Public, "Public, Protected" drops Private, anything else keeps all). A
// class whose name is already filed is dropped silently, and so is a member
// whose class is not filed. Index blocks become key words of the project.
#ifndef TAVELLE_ENGINE_SCAN_RECORD_PARSERS_H_
#define TAVELLE_ENGINE_SCAN_RECORD_PARSERS_H_

#include <string_view>

#include "engine/core/run.h"
#include "engine/scan/project.h"

namespace tavelle {

void ParseClassBlock(Project& project, Run& run, std::string_view block);
void ParseClassMemberBlock(Project& project, Run& run, std::string_view block);
void ParseFunctionBlock(Project& project, Run& run, std::string_view block);
void ParseGeneralBlock(Project& project, Run& run, std::string_view block);
void ParseIndexBlock(Project& project, Run& run, std::string_view block);

// True when the access-level setting lets a record with `access` through.
bool AccessLevelAccepts(std::string_view procAccessLevel, std::string_view access);

}  // namespace tavelle

#endif  // TAVELLE_ENGINE_SCAN_RECORD_PARSERS_H_
