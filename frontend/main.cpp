// The desktop program tavelle.
#include "automation/platform.h"
#include "frontend/tv_global.h"

int main(int argc, char* argv[]) {
  automation::RestartWithHugePageHeap(argv);
  return frontend::Main(argc, argv);
}
