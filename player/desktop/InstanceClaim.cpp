#include "player/desktop/InstanceClaim.h"

#include "player/desktop/InstanceName.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>

#include <charconv>
#include <fcntl.h>
#include <string>
#include <sys/file.h>
#include <unistd.h>
#include <utility>

namespace desktop {

InstanceClaim InstanceClaim::Claim(const std::string& busName)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (bus.isConnected() && bus.interface() != nullptr) {
        // Neither queued nor replacing: the first player keeps the name.
        const auto reply = bus.interface()->registerService(QString::fromStdString(busName),
                                                            QDBusConnectionInterface::DontQueueService,
                                                            QDBusConnectionInterface::DontAllowReplacement);
        const bool claimed = reply.isValid() && reply.value() == QDBusConnectionInterface::ServiceRegistered;
        return InstanceClaim(claimed ? Outcome::ClaimedOnBus : Outcome::TakenOnBus, busName, -1);
    }
    const std::string path = InstanceLockPath(busName);
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) {
        // Nowhere to lock: the player runs, as it did before there were claims.
        return InstanceClaim(Outcome::ClaimedWithoutBus, busName, -1);
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return InstanceClaim(Outcome::TakenWithoutBus, busName, -1);
    }
    // Whoever starts next finds this player's window by the number.
    const std::string pid = std::to_string(::getpid()) + "\n";
    if (::ftruncate(fd, 0) == 0) {
        const ssize_t written = ::pwrite(fd, pid.data(), pid.size(), 0);
        (void)written;
    }
    return InstanceClaim(Outcome::ClaimedWithoutBus, busName, fd);
}

std::optional<std::int32_t> InstanceClaim::LockHolder(const std::string& lockPath)
{
    const int fd = ::open(lockPath.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    char text[16] = {};
    const ssize_t got = ::pread(fd, text, sizeof text - 1, 0);
    ::close(fd);
    if (got <= 0)
        return std::nullopt;
    std::int32_t pid = 0;
    const auto [end, error] = std::from_chars(text, text + got, pid);
    if (error != std::errc() || end == text || *end != '\n' || pid <= 0)
        return std::nullopt;
    return pid;
}

InstanceClaim::InstanceClaim(Outcome outcome, std::string busName, int lockFd)
    : m_outcome(outcome)
    , m_busName(std::move(busName))
    , m_lockFd(lockFd)
{
}

InstanceClaim::InstanceClaim(InstanceClaim&& other) noexcept
    : m_outcome(other.m_outcome)
    , m_busName(std::move(other.m_busName))
    , m_lockFd(std::exchange(other.m_lockFd, -1))
{
    // The moved-from claim no longer releases anything.
    other.m_outcome = Outcome::TakenWithoutBus;
}

InstanceClaim::~InstanceClaim()
{
    if (m_outcome == Outcome::ClaimedOnBus)
        QDBusConnection::sessionBus().unregisterService(QString::fromStdString(m_busName));
    if (m_lockFd >= 0)
        ::close(m_lockFd);
}

} // namespace desktop
