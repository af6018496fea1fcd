#pragma once
// Embedded pictures as files a desktop can show (mpris:artUrl): each picture
// is written once into the user's cache folder ($XDG_CACHE_HOME/zelko/art/,
// by default ~/.cache/zelko/art/) under a name made from its content, so the
// same picture in many tracks is one file, written the first time only.
//
// Any thread; files are replaced atomically, so two players may store the
// same picture at once.
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace desktop {

class CoverArtCache {
public:
    // folder: where the files go; empty means the user's cache folder as above.
    explicit CoverArtCache(std::string folder = {});

    // The file:// URL of the picture's file, writing it when it is not there
    // yet; nothing when it cannot be written.
    [[nodiscard]] std::optional<std::string> Store(const std::string& mimeType,
                                                   std::span<const std::uint8_t> data) const;

    const std::string& Folder() const { return m_folder; }

private:
    std::string m_folder; // ends in "/"
};

} // namespace desktop
