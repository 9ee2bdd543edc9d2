// TextToHTML on a 2 KB description: flattened (the usual case) and with
// its layout kept, where every line break, tab and blank becomes markup.
#include <benchmark/benchmark.h>

#include <string>

#include "engine/html/page_frame.h"

namespace {

std::string Description() {
  std::string text;
  while (text.size() < 2048)
    text += "Returns the <b>size</b> of the buffer,\r\n\tcounting   every byte once.\r\n";
  return text;
}

void BM_TextToHTML(benchmark::State& state) {
  const bool keepLayout = state.range(0) != 0;
  const std::string description = Description();
  for (auto _ : state) {
    std::string text = description;  // flattening rewrites its argument
    benchmark::DoNotOptimize(tavelle::TextToHTML(text, keepLayout));
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * description.size()));
}

}  // namespace

BENCHMARK(BM_TextToHTML)->ArgName("keepLayout")->Arg(0)->Arg(1);
