// The play loop's per-tick cost offscreen, with the shipped default skin and
// the real decoder on the null output (assists not counted: none run).
//
//   BM_PlayTimerTick      one whole tick while a track plays: position and
//                         spectrum from the decoder, analyser redrawn, the
//                         time digits and seek bar compared (rarely redrawn).
//   BM_TickWithOneDigit   the same tick plus the redraw of one time digit,
//                         the most a tick draws in normal play.
//   BM_AddThousandTracks  adding 1,000 files (warm cache) to an empty list.
//   BM_FormLoad           start-up (Form_Load, empty list) and shut-down of
//                         the main window offscreen.
#include "player/frmZelko.h"
#include "player/skin/SkinWindow.h"

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
    BenchFolder() {
        m_dir = fs::temp_directory_path() / ("zelko-bench-" + std::to_string(::getpid()));
        fs::remove_all(m_dir);
        fs::create_directories(m_dir / "Skins");
        fs::copy(fs::path(ZELKO_PROGRAM_DIR) / "Skins", m_dir / "Skins", fs::copy_options::recursive);
        const fs::path wav = m_dir / "tone.wav";
        WriteTone(wav, 5.0);
        const std::string command =
            "lame --quiet -m m -b 32 --tt Bench --ta Zelko '" + wav.string() + "' '" + Tone() + "'";
        if (std::system(command.c_str()) != 0) std::abort();
    }
    ~BenchFolder() { fs::remove_all(m_dir); }
    std::string Folder() const { return m_dir.string() + "/"; }
    std::string Tone() const { return (m_dir / "tone.mp3").string(); }

private:
    static void WriteTone(const fs::path& path, double seconds) {
        const int rate = 22050;
        const auto frames = static_cast<std::uint32_t>(seconds * rate);
        std::ofstream out(path, std::ios::binary);
        auto u32 = [&out](std::uint32_t v) { out.write(reinterpret_cast<const char*>(&v), 4); };
        auto u16 = [&out](std::uint16_t v) { out.write(reinterpret_cast<const char*>(&v), 2); };
        out.write("RIFF", 4);
        u32(36 + frames * 2);
        out.write("WAVEfmt ", 8);
        u32(16);
        u16(1);
        u16(1);
        u32(rate);
        u32(rate * 2);
        u16(2);
        u16(16);
        out.write("data", 4);
        u32(frames * 2);
        for (std::uint32_t i = 0; i < frames; ++i)
            u16(static_cast<std::uint16_t>(static_cast<std::int16_t>(
                9000.0 * std::sin(2.0 * M_PI * (220.0 + i % 2000) * i / rate))));
    }
    fs::path m_dir;
};

BenchFolder& Folder() {
    static BenchFolder folder;
    return folder;
}

std::unique_ptr<frmZelko> PlayingPlayer() {
    frmZelko::Options options;
    options.programFolder = Folder().Folder();
    options.decoder.Audio = "null";
    // The track must not end while the benchmark runs.
    options.decoder.ClockSpeed = 0.02;
    options.dialogs.showSkinError = [](const std::string&) {};
    auto player = std::make_unique<frmZelko>(options);
    if (!player->Form_Load()) std::abort();
    player->AddMp3Files({Folder().Tone()});
    player->cButtonAction_PlayClick();
    QCoreApplication::processEvents();
    return player;
}

void BM_PlayTimerTick(benchmark::State& state) {
    auto player = PlayingPlayer();
    for (auto _ : state) player->Loop().PlayTimer_Timer();
    state.counters["spectrum_redraws"] = player->Loop().Redraws().spectrum;
    player->Form_Unload();
}
BENCHMARK(BM_PlayTimerTick)->Unit(benchmark::kMicrosecond);

void BM_TickWithOneDigit(benchmark::State& state) {
    auto player = PlayingPlayer();
    for (auto _ : state) {
        player->Loop().PlayTimer_Timer();
        player->Loop().RedrawTimeDigit(4);
    }
    player->Form_Unload();
}
BENCHMARK(BM_TickWithOneDigit)->Unit(benchmark::kMicrosecond);

void BM_AddThousandTracks(benchmark::State& state) {
    auto player = PlayingPlayer();
    const std::vector<std::string> paths(1000, Folder().Tone());
    for (auto _ : state) {
        player->mnuP2ItemClear_Click();
        player->AddMp3Files(paths);
    }
    player->Form_Unload();
}
BENCHMARK(BM_AddThousandTracks)->Unit(benchmark::kMillisecond);

void BM_FormLoad(benchmark::State& state) {
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
int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    QApplication app(argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
