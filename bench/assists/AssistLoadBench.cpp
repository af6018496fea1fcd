// Both assists linked to a stand-in player whose play loop sends an
// AnalyzeRecord to each every 10 ms, as while a track plays. Prints each
// assist's share of one core and how well the loop keeps its rhythm (the time
// the sends of one tick take, and the spacing of the ticks).
//
// Run: bench_assists --benchmark_filter=AssistLoad  (ZELKO_LOAD_SECONDS sets
// the length, 5 s by default; without a display the assists run offscreen).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include "platform/MessageWindow.h"
#include "platform/ProgramLauncher.h"
#include "protocol/AnalyzeRecord.h"
#include "protocol/CommandWords.h"
#include "protocol/PlayStateRecord.h"
#include "protocol/RecordPayload.h"

namespace {

using Clock = std::chrono::steady_clock;

// User plus system time of a process in seconds, from /proc.
double CpuSeconds(pid_t pid)
{
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    std::getline(stat, line);
    const auto close = line.rfind(')');
    if (close == std::string::npos)
        return 0;
    std::istringstream fields(line.substr(close + 2));
    std::string field;
    long long utime = 0, stime = 0;
    for (int i = 3; fields >> field; ++i) {
        if (i == 14)
            utime = std::stoll(field);
        if (i == 15) {
            stime = std::stoll(field);
            break;
        }
    }
    return static_cast<double>(utime + stime) / static_cast<double>(::sysconf(_SC_CLK_TCK));
}

void BM_AssistLoad(benchmark::State& state)
{
    const char* secondsText = std::getenv("ZELKO_LOAD_SECONDS");
    const double seconds = secondsText ? std::atof(secondsText) : 5.0;
    if (std::getenv("DISPLAY") == nullptr && std::getenv("QT_QPA_PLATFORM") == nullptr)
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);

    std::string pattern = "/tmp/zkl-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) {
        state.SkipWithError("no temporary folder");
        return;
    }
    ::chmod(pattern.c_str(), 0700);
    ::setenv("XDG_RUNTIME_DIR", pattern.c_str(), 1);

    std::vector<platform::WindowHandle> assists(2, 0);
    auto opened = platform::MessageWindow::Open(
        [&assists](platform::WindowHandle, std::uint32_t msg, std::uint32_t wParam, std::intptr_t lParam) {
            if (msg == platform::WM_USER && protocol::CommandOf(wParam) == protocol::CmdAnnounce) {
                const auto position = protocol::ArgumentOf(wParam);
                if (position >= 1 && position <= 2)
                    assists[position - 1] = static_cast<platform::WindowHandle>(lParam);
            }
            return 0;
        });
    if (!opened.Window) {
        state.SkipWithError(opened.Error.c_str());
        return;
    }
    platform::MessageWindow& player = *opened.Window;
    const std::string folder = std::string(ZELKO_PROGRAM_DIR) + "/Assist/";
    const std::string handle = std::to_string(player.Handle());
    for (int i = 0; i < 2; ++i) {
        const auto launched = platform::ProgramLauncher::StartDetached(folder + (i == 0 ? "RemoteZKA" : "ScopeZKA"),
                                                                        { handle, std::to_string(i + 1) });
        if (!launched) {
            state.SkipWithError("cannot start the assists");
            return;
        }
    }
    const auto linkDeadline = Clock::now() + std::chrono::seconds(10);
    while ((assists[0] == 0 || assists[1] == 0) && Clock::now() < linkDeadline)
        player.WaitAndDispatch(std::chrono::milliseconds(50));
    if (assists[0] == 0 || assists[1] == 0) {
        state.SkipWithError("the assists did not announce themselves");
        return;
    }

    protocol::PlayStateRecord playState;
    playState.bPlay = protocol::VbTrue;
    playState.bStop = protocol::VbFalse;
    playState.DecoderState = 1;
    for (auto hwnd : assists)
        player.SendCopyData(hwnd, protocol::CodePlayState, protocol::NotifyPlay, protocol::PayloadOf(playState));
    // Let them settle after start-up before measuring.
    const auto settle = Clock::now() + std::chrono::milliseconds(500);
    while (Clock::now() < settle)
        player.WaitAndDispatch(std::chrono::milliseconds(20));

    protocol::AnalyzeRecord record;
    record.TotalMs = 180000;
    std::vector<double> sendMicros;
    std::vector<double> spacingMillis;
    double cpuRemote = 0, cpuScope = 0;
    for (auto _ : state) {
        const double remoteStart = CpuSeconds(assists[0]);
        const double scopeStart = CpuSeconds(assists[1]);
        const auto start = Clock::now();
        auto nextTick = start;
        auto lastTick = start;
        int tick = 0;
        while (Clock::now() - start < std::chrono::duration<double>(seconds)) {
            const auto now = Clock::now();
            if (tick > 0)
                spacingMillis.push_back(std::chrono::duration<double, std::milli>(now - lastTick).count());
            lastTick = now;
            record.PlayMs = tick * 10;
            for (int i = 0; i < 256; ++i) {
                record.Spectrum1[i] = static_cast<std::int32_t>(80 + 70 * std::sin((i + tick) * 0.07));
                record.Spectrum2[i] = static_cast<std::int32_t>(80 + 70 * std::cos((i - tick) * 0.05));
            }
            for (auto hwnd : assists)
                player.SendCopyData(hwnd, protocol::CodeAnalyze, protocol::CodeAnalyze, protocol::PayloadOf(record));
            sendMicros.push_back(std::chrono::duration<double, std::micro>(Clock::now() - now).count());
            ++tick;
            nextTick += std::chrono::milliseconds(10);
            // Between ticks the loop answers the assists' requests.
            while (Clock::now() < nextTick) {
                const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(nextTick - Clock::now());
                player.WaitAndDispatch(std::max(left, std::chrono::milliseconds(0)));
            }
        }
        const double elapsed = std::chrono::duration<double>(Clock::now() - start).count();
        cpuRemote = 100.0 * (CpuSeconds(assists[0]) - remoteStart) / elapsed;
        cpuScope = 100.0 * (CpuSeconds(assists[1]) - scopeStart) / elapsed;
    }

    for (auto hwnd : assists)
        player.SendMessage(hwnd, platform::WM_SYSCOMMAND, platform::SC_CLOSE, 0);
    player.DispatchPending();

    std::sort(sendMicros.begin(), sendMicros.end());
    std::sort(spacingMillis.begin(), spacingMillis.end());
    auto at = [](const std::vector<double>& v, double q) {
        return v.empty() ? 0.0 : v[std::min(v.size() - 1, static_cast<std::size_t>(q * static_cast<double>(v.size())))];
    };
    state.counters["remote_cpu_pct"] = cpuRemote;
    state.counters["scope_cpu_pct"] = cpuScope;
    state.counters["tick_send_median_us"] = at(sendMicros, 0.5);
    state.counters["tick_send_p99_us"] = at(sendMicros, 0.99);
    state.counters["tick_spacing_median_ms"] = at(spacingMillis, 0.5);
    state.counters["tick_spacing_p99_ms"] = at(spacingMillis, 0.99);
    std::filesystem::remove_all(pattern);
}
BENCHMARK(BM_AssistLoad)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
