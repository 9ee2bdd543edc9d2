// One source file through the scanner: reading with a comment string, the
// five block passes, field parsing and record building.
//
// Input: one byte that picks the access-level setting, the comment string
// up to the first line feed, then the file's bytes.
//
// Checked besides the sanitizers: the text read equals the file's lines
// each followed by CR LF with the comment string taken off once; every
// collection is in ascending name order; no two classes share a name;
// single-line fields hold no line break or tab and no outer blank; access
// levels are normalized; every record has a page file name.
#include <cstdint>
#include <string>
#include <string_view>

#include "automation/list_view.h"
#include "engine/scan/project.h"
#include "engine/scan/block_finder.h"
#include "engine/scan/text_file.h"
#include "engine/core/run.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

using fuzz_support::AsText;
using tavelle::Project;

constexpr std::string_view kAccessLevels[] = {"All Access", "Public Only", "Public, Protected"};

// The file's lines, each with one leading `prefix` removed and CR LF
// appended. CR LF, a lone CR and a lone LF each end a line.
std::string ExpectedText(std::string_view bytes, std::string_view prefix) {
  std::string text;
  while (!bytes.empty()) {
    size_t end = bytes.find_first_of("\r\n");
    std::string_view line = bytes.substr(0, end);
    if (!prefix.empty() && line.starts_with(prefix)) line.remove_prefix(prefix.size());
    text.append(line);
    text.append("\r\n");
    if (end == std::string_view::npos) break;
    bool crlf = bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n';
    bytes.remove_prefix(end + (crlf ? 2 : 1));
  }
  return text;
}

bool IsSingleLine(std::string_view value) {
  if (value.find_first_of("\r\n\t") != std::string_view::npos) return false;
  return value.empty() || (value.front() != ' ' && value.back() != ' ');
}

bool IsAccessLevel(std::string_view access) {
  return access == "Public" || access == "Protected" || access == "Private";
}

template <class Collection>
bool InNameOrder(const Collection& records) {
  const std::string* previous = nullptr;
  for (const auto& record : records) {
    if (previous && record->Name < *previous) return false;
    previous = &record->Name;
  }
  return true;
}

// The fields every item record shares.
template <class Record>
void CheckItemRecord(const Record& record) {
  FUZZ_CHECK(IsSingleLine(record.Name), "Name is one trimmed line");
  FUZZ_CHECK(IsSingleLine(record.Group), "Group is one trimmed line");
  FUZZ_CHECK(IsSingleLine(record.SeeAlso), "See Also is one trimmed line");
  FUZZ_CHECK(!record.filename.empty(), "every record has a page file name");
}

void CheckClasses(const Project& project) {
  FUZZ_CHECK(InNameOrder(project.Classes), "classes in name order");
  const std::string* previous = nullptr;
  for (const auto& record : project.Classes) {
    FUZZ_CHECK(!previous || record->Name != *previous, "class names are unique");
    previous = &record->Name;
    CheckItemRecord(*record);
    FUZZ_CHECK(IsAccessLevel(record->Access), "class access normalized");
    for (const std::string& base : record->BaseClasses) {
      FUZZ_CHECK(IsSingleLine(base), "base class is one trimmed line");
      FUZZ_CHECK(base.find(',') == std::string::npos, "base class holds no comma");
    }
    FUZZ_CHECK(InNameOrder(record->Members), "members in name order");
    for (const auto& member : record->Members) {
      CheckItemRecord(*member);
      FUZZ_CHECK(IsAccessLevel(member->Access), "member access normalized");
    }
  }
}

void CheckFunctionsAndTopics(const Project& project) {
  FUZZ_CHECK(InNameOrder(project.Functions), "functions in name order");
  for (const auto& record : project.Functions) {
    CheckItemRecord(*record);
    FUZZ_CHECK(IsAccessLevel(record->Access), "function access normalized");
  }
  FUZZ_CHECK(InNameOrder(project.GeneralDocs), "general topics in name order");
  for (const auto& record : project.GeneralDocs) {
    FUZZ_CHECK(IsSingleLine(record->Name), "topic name is one trimmed line");
    FUZZ_CHECK(!record->filename.empty(), "every topic has a page file name");
  }
  FUZZ_CHECK(InNameOrder(project.KeyWords), "key words in name order");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  auto [comment, bytes] = fuzz_support::SplitOnce(AsText(data + 1, size - 1), '\n');
  if (comment.size() > 8) return 0;  // comment strings are short

  Project project;
  project.settings.ProcAccessLevel = kAccessLevels[data[0] % 3];
  // A list view, so that the rows of the parsers go through the log. It
  // lives for one input only: memory kept across inputs makes libFuzzer
  // look for leaks after every one.
  auto sink = std::make_shared<automation::ListView>();
  project.settings.OutputMsgBox = sink;

  std::string path = fuzz_support::ScratchPath("source.h");
  testing_support::WriteFile(path, std::string(bytes));
  std::string text;
  tavelle::Run run(sink, "", tavelle::RunClock::System(), false);
  tavelle::ReadTextFile(path, text, comment, run);
  FUZZ_CHECK(text == ExpectedText(bytes, comment), "text read as its lines with CR LF");

  tavelle::FindClasses(project, run, text, -1);
  tavelle::FindClassMembers(project, run, text, -1);
  tavelle::FindFunctions(project, run, text, -1);
  tavelle::FindGeneralInfo(project, run, text, -1);
  tavelle::FindIndexEntries(project, run, text, -1);

  CheckClasses(project);
  CheckFunctionsAndTopics(project);
  return 0;
}
