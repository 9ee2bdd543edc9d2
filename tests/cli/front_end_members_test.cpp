// The front-ends call the engine by member name only, so a misspelt name
// would fail at run time, quietly. Every name the two programs (and the
// defaults they share) pass to the engine must be one it answers to.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "automation/ascii.h"
#include "engine/pipeline/tavelle.h"
#include "tests/support/test_support.h"

namespace {

namespace fs = std::filesystem;

// The calls through which the front-ends reach engine members by name.
const char* const kCalls[] = {"Put(\"",      "Get(\"",    "Call(\"",  "Invoke(\"",
                              "GetText(\"",  "GetBool(\"", "Count(\"", "Remove(\"",
                              "CallWithPath(\"", "CallWithoutArguments(\"", "Generate(\""};

std::set<std::string> NamesCalledIn(const fs::path& file) {
  std::string text = testing_support::ReadFile(file);
  std::set<std::string> names;
  for (const char* call : kCalls) {
    std::string_view prefix(call);
    for (size_t at = text.find(prefix); at != std::string::npos; at = text.find(prefix, at + 1)) {
      // A call such as QTest's or Qt's own is told apart by its receiver
      // only loosely; names that are not capitalised words are not members.
      size_t start = at + prefix.size();
      size_t end = text.find('"', start);
      std::string name = text.substr(start, end - start);
      if (name.empty() || name[0] < 'A' || name[0] > 'Z') continue;
      names.insert(name);
    }
  }
  return names;
}

TEST(FrontEndMembers, EveryMemberNameTheProgramsUseIsAnsweredByTheEngine) {
  std::set<std::string> known;
  for (const std::string& name : tavelle::Tavelle::MemberNames())
    known.insert(automation::AsciiLowerCopy(name));
  size_t checked = 0;
  for (const char* folder : {"cli", "frontend"}) {
    for (const auto& entry : fs::directory_iterator(testing_support::SourcePath(folder))) {
      if (entry.path().extension() != ".cpp" && entry.path().extension() != ".h") continue;
      for (const std::string& name : NamesCalledIn(entry.path())) {
        EXPECT_TRUE(known.count(automation::AsciiLowerCopy(name)))
            << entry.path().filename().string() << " calls " << name;
        ++checked;
      }
    }
  }
  for (const std::string& name :
       NamesCalledIn(testing_support::SourcePath("automation/frontend_defaults.cpp"))) {
    EXPECT_TRUE(known.count(automation::AsciiLowerCopy(name))) << "frontend_defaults calls " << name;
    ++checked;
  }
  EXPECT_GT(checked, 40u) << "the scan found the programs' calls";
}

}  // namespace
