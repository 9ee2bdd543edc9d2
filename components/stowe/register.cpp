// Loading libstowe.so registers the profile component under its identifier.
#include "automation/registry.h"
#include "components/stowe/stowe.h"

namespace {

const automation::ClassRegistration kStoweClass(
    "StoweProj.Stowe", [] { return std::make_shared<stowe::Stowe>(); });

}  // namespace
