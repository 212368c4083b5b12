// The one main() of tessaly_bench: every bench/*.cpp only registers its
// benchmarks.
#include <benchmark/benchmark.h>

BENCHMARK_MAIN();
