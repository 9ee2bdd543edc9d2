// Tavelle: the engine's one automation class ("Corvane.Tavelle"). An object
// is one documentation project; clients set its properties and call its
// methods by member name:
//   the 46 settings (see settings.h), ErrMsg (read), Cancel (write, read),
//   ProcessFiles, the sixteen list operations, SaveConfig and OpenConfig.
// Arguments are passed by reference; out-arguments are written back.
#ifndef TAVELLE_ENGINE_CORE_TAVELLE_H_
#define TAVELLE_ENGINE_CORE_TAVELLE_H_

#include <string>
#include <vector>

#include "automation/object.h"
#include "engine/core/project.h"

namespace tavelle {

class Tavelle : public automation::Object {
 public:
  bool Invoke(std::string_view member, automation::CallKind kind,
              std::span<automation::Variant> args, automation::Variant& result) override;
  std::vector<std::string> PropertyNames() const override;

  Project& project() { return project_; }

 private:
  bool InvokeMethod(int member, std::span<automation::Variant> args,
                    automation::Variant& result);

  Project project_;
};

}  // namespace tavelle

#endif  // TAVELLE_ENGINE_CORE_TAVELLE_H_
