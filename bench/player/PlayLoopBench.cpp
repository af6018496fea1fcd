// The play loop's per-tick cost offscreen, with the shipped default skin and
// the real decoder on the null output (assists not counted: none run).
//
//   BM_PlayTimerTick      one whole tick while a track plays: position and
//                         spectrum from the decoder, analyser redrawn, the
//                         time digits and seek bar compared (rarely redrawn).
//   BM_TickWithOneDigit   the same tick plus the redraw of one time digit,
//                         the most a tick draws in normal play.
//   .../1, .../2          the window at scale 1 and at scale 2 (each skin
//                         pixel a 2 x 2 block), for the ratio of the two.
//   BM_AddThousandTracks  adding 1,000 files (warm cache) to an empty list.
//   BM_FormLoad           start-up (Form_Load, empty list) and shut-down of
//                         the main window offscreen.
#include "player/frmZelko.h"
#include "player/skin/SkinWindow.h"
#include "tests/support/PlayerWidgetLookup.h"
#include "tests/support/TempFolder.h"
#include "tests/support/ToneMp3.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// A folder with the shipped skins and a tone file made with lame.
class BenchFolder {
public:
    BenchFolder()
        : m_dir("zelko-bench")
    {
        fs::create_directories(m_dir.Path("Skins"));
        fs::copy(fs::path(ZELKO_PROGRAM_DIR) / "Skins", m_dir.Path("Skins"), fs::copy_options::recursive);
        const testsupport::Tone tone{440.0, 5.0, 22050, 1, 9000.0 / 32767.0};
        m_tone = testsupport::MakeToneMp3(m_dir.Path(), "tone", tone, "-m m -b 32 --tt Bench --ta Zelko").string();
    }
    std::string Folder() const { return m_dir.Path().string() + "/"; }
    const std::string& Tone() const { return m_tone; }

private:
    testsupport::TempFolder m_dir;
    std::string m_tone;
};

BenchFolder& Folder()
{
    static BenchFolder folder;
    return folder;
}

std::unique_ptr<frmZelko> PlayingPlayer(int scale = 1)
{
    frmZelko::Options options;
    options.programFolder = Folder().Folder();
    options.decoder.Audio = "null";
    // The track must not end while the benchmark runs.
    options.decoder.ClockSpeed = 0.02;
    options.dialogs.showSkinError = [](const std::string&) {};
    auto player = std::make_unique<frmZelko>(options);
    if (!player->Form_Load()) std::abort();
    // Set each time: the settings written at the end keep the last scale.
    if ((scale == 2) != testsupport::MenuItem("mnuPopup1", "mnuP1DoubleSize").isChecked())
        testsupport::MenuItem("mnuPopup1", "mnuP1DoubleSize").trigger();
    player->AddMp3Files({Folder().Tone()});
    player->cButtonAction_PlayClick();
    QCoreApplication::processEvents();
    return player;
}

void BM_PlayTimerTick(benchmark::State& state)
{
    auto player = PlayingPlayer(static_cast<int>(state.range(0)));
    for (auto _ : state)
        player->Loop().PlayTimer_Timer();
    state.counters["spectrum_redraws"] = player->Loop().Redraws().spectrum;
    player->Form_Unload();
}
BENCHMARK(BM_PlayTimerTick)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

void BM_TickWithOneDigit(benchmark::State& state)
{
    auto player = PlayingPlayer(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        player->Loop().PlayTimer_Timer();
        player->Loop().RedrawTimeDigit(4);
    }
    player->Form_Unload();
}
BENCHMARK(BM_TickWithOneDigit)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

void BM_AddThousandTracks(benchmark::State& state)
{
    auto player = PlayingPlayer();
    const std::vector<std::string> paths(1000, Folder().Tone());
    for (auto _ : state) {
        player->mnuP2ItemClear_Click();
        player->AddMp3Files(paths);
    }
    player->Form_Unload();
}
BENCHMARK(BM_AddThousandTracks)->Unit(benchmark::kMillisecond);

void BM_FormLoad(benchmark::State& state)
{
    for (auto _ : state) {
        frmZelko::Options options;
        options.programFolder = Folder().Folder();
        options.decoder.Audio = "null";
        options.dialogs.showSkinError = [](const std::string&) {};
        frmZelko player(options);
        if (!player.Form_Load()) std::abort();
        player.Form_Unload();
    }
}
BENCHMARK(BM_FormLoad)->Unit(benchmark::kMillisecond);

} // namespace

// The application lives on main's stack, so that it ends before the
// program's static objects do.
int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    QApplication app(argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
