// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#include "transcription.h"

#include "app/window/tform1.h"
#include "render/memorysurface.h"
#include "render/renderer.h"

#include <QApplication>
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

// The program's own drawing: into the real window, hidden, as at start-up.
// FormCreate gives the picture control its 800 x 600 and creates the picture,
// which keeps that size for every later drawing.
void BM_DrawWindow(benchmark::State& state)
{
    TForm1 form;
    form.FormCreate(&form);
    for (auto _ : state) {
        form.draw();
        benchmark::DoNotOptimize(form.Image1->picture().constBits());
    }
}
BENCHMARK(BM_DrawWindow)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
