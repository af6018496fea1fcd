#pragma once
// A log sink that keeps every line, installed for as long as the object lives.
#include "platform/LogSink.h"

#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace testsupport {

class CapturedLog final : public platform::LogSink {
public:
    CapturedLog()
        : m_installed(*this)
    {}

    void Write(std::string_view line) override
    {
        std::lock_guard lock(m_mutex);
        m_lines.emplace_back(line);
    }

    std::vector<std::string> Lines() const
    {
        std::lock_guard lock(m_mutex);
        return m_lines;
    }

private:
    mutable std::mutex m_mutex;
    std::vector<std::string> m_lines;
    platform::ScopedLogSink m_installed;
};

} // namespace testsupport
