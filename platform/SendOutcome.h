#pragma once
// What a synchronous send between message windows came to.
#include <cstdint>

namespace platform {

enum class SendStatus {
    Replied,  // the receiver answered; Result() is its reply
    NoWindow, // the handle names no window (nothing listens there)
    TimedOut, // no reply within the send timeout; the connection was dropped
    Broken,   // the connection ended before the reply
    Invalid,  // the request itself cannot be sent (payload too large)
};

struct SendOutcome {
    SendStatus Status = SendStatus::NoWindow;
    std::int32_t Reply = 0;
    // The reply when one came, else 0.
    std::int32_t Result() const { return Status == SendStatus::Replied ? Reply : 0; }
    bool Delivered() const { return Status == SendStatus::Replied; }
};

} // namespace platform
