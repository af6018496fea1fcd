// One AnalyzeRecord sent to another window and its reply, as the play loop
// sends it on every tick. Reports the median and 99th percentile of single
// round trips.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <future>
#include <string>
#include <csignal>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <thread>
#include <vector>

#include "platform/MessageWindow.h"
#include "protocol/AnalyzeRecord.h"
#include "protocol/CommandWords.h"
#include "protocol/RecordPayload.h"
#include "tests/support/TempFolder.h"

namespace {

using Clock = std::chrono::steady_clock;

platform::MessageWindow::Options Options(const std::filesystem::path& dir, platform::WindowHandle handle)
{
    platform::MessageWindow::Options o;
    o.Directory = dir;
    o.Handle = handle;
    o.UseQtNotifiers = false;
    return o;
}

// The receiving assist: copies the record as the assists do.
class Receiver {
public:
    explicit Receiver(const std::filesystem::path& dir)
    {
        std::promise<void> ready;
        auto started = ready.get_future();
        m_thread = std::thread([this, dir, &ready] {
            protocol::AnalyzeRecord record;
            auto window = platform::MessageWindow::Open(
                              [&record](const platform::WindowMessage& m) {
                                  if (m.msg == platform::WM_COPYDATA) {
                                      const auto& cds = *m.copyData;
                                      return protocol::CopyPayload(record, cds.lpData, cds.cbData) ? record.PlayMs : -1;
                                  }
                                  return 0;
                              },
                              Options(dir, 2))
                              .Window;
            ready.set_value();
            while (!m_stop)
                window->WaitAndDispatch(std::chrono::milliseconds(20));
        });
        started.get();
    }
    ~Receiver()
    {
        m_stop = true;
        m_thread.join();
    }

private:
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

void BM_AnalyzeRecordRoundTrip(benchmark::State& state)
{
    const testsupport::TempFolder endpoints("zkb", "/tmp");
    const auto& dir = endpoints.Path();
    {
        Receiver receiver(dir);
        auto sender = platform::MessageWindow::Open({}, Options(dir, 1)).Window;
        protocol::AnalyzeRecord record;
        for (int i = 0; i < 256; ++i) {
            record.Spectrum1[i] = i;
            record.Spectrum2[i] = 255 - i;
        }
        std::vector<double> micros;
        micros.reserve(1 << 16);
        for (auto _ : state) {
            ++record.PlayMs;
            const auto start = Clock::now();
            const auto outcome = sender->SendCopyData(2, protocol::CodeAnalyze, protocol::CodeAnalyze,
                                                      protocol::PayloadOf(record));
            micros.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
            if (outcome.Result() != record.PlayMs)
                state.SkipWithError("wrong reply");
        }
        std::sort(micros.begin(), micros.end());
        if (!micros.empty()) {
            state.counters["median_us"] = micros[micros.size() / 2];
            state.counters["p99_us"] = micros[std::min(micros.size() - 1, micros.size() * 99 / 100)];
        }
    }
}
BENCHMARK(BM_AnalyzeRecordRoundTrip)->Iterations(20000)->Unit(benchmark::kMicrosecond);

// The same to a receiver in another process, one send every 10 ms as the play
// loop sends them, so that each reply includes waking the receiver up.
void BM_AnalyzeRecordRoundTripToProcess(benchmark::State& state)
{
    const testsupport::TempFolder endpoints("zkb", "/tmp");
    const auto& dir = endpoints.Path();
    const pid_t child = ::fork();
    if (child == 0) {
        protocol::AnalyzeRecord record;
        auto window = platform::MessageWindow::Open(
                          [&record](const platform::WindowMessage& m) {
                              if (!m.copyData)
                                  return -1;
                              const auto& cds = *m.copyData;
                              return protocol::CopyPayload(record, cds.lpData, cds.cbData) ? record.PlayMs : -1;
                          },
                          Options(dir, 2))
                          .Window;
        for (;;)
            window->WaitAndDispatch(std::chrono::milliseconds(1000));
    }
    {
        auto sender = platform::MessageWindow::Open({}, Options(dir, 1)).Window;
        while (!sender->IsWindow(2))
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        protocol::AnalyzeRecord record;
        std::vector<double> micros;
        for (auto _ : state) {
            ++record.PlayMs;
            const auto start = Clock::now();
            const auto outcome = sender->SendCopyData(2, protocol::CodeAnalyze, protocol::CodeAnalyze,
                                                      protocol::PayloadOf(record));
            micros.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
            if (outcome.Result() != record.PlayMs)
                state.SkipWithError("wrong reply");
            state.PauseTiming();
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
            state.ResumeTiming();
        }
        std::sort(micros.begin(), micros.end());
        if (!micros.empty()) {
            state.counters["median_us"] = micros[micros.size() / 2];
            state.counters["p99_us"] = micros[std::min(micros.size() - 1, micros.size() * 99 / 100)];
        }
    }
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
}
BENCHMARK(BM_AnalyzeRecordRoundTripToProcess)->Iterations(500)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
