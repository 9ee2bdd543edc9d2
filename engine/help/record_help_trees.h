// The contents entries (GenerateHelpTree) and script tree nodes
// (GenerateJavaHelpTree) of the item records. A class holds its members,
// grouped; members, functions and topics are leaves. Each advances `node`
// for the nodes it adds below `parentNode`.
#ifndef TAVELLE_ENGINE_HELP_RECORD_HELP_TREES_H_
#define TAVELLE_ENGINE_HELP_RECORD_HELP_TREES_H_

#include <cstdint>
#include <string>

#include "engine/scan/records.h"

namespace tavelle {

void GenerateHelpTree(const ClassDoc& record, std::string& treeHTML);
void GenerateHelpTree(const ClassMemberDoc& record, std::string& treeHTML);
void GenerateHelpTree(const FunctionDoc& record, std::string& treeHTML);
void GenerateHelpTree(const GeneralDoc& record, std::string& treeHTML);

void GenerateJavaHelpTree(const ClassDoc& record, std::string& treeHTML, int32_t& node,
                          int32_t parentNode);
void GenerateJavaHelpTree(const ClassMemberDoc& record, std::string& treeHTML, int32_t& node,
                          int32_t parentNode);
void GenerateJavaHelpTree(const FunctionDoc& record, std::string& treeHTML, int32_t& node,
                          int32_t parentNode);
void GenerateJavaHelpTree(const GeneralDoc& record, std::string& treeHTML, int32_t& node,
                          int32_t parentNode);

}  // namespace tavelle

#endif  // TAVELLE_ENGINE_HELP_RECORD_HELP_TREES_H_
