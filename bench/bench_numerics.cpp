#include <benchmark/benchmark.h>
static void BM_Placeholder(benchmark::State &s) { for (auto _ : s) benchmark::DoNotOptimize(0); }
BENCHMARK(BM_Placeholder);
