// Helpers shared by the tests: a message sink that records its rows, a
// temporary folder, small file helpers and a way to run a program.
#ifndef TAVELLE_TESTS_SUPPORT_TEST_SUPPORT_H_
#define TAVELLE_TESTS_SUPPORT_TEST_SUPPORT_H_

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "automation/list_view.h"

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

}  // namespace testing_support

#endif  // TAVELLE_TESTS_SUPPORT_TEST_SUPPORT_H_
