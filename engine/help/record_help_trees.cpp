// The contents entries and script tree nodes of the item records. A class
// holds its members, grouped; members, functions and topics are leaves.
#include "engine/help/help_trees.h"
#include "engine/scan/records.h"

namespace tavelle {

void ClassDoc::GenerateHelpTree(std::string& treeHTML) const {
  AddContentsNode(treeHTML, Name, filename, true, kClassContentsImage);
  GenerateGroupedHelpTree(Members, treeHTML);
  treeHTML += "</UL>";
}

void ClassMemberDoc::GenerateHelpTree(std::string& treeHTML) const {
  AddContentsNode(treeHTML, Name, filename, false, kTopicContentsImage);
}

void FunctionDoc::GenerateHelpTree(std::string& treeHTML) const {
  AddContentsNode(treeHTML, Name, filename, false, kTopicContentsImage);
}

void GeneralDoc::GenerateHelpTree(std::string& treeHTML) const {
  AddContentsNode(treeHTML, Name, filename, false, kTopicContentsImage);
}

void ClassDoc::GenerateJavaHelpTree(std::string& treeHTML, int32_t& node,
                                    int32_t parentNode) const {
  AddScriptTreeNode(treeHTML, node, parentNode, Name, filename, kClassImages);
  GenerateGroupedScriptTree(Members, treeHTML, node, node);
}

void ClassMemberDoc::GenerateJavaHelpTree(std::string& treeHTML, int32_t& node,
                                          int32_t parentNode) const {
  AddScriptTreeNode(treeHTML, node, parentNode, Name, filename, kMemberImages);
}

void FunctionDoc::GenerateJavaHelpTree(std::string& treeHTML, int32_t& node,
                                       int32_t parentNode) const {
  AddScriptTreeNode(treeHTML, node, parentNode, Name, filename, kFunctionImages);
}

void GeneralDoc::GenerateJavaHelpTree(std::string& treeHTML, int32_t& node,
                                      int32_t parentNode) const {
  AddScriptTreeNode(treeHTML, node, parentNode, Name, filename, kGeneralImages);
}

}  // namespace tavelle
