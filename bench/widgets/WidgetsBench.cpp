// Speed of the widget painters with a shipped skin: the whole window (every
// controller's Paint) and one analyser refresh, each at scale 1 and at scale
// 2 (each skin pixel a 2 x 2 block), and one play-list redraw of 20 lines.
// Run offscreen (QT_QPA_PLATFORM=offscreen is set here when unset).
#include "decoder/DecoderRecords.h"
#include "player/playback/Mp3FileList.h"
#include "player/playback/PlayState.h"
#include "player/shell/ClsZelko.h"
#include "player/skin/SkinLoader.h"
#include "player/skin/SkinWindow.h"
#include "player/skin/SkinWindowBuilder.h"
#include "player/widgets/ClsZelkoBodyAction.h"
#include "player/widgets/ClsZelkoButtonAction.h"
#include "player/widgets/ClsZelkoLyricsAction.h"
#include "player/widgets/ClsZelkoPlayListAction.h"
#include "protocol/AnalyzeRecord.h"
#include "tests/support/GuiApplication.h"

#include <benchmark/benchmark.h>

#include <QApplication>

#include <cstdlib>
#include <cstring>
#include <iostream>
#include <map>
#include <memory>

using namespace playback;
using namespace skin;
using namespace widgets;
using namespace shell;

namespace {

// Everything the main window would hold, around one shipped skin.
struct Deck {
    explicit Deck(const std::string& skinName, int scale = 1)
        : app("", std::string(ZELKO_PROGRAM_DIR) + "/")
    {
        window.SetScale(scale);
        const std::string folder = std::string(ZELKO_PROGRAM_DIR) + "/Skins/" + skinName + "/";
        SkinLoadResult loaded = LoadSkin(folder, skinName + ".zks");
        if (!loaded.skin) {
            std::cerr << "cannot load the skin in " << folder << " (build the zelko_skins target)\n";
            std::exit(1);
        }
        skin = std::move(*loaded.skin);
        const DrawerStates drawers = BuildSkinWindow(window, skin, SkinWindowSettings{0, 0, true, true});
        app.SetLyricsShow(drawers.lyricsShow);
        app.SetPlayListShow(drawers.playListShow);

        app.SetTrackName("A rather long track title that needs an ellipsis in the title box");
        app.SetArtistName("Artist");
        app.SetSeekPosition(42);
        state.bPlay = true;
        state.bStop = false;
        state.Volume = 70;
        analyze.PlayMs = 83456;
        for (int i = 1; i <= 40; ++i)
            tracks.Add(ClsZelkoMp3File("/music/" + std::to_string(i) + ".mp3", "Artist " + std::to_string(i),
                                       "Track title number " + std::to_string(i), 180 + i));
        state.PlayPosition = 3;
        for (int f = 0; f < 8; ++f)
            std::strcpy(lyrics.Text[f], ("A line of the lyrics, field " + std::to_string(f)).c_str());

        body = std::make_unique<ClsZelkoBodyAction>(Context(), analyze, state);
        buttons = std::make_unique<ClsZelkoButtonAction>(Context(), state);
        list = std::make_unique<ClsZelkoPlayListAction>(Context(), tracks, state);
        lyricsBox = std::make_unique<ClsZelkoLyricsAction>(Context(), lyrics);
        list->MakePlayListRect();
        lyricsBox->MakeLyricsRect();
    }

    WidgetContext Context() { return WidgetContext{window, window.Surface(), app.Widgets(), app.Log(), skin}; }

    void PaintAll()
    {
        body->Paint();
        buttons->Paint();
        list->Paint();
        lyricsBox->Paint();
    }

    // A spectrum that changes every call, so bars and peaks move.
    void NextSpectrum()
    {
        ++tick;
        for (std::size_t i = 0; i < 256; ++i) {
            analyze.Spectrum1[i] = static_cast<int32_t>((i * 7 + tick * 13) % 170);
            analyze.Spectrum2[i] = static_cast<int32_t>((i * 11 + tick * 5) % 150);
        }
    }

    QApplication& qapp = testsupport::GuiApplication(); // before the window
    ClsZelko app;
    Skin skin;
    SkinWindow window;
    PlayState state;
    protocol::AnalyzeRecord analyze;
    Mp3FileList tracks;
    decoder::LyricsRecord lyrics;
    std::unique_ptr<ClsZelkoBodyAction> body;
    std::unique_ptr<ClsZelkoButtonAction> buttons;
    std::unique_ptr<ClsZelkoPlayListAction> list;
    std::unique_ptr<ClsZelkoLyricsAction> lyricsBox;
    int tick = 0;
};

Deck& Shipped(const std::string& name, int scale = 1)
{
    static std::map<std::pair<std::string, int>, std::unique_ptr<Deck>> decks;
    auto& deck = decks[{name, scale}];
    if (!deck)
        deck = std::make_unique<Deck>(name, scale);
    return *deck;
}

void BM_WholeWindowPaint(benchmark::State& state, const char* skinName)
{
    Deck& deck = Shipped(skinName, static_cast<int>(state.range(0)));
    for (auto _ : state) {
        deck.NextSpectrum();
        deck.PaintAll();
        benchmark::DoNotOptimize(deck.window.Surface().Image().constBits());
    }
}
BENCHMARK_CAPTURE(BM_WholeWindowPaint, Carbon, "Carbon")->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_WholeWindowPaint, Meadow, "Meadow")->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

void BM_AnalyserRefresh(benchmark::State& state)
{
    Deck& deck = Shipped("Carbon", static_cast<int>(state.range(0)));
    for (auto _ : state) {
        deck.NextSpectrum();
        deck.body->RefreshSpectrumData();
        benchmark::DoNotOptimize(deck.window.Surface().Image().constBits());
    }
}
BENCHMARK(BM_AnalyserRefresh)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

// The shipped boxes hold 9 lines; this deck's box is made 20 lines high
// (280 pixels) on the same skin.
Deck& TallListDeck()
{
    static Deck deck("Carbon");
    static const bool tall = [] {
        ClsZelkoRgn* box = deck.skin.coRgns.Find("playlistbox-itemrect");
        const platform::Rect old = box->RgnOrEmpty().BoundingBox();
        box->SetRgn(platform::Region(platform::Rect::FromSize(old.left, old.top, old.Width(), 20 * 14)));
        deck.window.Surface().Resize(std::max(deck.window.Surface().Width(), old.right),
                                     std::max(deck.window.Surface().Height(), old.top + 20 * 14));
        deck.list->MakePlayListRect();
        return deck.list->rcPlayList().Height() == 20 * 14;
    }();
    if (!tall) {
        std::cerr << "the play-list box could not be made 20 lines high\n";
        std::exit(1);
    }
    return deck;
}

// Redrawing lines already shown (scrolling back, repaints, the play loop's
// redraw at the end of a track).
void BM_PlayListRedraw20Lines(benchmark::State& state)
{
    Deck& deck = TallListDeck();
    for (auto _ : state) {
        deck.list->RefreshPlayList();
        benchmark::DoNotOptimize(deck.window.Surface().Image().constBits());
    }
}
BENCHMARK(BM_PlayListRedraw20Lines)->Unit(benchmark::kMicrosecond);

// Every line new: the titles change before each redraw, so every line is
// laid out and rendered afresh. With `newLengths` the lengths change too, so
// no time column rendered before can be reused either.
void PlayListRedrawNewLines(benchmark::State& state, bool newLengths)
{
    Deck& deck = TallListDeck();
    int round = 0;
    for (auto _ : state) {
        state.PauseTiming();
        ++round;
        Mp3FileList fresh;
        for (int i = 1; i <= 40; ++i) {
            const int32_t seconds = newLengths ? 180 + (round * 40 + i) % 6000 : 180 + i;
            fresh.Add(ClsZelkoMp3File("/music/" + std::to_string(i) + ".mp3", "Artist " + std::to_string(i),
                                      "Title " + std::to_string(i) + " take " + std::to_string(round), seconds));
        }
        deck.tracks = std::move(fresh);
        state.ResumeTiming();
        deck.list->RefreshPlayList();
        benchmark::DoNotOptimize(deck.window.Surface().Image().constBits());
    }
}

void BM_PlayListRedraw20NewLines(benchmark::State& state)
{
    PlayListRedrawNewLines(state, false);
}
BENCHMARK(BM_PlayListRedraw20NewLines)->Unit(benchmark::kMicrosecond);

void BM_PlayListRedraw20NewLinesNewLengths(benchmark::State& state)
{
    PlayListRedrawNewLines(state, true);
}
BENCHMARK(BM_PlayListRedraw20NewLinesNewLengths)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
