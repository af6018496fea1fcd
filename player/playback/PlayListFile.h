#pragma once
// The saved play list (Zelko.m3u): one full MP3 path per line, CR LF line
// ends, in the locale's ANSI character set; no header, no comments.
#include "platform/IoResult.h"

#include <string>
#include <vector>

namespace playback {

namespace PlayListFile {

// Reads the list file at path. A missing or unreadable file gives an empty
// list. Bytes are taken as UTF-8 when valid, else as CP932 (lists written by
// the Windows program). Lines that are empty or that name no existing regular
// file are skipped; the rest keep their order.
std::vector<std::string> Read(const std::string& path);

// Writes the paths (UTF-8) one per line, converted to the ANSI character set.
// The file is replaced atomically: a temporary file in the same folder is
// written, flushed to disk and renamed over path, so a crash leaves either the
// old or the new list. On failure the old file is left and the result says why.
[[nodiscard]] platform::IoResult Write(const std::string& path, const std::vector<std::string>& paths);

} // namespace PlayListFile

} // namespace playback
