// Start-up reads the 15 settings keys and the Assist section; shut-down writes
// them all back. Target: both together well under 10 ms.
#include "common/ClsKtini.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <fstream>

using namespace common;

namespace {

struct Key {
    const char* section;
    const char* key;
};

constexpr Key kKeys[] = {
    {"Skin", "Path"},
    {"Skin", "File"},
    {"Skin", "WithMusic"},
    {"PlayInfo", "Repeat"},
    {"PlayInfo", "Shuffle"},
    {"PlayInfo", "Volume"},
    {"PlayListWindow", "Position"},
    {"PlayListWindow", "ShowFromChangedSkin"},
    {"LyricsWindow", "ShowFromChangedSkin"},
    {"OpenOption", "ChildSearch"},
    {"Window", "Left"},
    {"Window", "Top"},
    {"LyricsFile", "Ext"},
    {"LyricsFile", "Folder"},
};

const char* kSettings =
    "[Skin]\nPath=$(apppath)/Skins/Blue/\nFile=Blue.zks\nWithMusic=0\n\n"
    "[Assist]\nExecuteFile=RemoteZKA\nExecuteFile=ScopeZKA\n\n"
    "[PlayInfo]\nRepeat=-1\nShuffle=0\nVolume=70\n\n"
    "[PlayListWindow]\nPosition=12\nShowFromChangedSkin=0\n\n"
    "[LyricsWindow]\nShowFromChangedSkin=-1\n\n"
    "[OpenOption]\nChildSearch=-1\n\n"
    "[Window]\nLeft=120\nTop=80\n\n"
    "[LyricsFile]\nExt=txt\nFolder=/home/user/Lyrics/\n";

// Returns a checksum so the reads cannot be optimised away.
std::size_t ReadAll(ClsKtini& ini, const std::string& path)
{
    std::size_t sum = 0;
    for (const auto& k : kKeys)
        sum += ini.vbGetPrivateProfileString(k.section, k.key, path).size();
    for (std::string line = ini.vbFirstPrivateProfileSection("Assist", path); !line.empty();
         line = ini.vbNextPrivateProfileSection())
        sum += line.size();
    return sum;
}

bool WriteAll(ClsKtini& ini, const std::string& path)
{
    bool ok = true;
    for (const auto& k : kKeys)
        ok = ini.vbWritePrivateProfileString(k.section, k.key, "value", path) && ok;
    ok = ini.vbWritePrivateProfileSection("Assist", std::string("ExecuteFile=RemoteZKA\0ExecuteFile=ScopeZKA\0", 44),
                                          path) &&
        ok;
    return ok;
}

// The way start-up and shut-down do it: one batch each, so the file is read
// once and written once.
void BM_SettingsStartupAndShutdown(benchmark::State& state)
{
    QTemporaryDir dir;
    const std::string path = dir.filePath("Zelko.ini").toStdString();
    std::ofstream(path) << kSettings;
    ClsKtini ini;
    for (auto _ : state) {
        ini.BeginBatch(path);
        benchmark::DoNotOptimize(ReadAll(ini, path));
        (void)ini.CommitBatch();
        ini.BeginBatch(path);
        if (!WriteAll(ini, path) || !ini.CommitBatch())
            state.SkipWithError("write failed");
    }
}
BENCHMARK(BM_SettingsStartupAndShutdown)->Unit(benchmark::kMillisecond);

// Without batches: every key read opens the file, every write replaces it
// atomically (15 flushes to disk).
void BM_SettingsKeyByKey(benchmark::State& state)
{
    QTemporaryDir dir;
    const std::string path = dir.filePath("Zelko.ini").toStdString();
    std::ofstream(path) << kSettings;
    ClsKtini ini;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ReadAll(ini, path));
        if (!WriteAll(ini, path))
            state.SkipWithError("write failed");
    }
}
BENCHMARK(BM_SettingsKeyByKey)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
