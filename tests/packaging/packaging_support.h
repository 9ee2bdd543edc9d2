// Helpers of the packaging tests: running CMake and a program with its own
// search-word database, and the rows of --help that name options.
// Header-only, as each area's test program is built from its *_test.cpp.
#ifndef TAVELLE_TESTS_PACKAGING_PACKAGING_SUPPORT_H_
#define TAVELLE_TESTS_PACKAGING_PACKAGING_SUPPORT_H_

#include <filesystem>
#include <set>
#include <sstream>
#include <string>

#include "tests/e2e/e2e_support.h"

namespace packaging_support {

namespace fs = std::filesystem;
using e2e_support::Lines;
using e2e_support::Quoted;
using testing_support::BinaryPath;
using testing_support::CommandResult;
using testing_support::ReadFile;
using testing_support::RunCommand;
using testing_support::SourcePath;
using testing_support::TempDir;
using testing_support::WriteFile;

// Runs the cmake of this build with `arguments`; `output` holds both streams.
inline CommandResult RunCmake(const std::string& arguments) {
  CommandResult result = RunCommand(std::string("'" CMAKE_COMMAND "' ") + arguments);
  result.output += result.errors;
  return result;
}

// Runs `program` with `arguments` and its own search-word database in `folder`.
inline CommandResult RunProgram(const fs::path& program, const std::string& arguments,
                                const fs::path& folder) {
  return RunCommand("cd " + Quoted(folder.string()) + " && TAVELLE_SEARCH_DB=" +
                    Quoted((folder / "words.sqlite").string()) + " timeout 120 " +
                    Quoted(program.string()) + " " + arguments);
}

// Every option name (-o, --output ...) on the option rows of `help`, which
// start with blanks and the names, separated by commas.
inline std::set<std::string> OptionsOfHelp(const std::string& help) {
  std::set<std::string> options;
  for (const std::string& line : Lines(help)) {
    size_t start = line.find_first_not_of(' ');
    if (start == 0 || start == std::string::npos || line[start] != '-') continue;
    std::istringstream names(line.substr(start, line.find(' ', start) - start));
    for (std::string name; std::getline(names, name, ',');) options.insert(name);
  }
  return options;
}

}  // namespace packaging_support

#endif  // TAVELLE_TESTS_PACKAGING_PACKAGING_SUPPORT_H_
