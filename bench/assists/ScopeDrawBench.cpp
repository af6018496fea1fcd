// ScopeZKA's work per AnalyzeRecord: clearing and redrawing its picture in
// each display. At 100 records a second, 300 µs a record is 3% of a core.
#include <benchmark/benchmark.h>

#include "assists/scope/ScopeRenderer.h"

using namespace scope;

namespace {

void DrawFrames(benchmark::State& state, ScopeTitle title, ScopeLine line)
{
    ScopeRenderer renderer(QSize(240, 180), 1);
    renderer.SetTitle(title);
    renderer.SetLine(line);
    renderer.SetBColor(true);
    renderer.PlayStartFromZelko();
    protocol::AnalyzeRecord record;
    int frame = 0;
    for (auto _ : state) {
        for (int i = 0; i < 256; ++i) {
            record.Spectrum1[i] = (i * 7 + frame * 13) % 160;
            record.Spectrum2[i] = (i * 11 + frame * 5) % 160;
        }
        renderer.AnalyzeFromZelko(record);
        benchmark::DoNotOptimize(renderer.Picture().constBits());
        ++frame;
    }
}

void BM_ScopeBandLines(benchmark::State& s) { DrawFrames(s, ScopeTitle::Band, ScopeLine::Lines); }
void BM_ScopeBandPoints(benchmark::State& s) { DrawFrames(s, ScopeTitle::Band, ScopeLine::Points); }
void BM_ScopeCircleLines(benchmark::State& s) { DrawFrames(s, ScopeTitle::Circle, ScopeLine::Lines); }
void BM_ScopeCirclePoints(benchmark::State& s) { DrawFrames(s, ScopeTitle::Circle, ScopeLine::Points); }
void BM_ScopeFanLines(benchmark::State& s) { DrawFrames(s, ScopeTitle::Fan, ScopeLine::Lines); }

BENCHMARK(BM_ScopeBandLines)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ScopeBandPoints)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ScopeCircleLines)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ScopeCirclePoints)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ScopeFanLines)->Unit(benchmark::kMicrosecond);

} // namespace
