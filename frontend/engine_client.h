// EngineClient: the window's typed view of the engine object. Every call is
// still made by member name at run time (the program links no engine code);
// this class only packs the by-reference arguments of the list operations
// and reads the out-arguments back.
#ifndef TAVELLE_FRONTEND_ENGINE_CLIENT_H_
#define TAVELLE_FRONTEND_ENGINE_CLIENT_H_

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "automation/variant.h"

namespace frontend {

// One row of the key-word list.
struct KeyWord {
  std::string name;
  std::string key_file;
  std::string replace_text;
};

class EngineClient {
 public:
  // Creates the engine by its class identifier; holds nothing when the
  // engine library cannot be found.
  static EngineClient Create();

  explicit EngineClient(automation::ObjectRef engine) : engine_(std::move(engine)) {}

  bool IsValid() const { return engine_ != nullptr; }
  const automation::ObjectRef& object() const { return engine_; }

  void Put(std::string_view property, automation::Variant value);
  std::string GetText(std::string_view property);
  bool GetBool(std::string_view property);

  std::string ErrMsg() { return GetText("ErrMsg"); }

  // The list operations return the engine's result; `index` receives the
  // 1-based position the engine reports. AddFileType also hands back the
  // name as the engine stored it (with its leading dot).
  bool AddFileType(std::string& name, int32_t& index);
  bool AddInputFolder(const std::string& folder, int32_t& index);
  bool AddKeyWord(const KeyWord& word, int32_t& index);
  bool UpdateKeyWord(const KeyWord& word, int32_t& index);
  bool Remove(std::string_view operation, const std::string& name);

  int32_t Count(std::string_view operation);
  // GetFileType takes 0-based indexes, the other two 1-based ones.
  bool GetFileType(int32_t index, std::string& name);
  bool GetInputFolder(int16_t index, std::string& folder);
  bool GetKeyWord(int16_t index, KeyWord& word);

  void CallWithoutArguments(std::string_view method);
  void CallWithPath(std::string_view method, const std::string& path);

 private:
  bool Invoke(std::string_view method, std::span<automation::Variant> args);

  automation::ObjectRef engine_;
};

}  // namespace frontend

#endif  // TAVELLE_FRONTEND_ENGINE_CLIENT_H_
