#include "platform/base/CaseFold.h"

#include <benchmark/benchmark.h>

#include <string>

// Key comparison dominates registry and path look-ups.
static void BM_CompareNoCase(benchmark::State& state)
{
    const std::string a(static_cast<std::size_t>(state.range(0)), 'A');
    const std::string b(static_cast<std::size_t>(state.range(0)), 'a');
    for (auto _ : state)
        benchmark::DoNotOptimize(platform::CompareNoCase(a, b));
}
BENCHMARK(BM_CompareNoCase)->Arg(16)->Arg(256);
