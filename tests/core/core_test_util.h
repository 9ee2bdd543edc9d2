// Calls on an engine object by member name, as automation clients make
// them, for the core tests.
#ifndef TAVELLE_TESTS_CORE_CORE_TEST_UTIL_H_
#define TAVELLE_TESTS_CORE_CORE_TEST_UTIL_H_

#include <memory>
#include <string>
#include <vector>

#include "automation/object.h"
#include "engine/pipeline/tavelle.h"

namespace core_test {

// Calls `method` with by-reference arguments; `args` receives the
// out-values.
inline automation::Variant CallByRef(automation::Object& object, std::string_view method,
                                     std::vector<automation::Variant>& args) {
  automation::Variant result;
  object.Invoke(method, automation::CallKind::kMethod, args, result);
  return result;
}

// The names of a list in order, read through its get operation.
inline std::vector<std::string> ListNames(automation::Object& engine, const char* getter,
                                          const char* counter, int firstIndex) {
  std::vector<std::string> names;
  int count = engine.Call(counter).AsInt32();
  for (int i = firstIndex; i < firstIndex + count; ++i) {
    std::vector<automation::Variant> args = {int32_t{i}, "", "", ""};
    if (!CallByRef(engine, getter, args).AsBool()) names.push_back("<failed>");
    else names.push_back(args[1].AsText());
  }
  return names;
}

inline std::vector<std::string> FileTypes(automation::Object& engine) {
  return ListNames(engine, "GetFileType", "GetFileTypeCount", 0);
}
inline std::vector<std::string> InputFolders(automation::Object& engine) {
  return ListNames(engine, "GetInputFolder", "GetInputFoldersCount", 1);
}

// Each key word as "name|file|replacement".
inline std::vector<std::string> KeyWords(automation::Object& engine) {
  std::vector<std::string> rows;
  int count = engine.Call("GetKeyWordCount").AsInt32();
  for (int i = 1; i <= count; ++i) {
    std::vector<automation::Variant> args = {int16_t(i), "", "", ""};
    CallByRef(engine, "GetKeyWord", args);
    rows.push_back(args[1].AsText() + "|" + args[2].AsText() + "|" + args[3].AsText());
  }
  return rows;
}

inline int32_t AddKeyWord(automation::Object& engine, const std::string& name,
                          const std::string& file = "", const std::string& replace = "") {
  std::vector<automation::Variant> args = {name, file, replace, int32_t{0}};
  CallByRef(engine, "AddKeyWord", args);
  return args[3].AsInt32();
}

}  // namespace core_test

#endif  // TAVELLE_TESTS_CORE_CORE_TEST_UTIL_H_
