#include "platform/RunLog.h"

#include "platform/CodePage.h"

#include <fcntl.h>
#include <unistd.h>

namespace platform {

void RunLog::Write(std::string_view text) const
{
    if (m_state == State::Off)
        return;
    const int fd = ::open(m_path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0666);
    if (fd < 0)
        return;
    std::string line = CodePage::ToAnsi(text);
    line += "\r\n";
    // One write per line with O_APPEND keeps lines whole; a failed line is dropped.
    ssize_t written = ::write(fd, line.data(), line.size());
    (void)written;
    ::close(fd);
}

} // namespace platform
