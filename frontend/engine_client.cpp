#include "frontend/engine_client.h"

#include "automation/object.h"
#include "automation/registry.h"

namespace frontend {

using automation::CallKind;
using automation::Variant;

EngineClient EngineClient::Create() {
  return EngineClient(automation::CreateObject("Corvane.Tavelle"));
}

void EngineClient::Put(std::string_view property, Variant value) {
  if (engine_) engine_->Put(property, std::move(value));
}

std::string EngineClient::GetText(std::string_view property) {
  return engine_ ? engine_->Get(property).AsText() : std::string();
}

bool EngineClient::GetBool(std::string_view property) {
  return engine_ && engine_->Get(property).AsBool();
}

// Runs a method and returns its Boolean result; false when the call itself
// could not be made.
bool EngineClient::Invoke(std::string_view method, std::span<Variant> args) {
  if (!engine_) return false;
  Variant result;
  return engine_->Invoke(method, CallKind::kMethod, args, result) && result.AsBool();
}

bool EngineClient::AddFileType(std::string& name, int32_t& index) {
  Variant args[] = {Variant(name), Variant(index)};
  bool added = Invoke("AddFileType", args);
  name = args[0].AsText();
  index = args[1].AsInt32();
  return added;
}

bool EngineClient::AddInputFolder(const std::string& folder, int32_t& index) {
  Variant args[] = {Variant(folder), Variant(index)};
  bool added = Invoke("AddInputFolder", args);
  index = args[1].AsInt32();
  return added;
}

bool EngineClient::AddKeyWord(const KeyWord& word, int32_t& index) {
  Variant args[] = {Variant(word.name), Variant(word.key_file), Variant(word.replace_text),
                    Variant(index)};
  bool added = Invoke("AddKeyWord", args);
  index = args[3].AsInt32();
  return added;
}

bool EngineClient::UpdateKeyWord(const KeyWord& word, int32_t& index) {
  Variant args[] = {Variant(word.name), Variant(word.key_file), Variant(word.replace_text),
                    Variant(index)};
  bool updated = Invoke("UpdateKeyWord", args);
  index = args[3].AsInt32();
  return updated;
}

bool EngineClient::Remove(std::string_view operation, const std::string& name) {
  Variant args[] = {Variant(name)};
  return Invoke(operation, args);
}

int32_t EngineClient::Count(std::string_view operation) {
  return engine_ ? engine_->Call(operation).AsInt32() : 0;
}

bool EngineClient::GetFileType(int32_t index, std::string& name) {
  Variant args[] = {Variant(index), Variant(name)};
  bool found = Invoke("GetFileType", args);
  if (found) name = args[1].AsText();
  return found;
}

bool EngineClient::GetInputFolder(int16_t index, std::string& folder) {
  Variant args[] = {Variant(index), Variant(folder)};
  bool found = Invoke("GetInputFolder", args);
  if (found) folder = args[1].AsText();
  return found;
}

bool EngineClient::GetKeyWord(int16_t index, KeyWord& word) {
  Variant args[] = {Variant(index), Variant(word.name), Variant(word.key_file),
                    Variant(word.replace_text)};
  bool found = Invoke("GetKeyWord", args);
  if (found) word = {args[1].AsText(), args[2].AsText(), args[3].AsText()};
  return found;
}

void EngineClient::CallWithoutArguments(std::string_view method) {
  if (engine_) engine_->Call(method);
}

void EngineClient::CallWithPath(std::string_view method, const std::string& path) {
  Variant args[] = {Variant(path)};
  Variant ignored;
  if (engine_) engine_->Invoke(method, CallKind::kMethod, args, ignored);
}

}  // namespace frontend
