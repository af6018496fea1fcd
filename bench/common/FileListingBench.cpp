// FillFNameCollection over a tree of 10,000 files (100 folders of 90 MP3
// files and 10 others), built in a temporary folder when the benchmark starts.
// Target: under 100 ms.
#include "common/ClsKtFileHandler.h"

#include <QDir>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <string>
#include <unistd.h>

using namespace common;

namespace {

class Tree {
public:
    Tree()
    {
        const std::string root = m_dir.path().toStdString();
        for (int f = 0; f < 100; ++f) {
            const std::string folder = root + "/Artist " + std::to_string(f / 10) + "/Album " + std::to_string(f);
            QDir().mkpath(QString::fromStdString(folder));
            for (int i = 0; i < 100; ++i) {
                const std::string name = folder + "/" + std::to_string(i) + (i < 90 ? " track.mp3" : " cover.jpg");
                int fd = ::open(name.c_str(), O_CREAT | O_WRONLY | O_CLOEXEC, 0644);
                if (fd >= 0)
                    ::close(fd);
            }
        }
    }
    std::string Root() const { return m_dir.path().toStdString(); }

private:
    QTemporaryDir m_dir;
};

void BM_FillFNameCollection10000Files(benchmark::State& state)
{
    static Tree tree;
    ClsKtFileHandler handler;
    for (auto _ : state) {
        handler.FillFNameCollection(tree.Root(), "*.mp3");
        if (handler.coFiles().size() != 9000)
            state.SkipWithError("wrong number of files");
    }
}
BENCHMARK(BM_FillFNameCollection10000Files)->Unit(benchmark::kMillisecond);

} // namespace
