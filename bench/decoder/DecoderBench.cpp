// Speed of the decoder library: decoding, the per-tick polls of the play
// loop, file information, and the processor time that playing costs.
#include "BenchMedia.h"

#include "decoder/Decoder.h"
#include "decoder/Mp3Source.h"
#include "decoder/SpectrumAnalyzer.h"
#include "decoder/SpectrumRing.h"

#include <benchmark/benchmark.h>

#include <array>
#include <chrono>
#include <cmath>
#include <sys/resource.h>
#include <thread>
#include <vector>

namespace decoder::bench {
namespace {

using namespace std::chrono_literals;

// Decodes a 60 s track completely; reports how many times faster than real time.
void BM_DecodeSpeed(benchmark::State& state)
{
    const auto& media = BenchMedia::Get();
    double audioSeconds = 0.0;
    for (auto _ : state) {
        auto source = Mp3Source::Open(media.Song60s.string());
        if (!source) {
            state.SkipWithError("cannot open");
            return;
        }
        int64_t samples = 0;
        std::span<const float> pcm;
        while (source->Next(pcm) != Mp3Source::Status::End)
            samples += static_cast<int64_t>(pcm.size());
        audioSeconds += static_cast<double>(samples) / source->Format().Channels / source->Format().Rate;
        benchmark::DoNotOptimize(samples);
    }
    state.counters["x_realtime"] = benchmark::Counter(audioSeconds, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_DecodeSpeed)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// A decoder playing a long track in real time through the null output.
class Playing {
public:
    Playing()
        : m_decoder(DecoderOptions{"null", 1.0})
    {
        const auto& media = BenchMedia::Get();
        m_decoder.dec_init();
        m_decoder.dec_setLyricsNextAdjustTime(50);
        (void)m_decoder.dec_setLyricsFile(media.Lyrics.string());
        TrackOpenRecord record;
        (void)m_decoder.dec_open(media.Long.string(), record);
        m_decoder.dec_play();
        std::this_thread::sleep_for(100ms);
    }
    Decoder& Get() { return m_decoder; }

private:
    Decoder m_decoder;
};

void BM_GetPlayMs(benchmark::State& state)
{
    Playing playing;
    for (auto _ : state)
        benchmark::DoNotOptimize(playing.Get().dec_getPlayMs());
}
BENCHMARK(BM_GetPlayMs);

void BM_GetSpectrum(benchmark::State& state)
{
    Playing playing;
    std::array<int32_t, 256> left{};
    std::array<int32_t, 256> right{};
    for (auto _ : state) {
        playing.Get().dec_getSpectrum(left, right);
        benchmark::DoNotOptimize(left.data());
    }
}
BENCHMARK(BM_GetSpectrum);

// The two windowed FFTs of one spectrum call, without the reuse of a
// result for an unchanged position.
void BM_SpectrumTwoChannels(benchmark::State& state)
{
    SpectrumAnalyzer left;
    SpectrumAnalyzer right;
    std::array<float, 512> samples{};
    for (int i = 0; i < 512; ++i)
        samples[i] = static_cast<float>(0.5 * std::sin(0.3 * i));
    std::array<int32_t, 256> values{};
    for (auto _ : state) {
        left.Compute(samples, values);
        right.Compute(samples, values);
        benchmark::DoNotOptimize(values.data());
    }
}
BENCHMARK(BM_SpectrumTwoChannels);

// What the playback thread spends on spectra for 500 ms of decoded stereo
// sound, one request of the sound server: 50 hops, each two spectra.
void BM_SpectrumRingAppendHalfSecond(benchmark::State& state)
{
    constexpr int Rate = 44100;
    std::vector<float> interleaved(2 * Rate / 2);
    for (size_t i = 0; i < interleaved.size(); ++i)
        interleaved[i] = static_cast<float>(0.5 * std::sin(0.03 * static_cast<double>(i / 2)));
    SpectrumRing ring;
    ring.Reset(0, Rate);
    for (auto _ : state) {
        ring.Append(interleaved, 2);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_SpectrumRingAppendHalfSecond);

void BM_GetLyrics(benchmark::State& state)
{
    Playing playing;
    LyricsRecord record;
    for (auto _ : state) {
        playing.Get().dec_getLyrics(record);
        benchmark::DoNotOptimize(&record);
    }
}
BENCHMARK(BM_GetLyrics);

// dec_getFileInfo with a warm cache on 5-minute files of each kind.
void GetFileInfo(benchmark::State& state, const std::filesystem::path& file)
{
    Decoder decoder(DecoderOptions{"null", 1.0});
    FileTagRecord tags;
    FileInfoRecord info;
    for (auto _ : state)
        benchmark::DoNotOptimize(decoder.dec_getFileInfo(file.string(), tags, info));
    state.counters["length_s"] = info.TotalSec;
}

void BM_GetFileInfo_5minCbrNoHeader(benchmark::State& state)
{
    GetFileInfo(state, BenchMedia::Get().FiveMinCbr);
}
BENCHMARK(BM_GetFileInfo_5minCbrNoHeader)->Unit(benchmark::kMicrosecond);

void BM_GetFileInfo_5minVbrNoHeader(benchmark::State& state)
{
    GetFileInfo(state, BenchMedia::Get().FiveMinVbr);
}
BENCHMARK(BM_GetFileInfo_5minVbrNoHeader)->Unit(benchmark::kMicrosecond);

void BM_GetFileInfo_5minVbrHeader(benchmark::State& state)
{
    GetFileInfo(state, BenchMedia::Get().FiveMinXing);
}
BENCHMARK(BM_GetFileInfo_5minVbrHeader)->Unit(benchmark::kMicrosecond);

// Plays 20 s of a track through the null output and reports the processor
// time used, as a percentage of one core.
void BM_PlayCpuNullOutput(benchmark::State& state)
{
    const auto& media = BenchMedia::Get();
    for (auto _ : state) {
        Decoder decoder(DecoderOptions{"null", 1.0});
        decoder.dec_init();
        TrackOpenRecord record;
        (void)decoder.dec_open(media.Long.string(), record);
        rusage before{};
        getrusage(RUSAGE_SELF, &before);
        const auto start = std::chrono::steady_clock::now();
        decoder.dec_play();
        std::this_thread::sleep_for(20s);
        rusage after{};
        getrusage(RUSAGE_SELF, &after);
        const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
        const double cpu = seconds(after.ru_utime) - seconds(before.ru_utime) + seconds(after.ru_stime) - seconds(before.ru_stime);
        state.counters["cpu_percent"] = 100.0 * cpu / wall;
        state.counters["position_s"] = decoder.dec_getPlayMs() / 1000.0;
    }
}
BENCHMARK(BM_PlayCpuNullOutput)->Iterations(1)->Unit(benchmark::kSecond);

} // namespace
} // namespace decoder::bench

BENCHMARK_MAIN();
