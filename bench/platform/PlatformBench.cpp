// The building blocks under the settings file and the file lister.
#include "platform/DirectorySearch.h"
#include "platform/ProfileFile.h"
#include "platform/WildcardPattern.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

namespace {

void BM_ProfileParseAndLookup(benchmark::State& state)
{
    std::string text;
    for (int s = 0; s < 8; ++s) {
        text += "[Section" + std::to_string(s) + "]\r\n";
        for (int k = 0; k < 4; ++k)
            text += "Key" + std::to_string(k) + " = value " + std::to_string(s * 4 + k) + "\r\n";
    }
    for (auto _ : state) {
        auto f = platform::ProfileFile::FromBytes(text);
        benchmark::DoNotOptimize(f.Value("section7", "KEY3"));
    }
}
BENCHMARK(BM_ProfileParseAndLookup);

void BM_ProfileSaveAtomically(benchmark::State& state)
{
    QTemporaryDir dir;
    const std::string path = dir.filePath("Zelko.ini").toStdString();
    platform::ProfileFile f;
    for (int k = 0; k < 15; ++k)
        f.SetValue("Section", "Key" + std::to_string(k), "value");
    for (auto _ : state) {
        if (!f.Save(path))
            state.SkipWithError("save failed");
    }
}
BENCHMARK(BM_ProfileSaveAtomically)->Unit(benchmark::kMicrosecond);

void BM_ListFolderOf10000Files(benchmark::State& state)
{
    QTemporaryDir dir;
    for (int i = 0; i < 10000; ++i) {
        const std::string name = dir.filePath(QString::number(i) + ".mp3").toStdString();
        int fd = ::open(name.c_str(), O_CREAT | O_WRONLY | O_CLOEXEC, 0644);
        if (fd >= 0)
            ::close(fd);
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(platform::DirectorySearch::List(dir.path().toStdString(), "*.MP3"));
}
BENCHMARK(BM_ListFolderOf10000Files)->Unit(benchmark::kMillisecond);

void BM_WildcardMatch(benchmark::State& state)
{
    const platform::WildcardPattern pattern("*[0-9]#*.mp3");
    const std::string name = "Some Artist - 12 Some Track Name.mp3";
    for (auto _ : state)
        benchmark::DoNotOptimize(pattern.Matches(name));
}
BENCHMARK(BM_WildcardMatch);

} // namespace

BENCHMARK_MAIN();
