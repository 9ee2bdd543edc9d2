// The desktop program tavelle.
#include "frontend/tv_global.h"

int main(int argc, char* argv[]) { return frontend::Main(argc, argv); }
