#pragma once
// The outcome of a file or process operation that can fail: success, or the
// system error number and a sentence that says what went wrong.
#include <string>

namespace platform {

struct [[nodiscard]] IoResult {
    bool ok = true;
    int error = 0;       // errno of the failing call, 0 on success
    std::string message; // what failed, for logs and tests; empty on success

    explicit operator bool() const { return ok; }

    static IoResult Success() { return {}; }
    static IoResult Failure(int errorNumber, std::string what)
    {
        return IoResult{false, errorNumber, std::move(what)};
    }
};

} // namespace platform
