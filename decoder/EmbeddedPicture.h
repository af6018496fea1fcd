#pragma once
// The picture embedded in an MP3 file's ID3v2 tag (an APIC frame of
// versions 2.3 and 2.4, a PIC frame of version 2.2): the front cover when
// there is one, else the first picture. Tags and frames made unsynchronised
// are restored; compressed or encrypted frames are passed over.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace decoder {

struct EmbeddedPicture {
    std::string MimeType; // "image/png", "image/jpeg", ...; from the data when the tag names none
    std::vector<std::uint8_t> Data;

    // The picture of the file at path; nothing without a tag or picture.
    static std::optional<EmbeddedPicture> Read(const std::string& path);
    // The picture of a whole ID3v2 tag (its 10-byte header included).
    static std::optional<EmbeddedPicture> FromTag(std::span<const std::uint8_t> tag);
};

} // namespace decoder
