#include "platform/LogSink.h"

#include <cstdio>
#include <string>

namespace platform {
namespace {

StandardErrorSink g_standardError;

// The one process-wide sink registry: the sink Log() writes to. It never owns
// the sink; ScopedLogSink restores the previous one in reverse order.
std::atomic<LogSink*> g_current{&g_standardError};

} // namespace

void StandardErrorSink::Write(std::string_view line)
{
    // One fwrite per message keeps lines from two threads whole.
    std::string text(line);
    text += '\n';
    std::fwrite(text.data(), 1, text.size(), stderr);
}

ScopedLogSink::ScopedLogSink(LogSink& sink)
    : m_previous(g_current.exchange(&sink))
{
}

ScopedLogSink::~ScopedLogSink()
{
    g_current.store(m_previous);
}

void Log(std::string_view line)
{
    g_current.load()->Write(line);
}

} // namespace platform
