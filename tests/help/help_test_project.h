// A project for the help output tests: an output folder, a recording
// message sink, and shorthands for adding records.
#ifndef TAVELLE_TESTS_HELP_HELP_TEST_PROJECT_H_
#define TAVELLE_TESTS_HELP_HELP_TEST_PROJECT_H_

#include <memory>
#include <string>

#include "engine/scan/project.h"
#include "tests/support/test_support.h"

namespace help_testing {

struct HelpTestProject {
  testing_support::TempDir dir;
  std::shared_ptr<testing_support::RecordingSink> sink =
      std::make_shared<testing_support::RecordingSink>();
  tavelle::Project project;

  HelpTestProject() {
    project.settings.OutputDirectory = dir.path().string();
    project.settings.OutputMsgBox = sink;
  }

  std::string Output(const std::string& name) const {
    return testing_support::ReadFile(dir.path() / name);
  }
  bool Exists(const std::string& name) const {
    return std::filesystem::exists(dir.path() / name);
  }
  bool Logged(const std::string& message) const {
    for (const auto& row : sink->messages())
      if (row == message) return true;
    return false;
  }

  tavelle::ClassDoc& AddClass(const std::string& name) {
    auto record = std::make_shared<tavelle::ClassDoc>();
    record->Name = name;
    record->filename = name + ".html";
    project.Classes.AddSorted(record);
    return *record;
  }
  static void AddMember(tavelle::ClassDoc& owner, const std::string& name,
                        const std::string& group = "") {
    auto record = std::make_shared<tavelle::ClassMemberDoc>();
    record->Name = name;
    record->Group = group;
    record->filename = owner.Name + "_" + name + ".html";
    owner.Members.AddSorted(record);
  }
  void AddFunction(const std::string& name, const std::string& group = "") {
    auto record = std::make_shared<tavelle::FunctionDoc>();
    record->Name = name;
    record->Group = group;
    record->filename = name + ".html";
    project.Functions.AddSorted(record);
  }
  void AddTopic(const std::string& name) {
    auto record = std::make_shared<tavelle::GeneralDoc>();
    record->Name = name;
    record->filename = name + ".html";
    project.GeneralDocs.AddSorted(record);
  }
};

}  // namespace help_testing

#endif  // TAVELLE_TESTS_HELP_HELP_TEST_PROJECT_H_
