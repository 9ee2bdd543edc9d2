// Helpers shared by the tests: a message sink that records its rows, a
// temporary folder, small file helpers, a way to run a program, and a run
// of a project for calling the engine's stages directly.
#ifndef TAVELLE_TESTS_SUPPORT_TEST_SUPPORT_H_
#define TAVELLE_TESTS_SUPPORT_TEST_SUPPORT_H_

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "automation/list_view.h"
#include "engine/core/run.h"
#include "engine/scan/project.h"

namespace testing_support {

// A list view that keeps every row it was ever given (the list itself is
// still emptied at 1000 rows) and can run a hook on each new message.
class RecordingSink : public automation::ListView {
 public:
  // Every message logged, in order, across clears.
  const std::vector<std::string>& messages() const { return messages_; }
  // Called with each new message as it is refreshed.
  std::function<void(const std::string&)> on_message;

 protected:
  void OnRefresh() override;
  void OnClear() override { seen_ = 0; }

 private:
  size_t seen_ = 0;
  std::vector<std::string> messages_;
};

// A fresh folder below the system's temporary folder, removed at the end.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& path() const { return path_; }
  std::string operator/(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

void WriteFile(const std::filesystem::path& path, const std::string& bytes);
std::string ReadFile(const std::filesystem::path& path);

struct CommandResult {
  int exit_code = -1;
  std::string output;  // standard output
  std::string errors;  // standard error
};

// Runs `command` through the shell and captures both streams.
CommandResult RunCommand(const std::string& command);

// Whether `text` is a date and time in the form "YYYY-MM-DD HH:MM:SS".
bool IsDateTimeText(std::string_view text);

// Paths of the built programs and of the source tree.
std::string BinaryPath(const std::string& program);
std::filesystem::path SourcePath(const std::string& relative);

// A run of `project` reporting to its OutputMsgBox and writing into its
// OutputDirectory. Its output is written at once, so a test can read a
// file as soon as the stage that writes it returns.
inline std::unique_ptr<tavelle::Run> RunOf(const tavelle::Project& project,
                                           tavelle::RunClock clock = tavelle::RunClock::System()) {
  return std::make_unique<tavelle::Run>(project.settings.OutputMsgBox,
                                        project.settings.OutputDirectory, std::move(clock), false);
}

// A run clock under which every cancel check runs `pump`.
inline tavelle::RunClock PumpAtEveryCheck(std::function<void()> pump) {
  auto now = std::make_shared<int64_t>(0);
  return tavelle::RunClock{[now] { return *now += 1000; }, std::move(pump)};
}

}  // namespace testing_support

#endif  // TAVELLE_TESTS_SUPPORT_TEST_SUPPORT_H_
