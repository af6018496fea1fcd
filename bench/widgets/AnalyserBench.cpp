// Speed of one analyser refresh with the shipped skin Carbon, by how much of
// the spectrum changed since the last refresh: nothing (silence or a steady
// tone), one band, or every band (the whole-analyser figure is
// BM_AnalyserRefresh in WidgetsBench.cpp).
#include "player/playback/PlayState.h"
#include "player/shell/ClsZelko.h"
#include "player/skin/SkinLoader.h"
#include "player/skin/SkinWindow.h"
#include "player/skin/SkinWindowBuilder.h"
#include "player/widgets/ClsZelkoBodyAction.h"
#include "protocol/AnalyzeRecord.h"
#include "tests/support/GuiApplication.h"

#include <benchmark/benchmark.h>

#include <QApplication>

#include <cstdlib>
#include <iostream>
#include <memory>

using namespace playback;
using namespace skin;
using namespace widgets;
using namespace shell;

namespace {

struct AnalyserDeck {
    AnalyserDeck()
        : app("", std::string(ZELKO_PROGRAM_DIR) + "/")
    {
        testsupport::GuiApplication();
        const std::string folder = std::string(ZELKO_PROGRAM_DIR) + "/Skins/Carbon/";
        SkinLoadResult loaded = LoadSkin(folder, "Carbon.zks");
        if (!loaded.skin) {
            std::cerr << "cannot load the skin in " << folder << " (build the zelko_skins target)\n";
            std::exit(1);
        }
        skin = std::move(*loaded.skin);
        window = std::make_unique<SkinWindow>();
        (void)BuildSkinWindow(*window, skin, SkinWindowSettings{0, 0, true, true});
        body = std::make_unique<ClsZelkoBodyAction>(WidgetContext{*window, window->Surface(), app.Widgets(), app.Log(), skin}, analyze,
                                                    state);
        for (std::size_t i = 0; i < 256; ++i)
            analyze.Spectrum1[i] = analyze.Spectrum2[i] = static_cast<int32_t>(60 + (i * 7) % 90);
        body->Paint();
        // Let every peak marker come to rest on its band.
        for (int i = 0; i < 30; ++i)
            body->RefreshSpectrumData();
    }

    ClsZelko app;
    Skin skin;
    std::unique_ptr<SkinWindow> window;
    PlayState state;
    protocol::AnalyzeRecord analyze;
    std::unique_ptr<ClsZelkoBodyAction> body;
};

AnalyserDeck& Deck()
{
    static AnalyserDeck deck;
    return deck;
}

void BM_AnalyserRefreshSteady(benchmark::State& state)
{
    AnalyserDeck& deck = Deck();
    for (auto _ : state) {
        deck.body->RefreshSpectrumData();
        benchmark::DoNotOptimize(deck.window->Surface().Image().constBits());
    }
}
BENCHMARK(BM_AnalyserRefreshSteady)->Unit(benchmark::kMicrosecond);

// One band moves between two levels at every refresh (its peak follows).
void BM_AnalyserRefreshOneBand(benchmark::State& state)
{
    AnalyserDeck& deck = Deck();
    int round = 0;
    for (auto _ : state) {
        ++round;
        deck.analyze.Spectrum1[9] = deck.analyze.Spectrum2[9] = round % 2 == 0 ? 140 : 145;
        deck.body->RefreshSpectrumData();
        benchmark::DoNotOptimize(deck.window->Surface().Image().constBits());
    }
}
BENCHMARK(BM_AnalyserRefreshOneBand)->Unit(benchmark::kMicrosecond);

} // namespace
