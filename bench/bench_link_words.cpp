// Auto-linking at scale: LinkSearchWords of one 2 KB description against
// the run's word index holding 120,000 search words, the size of a large
// code base. For contrast, the same text against the ListResolver, which
// walks its list for every word, at a few thousand words.
#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "engine/html/auto_link.h"
#include "engine/search/search_word_index.h"

namespace {

using tavelle::SearchWord;
using tavelle::SearchWordRef;

// Words named like a code base's: classes, their members (many member
// names recur across classes), functions and key words.
std::vector<SearchWordRef> MakeWords(size_t count) {
  static const char* const kTypes[] = {"Class", "Function", "General", "Keyword"};
  std::vector<SearchWordRef> words;
  words.reserve(count);
  for (size_t i = 0; i < count; ++i) {
    auto word = std::make_shared<SearchWord>();
    word->ID = static_cast<int32_t>(i + 1);
    word->WordType = kTypes[i % 4];
    word->Class = "Class" + std::to_string(i / 10);
    word->Name = i % 3 == 0 ? "Member" + std::to_string(i % 70) : "Name" + std::to_string(i);
    word->ReplaceString = "<a href=\"" + word->Name + ".html\">" + word->Name + "</a>";
    words.push_back(std::move(word));
  }
  return words;
}

// About 2 KB of description: prose, known names, tags and entities.
std::string Description(size_t wordCount) {
  std::mt19937 random(7);
  static const char* const kProse[] = {"the", "returns", "a", "value", "of", "when", "is",
                                       "called", "with", "and"};
  std::string text;
  while (text.size() < 2048) {
    switch (random() % 6) {
      case 0: text += "Name" + std::to_string(random() % wordCount); break;
      case 1: text += "Member" + std::to_string(random() % 70); break;
      case 2: text += "<b>bold</b>"; break;
      case 3: text += "&nbsp;"; break;
      default: text += kProse[random() % 10]; break;
    }
    text += random() % 8 == 0 ? ".\r\n" : " ";
  }
  return text;
}

void BM_LinkWithIndex(benchmark::State& state) {
  const size_t count = static_cast<size_t>(state.range(0));
  tavelle::SearchWordIndex index;
  index.Build(MakeWords(count));
  auto resolver = index.ResolverFor(tavelle::PageKind::kClassPages, std::string("Class42"));
  std::string text = Description(count);
  for (auto _ : state) benchmark::DoNotOptimize(tavelle::LinkSearchWords(text, *resolver));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

void BM_LinkWithList(benchmark::State& state) {
  const size_t count = static_cast<size_t>(state.range(0));
  std::vector<SearchWordRef> words = MakeWords(count);
  tavelle::ListResolver resolver(words);
  std::string text = Description(count);
  for (auto _ : state) benchmark::DoNotOptimize(tavelle::LinkSearchWords(text, resolver));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

}  // namespace

BENCHMARK(BM_LinkWithIndex)->Arg(1'000)->Arg(120'000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LinkWithList)->Arg(1'000)->Arg(5'000)->Unit(benchmark::kMicrosecond);
