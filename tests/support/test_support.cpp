#include "tests/support/test_support.h"

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>

namespace testing_support {

void RecordingSink::OnRefresh() {
  for (; seen_ < RowCount(); ++seen_) {
    messages_.push_back(Row(seen_).sub_item(1));
    if (on_message) on_message(messages_.back());
  }
}

TempDir::TempDir() {
  std::random_device random;
  path_ = std::filesystem::temp_directory_path() /
          ("tavelle-test-" + std::to_string(random()) + std::to_string(random()));
  std::filesystem::create_directories(path_);
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add, ignored);
  std::filesystem::remove_all(path_, ignored);
}

void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
  if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary);
  out << bytes;
}

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

CommandResult RunCommand(const std::string& command) {
  TempDir scratch;
  std::string out = scratch / "out", err = scratch / "err";
  int status = std::system((command + " >'" + out + "' 2>'" + err + "'").c_str());
  CommandResult result;
  result.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  result.output = ReadFile(out);
  result.errors = ReadFile(err);
  return result;
}

bool IsDateTimeText(std::string_view text) {
  constexpr std::string_view kPattern = "0000-00-00 00:00:00";
  if (text.size() != kPattern.size()) return false;
  for (size_t i = 0; i < text.size(); ++i) {
    bool digit = text[i] >= '0' && text[i] <= '9';
    if (kPattern[i] == '0' ? !digit : text[i] != kPattern[i]) return false;
  }
  return true;
}

std::string BinaryPath(const std::string& program) {
  return std::string(TAVELLE_BINARY_DIR) + "/bin/" + program;
}

std::filesystem::path SourcePath(const std::string& relative) {
  return std::filesystem::path(TAVELLE_SOURCE_DIR) / relative;
}

}  // namespace testing_support
