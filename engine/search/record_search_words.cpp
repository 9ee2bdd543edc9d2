// The search words of the item records: each record gives one word named
// after it, linking to its page.
#include "engine/search/search_words.h"

#include "engine/core/html_text.h"

namespace tavelle {
namespace {

// `owner` goes into Class: the owning class for members, else the
// record's own Name.
SearchWordRef ItemWord(const std::string& name, const std::string& filename,
                       const std::string& owner, const char* wordType) {
  auto word = std::make_shared<SearchWord>();
  word->Name = name;
  word->ReplaceString = "<a href=\"" + HTMLText(filename) + "\">" + HTMLText(name) + "</a>";
  word->filename = filename;
  word->WordType = wordType;
  word->Class = owner;
  return word;
}

}  // namespace

void GenerateSearchWords(const ClassDoc& record, std::vector<SearchWordRef>& searchWords,
                         Run& run) {
  searchWords.push_back(ItemWord(record.Name, record.filename, record.Name, "Class"));
  for (const auto& member : record.Members) {
    if (run.CheckCancel()) return;
    GenerateSearchWords(*member, record.Name, searchWords);
  }
}

// Members share the word type of classes, so they rank with them.
void GenerateSearchWords(const ClassMemberDoc& record, const std::string& className,
                         std::vector<SearchWordRef>& searchWords) {
  searchWords.push_back(ItemWord(record.Name, record.filename, className, "Class"));
}

void GenerateSearchWords(const FunctionDoc& record, std::vector<SearchWordRef>& searchWords,
                         Run& /*run*/) {
  searchWords.push_back(ItemWord(record.Name, record.filename, record.Name, "Function"));
}

void GenerateSearchWords(const GeneralDoc& record, std::vector<SearchWordRef>& searchWords,
                         Run& /*run*/) {
  searchWords.push_back(ItemWord(record.Name, record.filename, record.Name, "General"));
}

}  // namespace tavelle
