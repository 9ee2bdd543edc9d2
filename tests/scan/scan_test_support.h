// Helpers for the scanner tests: a project that records its log rows, and
// a way to run the five block passes over texts as a run would.
#ifndef TAVELLE_TESTS_SCAN_SCAN_TEST_SUPPORT_H_
#define TAVELLE_TESTS_SCAN_SCAN_TEST_SUPPORT_H_

#include <memory>
#include <string>
#include <vector>

#include "engine/scan/project.h"
#include "engine/scan/block_finder.h"
#include "tests/support/test_support.h"

namespace scan_testing {

struct LoggedProject {
  LoggedProject() { project.settings.OutputMsgBox = sink; }
  const std::vector<std::string>& rows() const { return sink->messages(); }

  std::shared_ptr<testing_support::RecordingSink> sink =
      std::make_shared<testing_support::RecordingSink>();
  tavelle::Project project;
};

// Runs each pass over every text before the next pass starts.
inline void ScanTexts(tavelle::Project& project, const std::vector<std::string>& texts) {
  auto run = testing_support::RunOf(project);
  for (auto finder : {tavelle::FindClasses, tavelle::FindClassMembers, tavelle::FindFunctions,
                      tavelle::FindGeneralInfo, tavelle::FindIndexEntries}) {
    for (const std::string& text : texts) finder(project, *run, text, -1);
  }
}

// Turns lines written with "\n" into the CR LF text a reader produces.
inline std::string Crlf(const std::string& lines) {
  std::string text;
  for (char c : lines) {
    if (c == '\n') text += '\r';
    text += c;
  }
  return text;
}

// A block of `kind` ("CLASS", "CLASS_MEMBER", ...) with one field a line,
// each closed by a terminator line; `fields` holds "Name: value" lines.
inline std::string Block(const std::string& kind, const std::vector<std::string>& fields) {
  std::string text = "DOC_DEFINE_" + kind + "_START\n";
  for (const std::string& field : fields) text += field + "\n\\\\\n";
  return Crlf(text + "DOC_DEFINE_" + kind + "_END\n");
}

}  // namespace scan_testing

#endif  // TAVELLE_TESTS_SCAN_SCAN_TEST_SUPPORT_H_
