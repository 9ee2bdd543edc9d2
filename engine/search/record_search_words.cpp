// The search words of the item records: each record gives one word named
// after it, linking to its page.
#include "engine/core/message_log.h"
#include "engine/scan/records.h"

namespace tavelle {
namespace {

// `owner` goes into Class: the owning class for members, else the
// record's own Name.
SearchWordRef ItemWord(const std::string& name, const std::string& filename,
                       const std::string& owner, const char* wordType) {
  auto word = std::make_shared<SearchWord>();
  word->Name = name;
  word->ReplaceString = "<a href=\"" + filename + "\">" + name + "</a>";
  word->filename = filename;
  word->WordType = wordType;
  word->Class = owner;
  return word;
}

}  // namespace

void ClassDoc::GenerateSearchWords(std::vector<SearchWordRef>& searchWords) {
  searchWords.push_back(ItemWord(Name, filename, Name, "Class"));
  for (const auto& member : Members) {
    if (CheckCancel()) return;
    member->GenerateSearchWords(searchWords, Name);
  }
}

// Members share the word type of classes, so they rank with them.
void ClassMemberDoc::GenerateSearchWords(std::vector<SearchWordRef>& searchWords,
                                         const std::string& className) {
  searchWords.push_back(ItemWord(Name, filename, className, "Class"));
}

void FunctionDoc::GenerateSearchWords(std::vector<SearchWordRef>& searchWords) {
  searchWords.push_back(ItemWord(Name, filename, Name, "Function"));
}

void GeneralDoc::GenerateSearchWords(std::vector<SearchWordRef>& searchWords) {
  searchWords.push_back(ItemWord(Name, filename, Name, "General"));
}

}  // namespace tavelle
