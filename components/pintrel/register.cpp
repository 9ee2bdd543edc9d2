// Loading libpintrel.so registers the drawing component under its identifier.
#include <memory>

#include "automation/registry.h"
#include "components/pintrel/pintrel.h"

namespace {

const automation::ClassRegistration kPintrelClass(
    "Brushwell.Pintrel", [] { return std::make_shared<pintrel::Pintrel>(); });

}  // namespace
