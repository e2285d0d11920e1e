// Where the time of a run goes: the phases of one program's life, timed separately on the
// generated shapes of `make bench` at full size. Each phase reports its time per megabyte of
// program text (s_per_MB), so shapes of different sizes compare directly. The text is parsed
// from memory; printing goes to /dev/null through a file stream, as the tool's output does.
#include <benchmark/benchmark.h>

#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "bench/shapes.h"
#include "cost/cpucontext.h"
#include "statements/program.h"

namespace {

std::string generated(const std::string& shape, long count) {
  std::ostringstream text;
  writeShape(text, shape, count);
  return text.str();
}

std::unique_ptr<Program> parse(const std::string& text) {
  std::istringstream in(text);
  return std::make_unique<Program>(in);
}

void reportPerMegabyte(benchmark::State& state, const std::string& text) {
  state.counters["s_per_MB"] = benchmark::Counter(
      static_cast<double>(text.size()) / 1e6,
      benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// The pools keep their chunks, so after the first, untimed parse no page is faulted in: the
// kernel's share of a run shows as system time in the end-to-end figures instead.
void parsePhase(benchmark::State& state, const std::string& text) {
  parse(text).reset();
  for (auto _ : state) {
    auto program = parse(text);
    state.PauseTiming();
    program.reset();
    state.ResumeTiming();
  }
  reportPerMegabyte(state, text);
}

void printPhase(benchmark::State& state, const std::string& text) {
  const auto program = parse(text);
  std::ofstream devNull("/dev/null");
  for (auto _ : state) program->print(devNull);
  reportPerMegabyte(state, text);
}

void evaluatePhase(benchmark::State& state, const std::string& text) {
  const auto program = parse(text);
  for (auto _ : state) benchmark::DoNotOptimize(program->evaluate(CPUContext(2.0f, 4.0f)));
  reportPerMegabyte(state, text);
}

void deletePhase(benchmark::State& state, const std::string& text) {
  for (auto _ : state) {
    state.PauseTiming();
    auto program = parse(text);
    state.ResumeTiming();
    program.reset();
  }
  reportPerMegabyte(state, text);
}

}  // namespace

int main(int argc, char** argv) {
  struct Shape {
    const char* name;
    long count;
  };
  const Shape shapes[] = {{"list", 1000000}, {"expression", 100}, {"nesting", 2000}};
  struct Phase {
    const char* name;
    void (*run)(benchmark::State&, const std::string&);
  };
  const Phase phases[] = {{"parse", parsePhase},
                          {"print", printPhase},
                          {"evaluate", evaluatePhase},
                          {"delete", deletePhase}};
  std::string texts[3];
  for (int i = 0; i < 3; ++i) {
    texts[i] = generated(shapes[i].name, shapes[i].count);
    for (const Phase& phase : phases) {
      benchmark::RegisterBenchmark((std::string(shapes[i].name) + "/" + phase.name).c_str(),
                                   phase.run, texts[i])
          ->Unit(benchmark::kMillisecond);
    }
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
