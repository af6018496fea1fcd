#pragma once
// Where library code sends a message that no caller can take as a return
// value: a sound output that failed on the decoder thread, a setting that
// names nothing. Libraries call platform::Log(); the program decides where the
// lines go by installing a sink with ScopedLogSink at start (tests install one
// that keeps the lines). With no sink installed, lines go to standard error.
//
// Threads: Log() may be called from any thread, so a sink's Write must be
// safe to call from several threads at once. Installing and removing sinks is
// meant for the start of main() or of a test, while no other thread logs; the
// sink must outlive its ScopedLogSink.
#include <atomic>
#include <string_view>

namespace platform {

class LogSink {
public:
    virtual ~LogSink() = default;
    // One message, without a trailing line break.
    virtual void Write(std::string_view line) = 0;
};

// The default sink: each message on its own line of standard error.
class StandardErrorSink final : public LogSink {
public:
    void Write(std::string_view line) override;
};

// Installs a sink for the lifetime of this object and puts the one before it
// back on destruction.
class [[nodiscard]] ScopedLogSink {
public:
    explicit ScopedLogSink(LogSink& sink);
    ~ScopedLogSink();
    ScopedLogSink(const ScopedLogSink&) = delete;
    ScopedLogSink& operator=(const ScopedLogSink&) = delete;

private:
    LogSink* m_previous;
};

// Sends one message to the installed sink.
void Log(std::string_view line);

} // namespace platform
