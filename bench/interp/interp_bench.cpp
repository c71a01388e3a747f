// Interpreter throughput on whole programs, without process start-up.
//   interp_bench                       Google Benchmark runs
//   interp_bench --count FILE.java     prints the number of executed lines
#include <benchmark/benchmark.h>

#include <cstring>
#include <fstream>
#include <iostream>
#include <iterator>

#include "interp/Unit3.h"
#include "interp/program_text.h"
#include "tests/interp/null_host.h"

namespace {

using orv::testing::NullHost;

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

int64_t RunOnce(const std::string& text, NullHost& host, bool fastPath = true) {
  orv::VectorLineList lines(text);
  orv::TForm3 interpreter(host);
  interpreter.SetFastPath(fastPath);
  int32_t resume = 0, state = 0;
  interpreter.Exec(lines, resume, 0, state);
  return interpreter.ExecutedLines();
}

// A program with the fast path, or from the text alone (--reference).
void BM_Program(benchmark::State& state, const char* file, bool fastPath) {
  const std::string text = ReadFile(std::string(ORV_BENCH_DIR) + "/" + file);
  NullHost host;
  int64_t lines = 0;
  for (auto _ : state) lines += RunOnce(text, host, fastPath);
  state.counters["lines/s"] = benchmark::Counter(static_cast<double>(lines), benchmark::Counter::kIsRate);
}
BENCHMARK_CAPTURE(BM_Program, boucle, "boucle.java", true)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK_CAPTURE(BM_Program, boucle_reference, "boucle.java", false)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK_CAPTURE(BM_Program, tri, "tri.java", true)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK_CAPTURE(BM_Program, tri_reference, "tri.java", false)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK_CAPTURE(BM_Program, chaines, "chaines.java", true)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK_CAPTURE(BM_Program, chaines_reference, "chaines.java", false)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "--count") == 0) {
    NullHost host;
    std::cout << RunOnce(ReadFile(argv[2]), host) << "\n";
    return 0;
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  return 0;
}
