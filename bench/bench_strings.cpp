// Splitting phrase texts: the most frequent text operation of every play.
#include <benchmark/benchmark.h>

#include <string>

#include "common/StringUtil.h"

static void BM_ParsePhrase(benchmark::State& state) {
  std::string text;
  for (int i = 0; i < state.range(0); ++i) text += "S R G'm P ";
  for (auto _ : state) {
    benchmark::DoNotOptimize(common::fParseString(text, " "));
  }
  state.SetItemsProcessed(state.iterations() * state.range(0) * 4);
}
BENCHMARK(BM_ParsePhrase)->Arg(8)->Arg(128);
