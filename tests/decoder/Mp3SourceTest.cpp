// How Mp3Source reads its file: in large pieces, so that the playback
// thread, which decodes half a second of sound at each wake, makes one read
// every few wakes rather than several at each.
#include "TestMedia.h"

#include "decoder/Mp3Source.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

namespace decoder::test {
namespace {

// The read system calls this thread has made, from the kernel's count.
int64_t ReadCallsOfThisThread()
{
    std::ifstream io("/proc/thread-self/io");
    std::string key;
    int64_t value = 0;
    while (io >> key >> value) {
        if (key == "syscr:")
            return value;
    }
    ADD_FAILURE() << "no syscr in /proc/thread-self/io";
    return 0;
}

TEST(Mp3SourceTest, ReadsTheFileSixtyFourKibibytesAtATime)
{
    TempDir dir;
    const auto mp3 = MakeMp3(dir, "tone", Tone{440, 8.0, 44100, 2, 0.5}, "-b 192");
    const auto bytes = static_cast<int64_t>(std::filesystem::file_size(mp3));
    ASSERT_GT(bytes, 180'000);

    const int64_t before = ReadCallsOfThisThread();
    auto source = Mp3Source::Open(mp3.string());
    ASSERT_TRUE(source);
    std::span<const float> samples;
    int64_t frames = 0;
    while (source->Next(samples) != Mp3Source::Status::End)
        frames += static_cast<int64_t>(samples.size()) / 2;
    const int64_t reads = ReadCallsOfThisThread() - before;

    EXPECT_GE(frames, 8 * 44100);
    // A block-sized buffer would take about 45 reads; the probe of the
    // file's start and end adds a few to the three buffers' worth.
    EXPECT_LE(reads, bytes / (64 * 1024) + 6) << bytes << " bytes";
}

} // namespace
} // namespace decoder::test
