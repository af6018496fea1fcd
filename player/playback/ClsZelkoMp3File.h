#pragma once
// One track of the play list: the path as it was obtained and the names and
// length read once from the file when the track was added. Plain value type:
// no checks, stored unchanged.
#include <cstdint>
#include <string>

namespace playback {

class ClsZelkoMp3File {
public:
    ClsZelkoMp3File() = default;
    ClsZelkoMp3File(std::string mp3File, std::string artistName, std::string trackName,
                    std::int32_t totalSec)
        : m_Mp3File(std::move(mp3File))
        , m_ArtistName(std::move(artistName))
        , m_TrackName(std::move(trackName))
        , m_TotalSec(totalSec)
    {}

    // Full path of the MP3 file (UTF-8).
    const std::string& Mp3File() const { return m_Mp3File; }
    void SetMp3File(std::string v) { m_Mp3File = std::move(v); }
    // Artist from the tag; empty when the tag has none.
    const std::string& ArtistName() const { return m_ArtistName; }
    void SetArtistName(std::string v) { m_ArtistName = std::move(v); }
    // Title from the tag; empty when the tag has none.
    const std::string& TrackName() const { return m_TrackName; }
    void SetTrackName(std::string v) { m_TrackName = std::move(v); }
    // Play length in whole seconds; 0 when unknown.
    std::int32_t TotalSec() const { return m_TotalSec; }
    void SetTotalSec(std::int32_t v) { m_TotalSec = v; }

    bool operator==(const ClsZelkoMp3File&) const = default;

private:
    std::string m_Mp3File;
    std::string m_ArtistName;
    std::string m_TrackName;
    std::int32_t m_TotalSec = 0;
};

} // namespace playback
