// Speed of applying a shipped skin (parse, separate, load pictures, shape,
// paint the background) and of a drawer pull, offscreen. Targets: a skin
// under 30 ms, a pull under 5 ms.
#include "player/skin/SkinLoader.h"
#include "player/skin/SkinWindow.h"
#include "player/skin/SkinWindowBuilder.h"
#include "tests/support/GuiApplication.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <string>

using namespace skin;

namespace {

void EnsureApplication()
{
    if (QApplication::instance()) return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    testsupport::GuiApplication();
}

std::string Folder(const char* name)
{
    return std::string(ZELKO_PROGRAM_DIR) + "/Skins/" + name + "/";
}

void ApplySkin(benchmark::State& state, const char* name)
{
    EnsureApplication();
    SkinWindow window;
    const std::string folder = Folder(name);
    const std::string file = std::string(name) + ".zks";
    for (auto _ : state) {
        SkinLoadResult loaded = LoadSkin(folder, file);
        if (!loaded.skin) {
            state.SkipWithError("the skin did not load");
            return;
        }
        const DrawerStates states = BuildSkinWindow(window, *loaded.skin, SkinWindowSettings{0, 0, true, true});
        benchmark::DoNotOptimize(states);
    }
}

void PullDrawers(benchmark::State& state, const char* name)
{
    EnsureApplication();
    SkinWindow window;
    SkinLoadResult loaded = LoadSkin(Folder(name), std::string(name) + ".zks");
    if (!loaded.skin) {
        state.SkipWithError("the skin did not load");
        return;
    }
    DrawerStates states = BuildSkinWindow(window, *loaded.skin, SkinWindowSettings{});
    const Drawer drawer = state.range(0) == 0 ? Drawer::Lyrics : Drawer::PlayList;
    for (auto _ : state) {
        states = PullDrawer(window, *loaded.skin, states, drawer);
        benchmark::DoNotOptimize(states);
    }
}

} // namespace

BENCHMARK_CAPTURE(ApplySkin, Carbon, "Carbon")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ApplySkin, Meadow, "Meadow")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PullDrawers, Carbon, "Carbon")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(PullDrawers, Meadow, "Meadow")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
