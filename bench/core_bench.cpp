// In-process figures: each generator against copying as many bytes as it produces.
#include <benchmark/benchmark.h>

#include <cstring>
#include <exception>
#include <fstream>
#include <iterator>
#include <string>

#include "branding/appended_data.h"
#include "branding/section_format.h"
#include "generators/gadget_table.h"
#include "platform/exe_image.h"

namespace
{

void Generate(benchmark::State& state, const gen::GadgetEntry* gadget)
{
    const gen::FieldValues values = gen::DefaultValues(*gadget);
    for (auto _ : state) {
        gen::CodeBuffer code = gadget->generate(values);
        benchmark::DoNotOptimize(code);
    }
}

// Every field that takes any text holds one that needs escaping wherever it lands; fields
// that refuse it (numbers, true/false) keep their defaults.
gen::FieldValues EscapedValues(const gen::GadgetEntry& gadget)
{
    gen::FieldValues values = gen::DefaultValues(gadget);
    for (std::size_t i = 0; i < values.size(); ++i) {
        const std::string before = values[i];
        values[i] = "Joe's \"site\" & C:\\new\\</script>\n";
        try {
            gadget.generate(values);
        } catch (const std::exception&) {
            values[i] = before;
        }
    }
    return values;
}

void GenerateEscaped(benchmark::State& state, const gen::GadgetEntry* gadget)
{
    const gen::FieldValues values = EscapedValues(*gadget);
    for (auto _ : state) {
        gen::CodeBuffer code = gadget->generate(values);
        benchmark::DoNotOptimize(code);
    }
}

// The floor: copying the snippet's bytes into a fresh string.
void CopyBytes(benchmark::State& state, const gen::GadgetEntry* gadget)
{
    const std::string text = gadget->generate(gen::DefaultValues(*gadget)).TextForm();
    for (auto _ : state) {
        std::string copy(text);
        benchmark::DoNotOptimize(copy);
    }
}

// An executable-like image of `size` bytes (this program's own file, repeated) with a 9 KB
// "JPG2" section at its very end, the worst place for a search from the first byte.
std::string ImageWithSectionAtEnd(std::size_t size)
{
    std::ifstream in("/proc/self/exe", std::ios::binary);
    const std::string self((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::string section = branding::SectionStartMarker("JPG2") + std::string(9099, 'x') +
                                branding::SectionEndMarker("JPG2");
    std::string image;
    image.reserve(size);
    while (image.size() + section.size() < size)
        image.append(self, 0, std::min(self.size(), size - section.size() - image.size()));
    return image + section;
}

void Extract(benchmark::State& state, std::size_t size)
{
    const platform::ScopedExeImage image(ImageWithSectionAtEnd(size));
    for (auto _ : state) {
        std::string bytes = branding::ExtractSection("JPG2");
        benchmark::DoNotOptimize(bytes);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * size));
}

// The floor: one glibc memmem pass over the same bytes for the end marker.
void MemMem(benchmark::State& state, std::size_t size)
{
    const std::string image = ImageWithSectionAtEnd(size);
    const std::string marker = branding::SectionEndMarker("JPG2");
    for (auto _ : state) {
        const void* at = memmem(image.data(), image.size(), marker.data(), marker.size());
        benchmark::DoNotOptimize(at);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * size));
}

const bool registered = [] {
    for (const auto& [label, size] :
         {std::pair{"600KB", std::size_t{600} << 10}, std::pair{"16MB", std::size_t{16} << 20}}) {
        benchmark::RegisterBenchmark((std::string("extract/") + label).c_str(), Extract, size);
        benchmark::RegisterBenchmark((std::string("memmem/") + label).c_str(), MemMem, size);
    }
    for (const gen::GadgetEntry& g : gen::GadgetTable()) {
        if (!g.generate)
            continue;
        const std::string id(g.id);
        benchmark::RegisterBenchmark(("generate/" + id).c_str(), Generate, &g);
        benchmark::RegisterBenchmark(("copy/" + id).c_str(), CopyBytes, &g);
        benchmark::RegisterBenchmark(("escaped/" + id).c_str(), GenerateEscaped, &g);
    }
    return true;
}();

} // namespace

BENCHMARK_MAIN();
