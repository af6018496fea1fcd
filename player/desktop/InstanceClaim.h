#pragma once
// One player per desktop session: the claim of the instance's name, held for
// the player's life. On the session bus the claim is the bus name itself;
// without a bus it is an exclusive lock on a file in the runtime folder
// (InstanceLockPath), into which the holder writes its process id (its
// window handle, for the hand-over by window messages). Released by the
// destructor (the lock also by the system when the process ends).
//
// Needs a QCoreApplication for the bus; user-interface thread.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace desktop {

class InstanceClaim {
public:
    enum class Outcome {
        ClaimedOnBus,      // this player holds the bus name
        ClaimedWithoutBus, // no session bus; this player holds the lock
        TakenOnBus,        // another player holds the bus name
        TakenWithoutBus,   // no session bus; another player holds the lock
    };

    // Tries to claim the name (see InstanceName.h).
    static InstanceClaim Claim(const std::string& busName);
    ~InstanceClaim();
    InstanceClaim(InstanceClaim&& other) noexcept;
    InstanceClaim& operator=(InstanceClaim&&) = delete;
    InstanceClaim(const InstanceClaim&) = delete;
    InstanceClaim& operator=(const InstanceClaim&) = delete;

    // The process id the holder of the lock file wrote; nothing while the
    // file is missing or not yet written.
    static std::optional<std::int32_t> LockHolder(const std::string& lockPath);

    Outcome Result() const { return m_outcome; }
    bool Held() const { return m_outcome == Outcome::ClaimedOnBus || m_outcome == Outcome::ClaimedWithoutBus; }

private:
    InstanceClaim(Outcome outcome, std::string busName, int lockFd);

    Outcome m_outcome;
    std::string m_busName;
    int m_lockFd = -1;
};

} // namespace desktop
