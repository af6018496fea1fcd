#pragma once
// The tags of an MP3 file: ID3v2 (any version and text encoding, through
// libmpg123) field by field, else ID3v1. Japanese text stored as CP932, in
// ID3v1 or in ID3v2 frames declared Latin-1, comes out right (see TagText).
#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace decoder {

struct Mp3Tags {
    std::string Title; // UTF-8
    std::string Artist;
    std::string Album;
    std::string Year;
    std::string Comment;
    std::string GenreName; // the ID3v2 genre text, empty otherwise
    int32_t Genre = -1;    // the ID3v1 genre number, or a number given in the ID3v2 genre; -1 none
};

class TagReader {
public:
    // hasId3v2: whether the file starts with an ID3v2 tag (libmpg123 is only
    // asked then); id3v1: the raw 128-byte tag at the end, when present.
    static Mp3Tags Read(const std::string& path, bool hasId3v2,
                        const std::optional<std::array<uint8_t, 128>>& id3v1);

    // The fields of a raw ID3v1 tag.
    static Mp3Tags FromId3v1(const std::array<uint8_t, 128>& raw);
};

} // namespace decoder
