// Loading libcorvane.so registers the engine class under its identifier.
#include "automation/registry.h"
#include "engine/pipeline/tavelle.h"

namespace {

const automation::ClassRegistration kTavelleClass(
    "Corvane.Tavelle", [] { return std::make_shared<tavelle::Tavelle>(); });

}  // namespace
