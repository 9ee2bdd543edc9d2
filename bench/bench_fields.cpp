// Field parsing: GetField on a typical member block, for a field near the
// start, one near the end, a multi-line description and a missing field
// (which searches the whole block).
#include <benchmark/benchmark.h>

#include <string>

#include "engine/scan/fields.h"

namespace {

std::string MemberBlock() {
  std::string block =
      "Name: Resize\r\n\\\\\r\nClass: Buffer\r\n\\\\\r\nAccess: Public\r\n\\\\\r\n"
      "Group: Storage\r\n\\\\\r\nDefinition: void Resize(size_t size, char fill)\r\n\\\\\r\n"
      "Description:\r\n";
  for (int line = 0; line < 20; ++line)
    block += "Changes the size of the buffer, keeping its contents where it can.\r\n";
  block += "\\\\\r\nParameters: size - the new size\r\n  fill - the character added\r\n\\\\\r\n"
           "Returns: nothing\r\n\\\\\r\nExample: Resize(10, ' ')\r\n\\\\\r\n";
  return block;
}

void BM_GetField(benchmark::State& state, const char* field, bool singleLine) {
  std::string block = MemberBlock();
  for (auto _ : state) benchmark::DoNotOptimize(tavelle::GetField(block, field, singleLine));
}

}  // namespace

BENCHMARK_CAPTURE(BM_GetField, FirstField, "Name", true);
BENCHMARK_CAPTURE(BM_GetField, LastField, "Example", true);
BENCHMARK_CAPTURE(BM_GetField, Description, "Description", false);
BENCHMARK_CAPTURE(BM_GetField, MissingField, "See Also", true);
