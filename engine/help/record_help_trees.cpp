// The contents entries and script tree nodes of the item records. A class
// holds its members, grouped; members, functions and topics are leaves.
#include "engine/help/record_help_trees.h"

#include "engine/help/help_trees.h"

namespace tavelle {

void GenerateHelpTree(const ClassDoc& record, std::string& treeHTML) {
  AddContentsNode(treeHTML, record.Name, record.filename, true, kClassContentsImage);
  GenerateGroupedHelpTree(record.Members, treeHTML);
  treeHTML += "</UL>";
}

void GenerateHelpTree(const ClassMemberDoc& record, std::string& treeHTML) {
  AddContentsNode(treeHTML, record.Name, record.filename, false, kTopicContentsImage);
}

void GenerateHelpTree(const FunctionDoc& record, std::string& treeHTML) {
  AddContentsNode(treeHTML, record.Name, record.filename, false, kTopicContentsImage);
}

void GenerateHelpTree(const GeneralDoc& record, std::string& treeHTML) {
  AddContentsNode(treeHTML, record.Name, record.filename, false, kTopicContentsImage);
}

void GenerateJavaHelpTree(const ClassDoc& record, std::string& treeHTML, int32_t& node,
                          int32_t parentNode) {
  AddScriptTreeNode(treeHTML, node, parentNode, record.Name, record.filename, kClassImages);
  GenerateGroupedScriptTree(record.Members, treeHTML, node, node);
}

void GenerateJavaHelpTree(const ClassMemberDoc& record, std::string& treeHTML, int32_t& node,
                          int32_t parentNode) {
  AddScriptTreeNode(treeHTML, node, parentNode, record.Name, record.filename, kMemberImages);
}

void GenerateJavaHelpTree(const FunctionDoc& record, std::string& treeHTML, int32_t& node,
                          int32_t parentNode) {
  AddScriptTreeNode(treeHTML, node, parentNode, record.Name, record.filename, kFunctionImages);
}

void GenerateJavaHelpTree(const GeneralDoc& record, std::string& treeHTML, int32_t& node,
                          int32_t parentNode) {
  AddScriptTreeNode(treeHTML, node, parentNode, record.Name, record.filename, kGeneralImages);
}

}  // namespace tavelle
