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
#include <memory>
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
#include "tests/support/TempFolder.h"

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

// A stand-in player window with the given assist programs started and linked
// (positions 1..n); closes them at the end.
class LinkedAssists {
public:
    explicit LinkedAssists(const std::vector<std::string>& programs)
        : m_handles(programs.size(), 0)
    {
        if (std::getenv("DISPLAY") == nullptr && std::getenv("QT_QPA_PLATFORM") == nullptr)
            ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        ::setenv("XDG_RUNTIME_DIR", m_dir.Path().c_str(), 1);
        auto opened = platform::MessageWindow::Open(
            [this](const platform::WindowMessage& m) {
                if (m.msg == platform::WM_USER && protocol::CommandOf(m.wParam) == protocol::CmdAnnounce) {
                    const auto position = protocol::ArgumentOf(m.wParam);
                    if (position >= 1 && position <= m_handles.size())
                        m_handles[position - 1] = static_cast<platform::WindowHandle>(m.lParam);
                }
                return 0;
            });
        if (!opened.Window) {
            m_error = opened.Error;
            return;
        }
        m_player = std::move(opened.Window);
        const std::string folder = std::string(ZELKO_PROGRAM_DIR) + "/Assist/";
        for (std::size_t i = 0; i < programs.size(); ++i) {
            const auto launched = platform::ProgramLauncher::StartDetached(
                folder + programs[i], {std::to_string(m_player->Handle()), std::to_string(i + 1)});
            if (!launched) {
                m_error = "cannot start " + programs[i];
                return;
            }
        }
        const auto deadline = Clock::now() + std::chrono::seconds(10);
        while (std::count(m_handles.begin(), m_handles.end(), 0) > 0 && Clock::now() < deadline)
            m_player->WaitAndDispatch(std::chrono::milliseconds(50));
        if (std::count(m_handles.begin(), m_handles.end(), 0) > 0) {
            m_error = "the assists did not announce themselves";
            return;
        }
        protocol::PlayStateRecord playState;
        playState.bPlay = protocol::VbTrue;
        playState.bStop = protocol::VbFalse;
        playState.DecoderState = 1;
        for (auto hwnd : m_handles)
            m_player->SendCopyData(hwnd, protocol::CodePlayState, protocol::NotifyPlay, protocol::PayloadOf(playState));
        // Let them settle after start-up before measuring.
        const auto settle = Clock::now() + std::chrono::milliseconds(500);
        while (Clock::now() < settle)
            m_player->WaitAndDispatch(std::chrono::milliseconds(20));
    }
    ~LinkedAssists()
    {
        if (m_player) {
            for (auto hwnd : m_handles)
                m_player->SendMessage(hwnd, platform::WM_SYSCOMMAND, platform::SC_CLOSE, 0);
            m_player->DispatchPending();
        }
        m_player.reset();
    }
    const std::string& Error() const { return m_error; }
    platform::MessageWindow& Player() { return *m_player; }
    const std::vector<platform::WindowHandle>& Handles() const { return m_handles; }

private:
    std::vector<platform::WindowHandle> m_handles;
    std::unique_ptr<platform::MessageWindow> m_player;
    testsupport::TempFolder m_dir{"zkl", "/tmp"};
    std::string m_error;
};

void FillSpectra(protocol::AnalyzeRecord& record, int tick)
{
    for (int i = 0; i < 256; ++i) {
        record.Spectrum1[i] = static_cast<std::int32_t>(80 + 70 * std::sin((i + tick) * 0.07));
        record.Spectrum2[i] = static_cast<std::int32_t>(80 + 70 * std::cos((i - tick) * 0.05));
    }
}

double At(std::vector<double>& v, double q)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0.0 : v[std::min(v.size() - 1, static_cast<std::size_t>(q * static_cast<double>(v.size())))];
}

void BM_AssistLoad(benchmark::State& state)
{
    const char* secondsText = std::getenv("ZELKO_LOAD_SECONDS");
    const double seconds = secondsText ? std::atof(secondsText) : 5.0;
    LinkedAssists linked({"RemoteZKA", "ScopeZKA"});
    if (!linked.Error().empty()) {
        state.SkipWithError(linked.Error().c_str());
        return;
    }
    platform::MessageWindow& player = linked.Player();
    const auto assists = linked.Handles();

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
            FillSpectra(record, tick);
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
    state.counters["remote_cpu_pct"] = cpuRemote;
    state.counters["scope_cpu_pct"] = cpuScope;
    state.counters["tick_send_median_us"] = At(sendMicros, 0.5);
    state.counters["tick_send_p99_us"] = At(sendMicros, 0.99);
    state.counters["tick_spacing_median_ms"] = At(spacingMillis, 0.5);
    state.counters["tick_spacing_p99_ms"] = At(spacingMillis, 0.99);
}
BENCHMARK(BM_AssistLoad)->Iterations(1)->Unit(benchmark::kMillisecond);

// One AnalyzeRecord to a running ScopeZKA process and its reply, including
// its drawing, one send every 10 ms as the play loop does.
void BM_AnalyzeRecordToScopeZKA(benchmark::State& state)
{
    LinkedAssists linked({"ScopeZKA"});
    if (!linked.Error().empty()) {
        state.SkipWithError(linked.Error().c_str());
        return;
    }
    protocol::AnalyzeRecord record;
    std::vector<double> micros;
    int tick = 0;
    for (auto _ : state) {
        FillSpectra(record, tick++);
        const auto start = Clock::now();
        linked.Player().SendCopyData(linked.Handles()[0], protocol::CodeAnalyze, protocol::CodeAnalyze,
                                     protocol::PayloadOf(record));
        micros.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
        state.PauseTiming();
        linked.Player().WaitAndDispatch(std::chrono::milliseconds(10));
        state.ResumeTiming();
    }
    state.counters["median_us"] = At(micros, 0.5);
    state.counters["p99_us"] = At(micros, 0.99);
}
BENCHMARK(BM_AnalyzeRecordToScopeZKA)->Iterations(500)->Unit(benchmark::kMicrosecond);

} // namespace
