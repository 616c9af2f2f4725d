// In-process figures: each generator against copying as many bytes as it produces.
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>

#include "generators/gadget_table.h"

namespace
{

void Generate(benchmark::State& state, const gen::GadgetSpec* gadget)
{
    const gen::FieldValues values = gen::DefaultValues(*gadget);
    for (auto _ : state) {
        gen::CodeBuffer code = gadget->generate(values);
        benchmark::DoNotOptimize(code);
    }
}

// The floor: copying the snippet's bytes into a fresh string.
void CopyBytes(benchmark::State& state, const gen::GadgetSpec* gadget)
{
    const std::string text = gadget->generate(gen::DefaultValues(*gadget)).TextForm();
    for (auto _ : state) {
        std::string copy(text);
        benchmark::DoNotOptimize(copy);
    }
}

const bool registered = [] {
    for (const gen::GadgetSpec& g : gen::GadgetTable()) {
        if (!g.generate)
            continue;
        const std::string id(g.id);
        benchmark::RegisterBenchmark(("generate/" + id).c_str(), Generate, &g);
        benchmark::RegisterBenchmark(("copy/" + id).c_str(), CopyBytes, &g);
    }
    return true;
}();

} // namespace

BENCHMARK_MAIN();
