// The engine's sorted collections at scale: AddSorted of N records with
// random names, then FindByName of every name. At 200,000 records each
// part takes well under a second; the Complexity line shows how the cost
// grows with N (it stays close to N log N).
#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "engine/core/sorted_collection.h"
#include "engine/core/search_word.h"

namespace {

using tavelle::SearchWord;
using tavelle::SortedCollection;

std::vector<std::string> RandomNames(size_t count) {
  std::mt19937_64 random(42);
  const std::string letters = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ_";
  std::vector<std::string> names(count);
  for (std::string& name : names) {
    name.resize(6 + random() % 10);
    for (char& c : name) c = letters[random() % letters.size()];
  }
  return names;
}

SortedCollection<SearchWord> Filled(const std::vector<std::string>& names) {
  SortedCollection<SearchWord> collection;
  for (const std::string& name : names) {
    auto word = std::make_shared<SearchWord>();
    word->Name = name;
    collection.AddSorted(std::move(word));
  }
  return collection;
}

void BM_AddSorted(benchmark::State& state) {
  std::vector<std::string> names = RandomNames(static_cast<size_t>(state.range(0)));
  for (auto _ : state) {
    SortedCollection<SearchWord> collection = Filled(names);
    benchmark::DoNotOptimize(collection.Count());
  }
  state.SetComplexityN(state.range(0));
}

void BM_FindByName(benchmark::State& state) {
  std::vector<std::string> names = RandomNames(static_cast<size_t>(state.range(0)));
  SortedCollection<SearchWord> collection = Filled(names);
  for (auto _ : state) {
    int64_t total = 0;
    for (const std::string& name : names) {
      int32_t position = 0;
      collection.FindByName(name, position);
      total += position;
    }
    benchmark::DoNotOptimize(total);
  }
  state.SetComplexityN(state.range(0));
}

BENCHMARK(BM_AddSorted)->RangeMultiplier(10)->Range(2000, 200000)
    ->Unit(benchmark::kMillisecond)->Complexity();
BENCHMARK(BM_FindByName)->RangeMultiplier(10)->Range(2000, 200000)
    ->Unit(benchmark::kMillisecond)->Complexity();

}  // namespace
