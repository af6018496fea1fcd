#pragma once
// The folder that holds the endpoints of the user's windows:
// $XDG_RUNTIME_DIR/zelko when XDG_RUNTIME_DIR is set, else /tmp/zelko-UID.
// It is created with mode 0700. A folder owned by another user, writable by
// group or others, or not a real folder (a symbolic link, a file) is refused,
// so that no one else can plant or read endpoints.
#include <filesystem>
#include <optional>
#include <string>

#include "platform/WindowMessages.h"

namespace platform::EndpointDirectory {

// The folder name for the current environment (not created, not checked).
std::filesystem::path DefaultPath();

// Creates the folder when missing (mode 0700) and checks it. Returns an error
// text when the folder cannot be used, nothing when it can.
[[nodiscard]] std::optional<std::string> Prepare(const std::filesystem::path& directory);

// The endpoint of a handle inside a folder.
std::filesystem::path EndpointOf(const std::filesystem::path& directory, WindowHandle handle);

} // namespace platform::EndpointDirectory
