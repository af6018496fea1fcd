#pragma once
// The player's run log: a text file that "/log" turns on, one line per call.
// Lines are converted to the ANSI code page and end in CR LF; there is no time
// stamp. A line that cannot be written is dropped: the log never stops the
// program. A log that is off writes nothing.
//
// Threads: Write may be called from any thread; each line is one append, so
// lines from several threads stay whole.
#include <string>
#include <string_view>

namespace platform {

class RunLog {
public:
    enum class State { Off,
                       On };

    // A log that is off.
    RunLog() = default;
    RunLog(State state, std::string path)
        : m_state(state)
        , m_path(std::move(path))
    {}

    void Write(std::string_view text) const;

private:
    State m_state = State::Off;
    std::string m_path;
};

} // namespace platform
