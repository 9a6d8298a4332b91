#include "transcription.h"

#include "render/memorysurface.h"
#include "render/renderer.h"

#include <benchmark/benchmark.h>

namespace {

render::TimeOfDay fixedTime()
{
    return {12, 34, 56, 789};
}

// One whole picture per iteration into an in-memory window.
void BM_Draw(benchmark::State& state)
{
    render::MemorySurface window(800, 600, 0);
    for (auto _ : state) {
        render::draw(window, fixedTime);
        benchmark::DoNotOptimize(window.pixels().data());
    }
}
BENCHMARK(BM_Draw)->Unit(benchmark::kMillisecond);

// The plain step-by-step algorithm, into the same kind of window.
void BM_DrawTranscription(benchmark::State& state)
{
    render::MemorySurface window(800, 600, 0);
    for (auto _ : state) {
        transcription::draw(window, fixedTime);
        benchmark::DoNotOptimize(window.pixels().data());
    }
}
BENCHMARK(BM_DrawTranscription)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
