#include "player/widgets/FindLyricsFile.h"

#include "platform/DirectorySearch.h"

#include <filesystem>
#include <optional>
#include <system_error>

namespace widgets {

namespace {

std::string_view Trim(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

// The directory search finds normal files only: no folders, no hidden files.
// Lyrics written on Windows may differ in letter case from the track
// ("Song.LRC" beside "Song.mp3"); the exact spelling wins.
std::optional<std::string> FindNormalFile(const std::string& path)
{
    const std::string name = std::filesystem::path(path).filename().string();
    if (name.empty() || name.front() == '.')
        return std::nullopt;
    return platform::DirectorySearch::FindFile(path);
}

bool TryExtensions(const std::string& stem, const std::vector<std::string>& extensions,
                   const std::function<bool(const std::string&)>& handToDecoder)
{
    for (const auto& ext : extensions) {
        if (const std::optional<std::string> found = FindNormalFile(stem + "." + ext))
            return handToDecoder(*found);
    }
    return false;
}

} // namespace

std::vector<std::string> LyricsExtensions(std::string_view lyricsExt)
{
    std::vector<std::string> out;
    if (lyricsExt.empty()) {
        out.emplace_back("txt");
        return out;
    }
    std::size_t start = 0;
    while (start <= lyricsExt.size()) {
        const std::size_t end = std::min(lyricsExt.find(';', start), lyricsExt.size());
        const std::string_view piece = Trim(lyricsExt.substr(start, end - start));
        if (!piece.empty())
            out.emplace_back(piece);
        start = end + 1;
    }
    return out;
}

bool FindLyricsFile(std::string_view mp3Path, std::string_view lyricsExt,
                    std::string_view lyricsFolder,
                    const std::function<bool(const std::string&)>& handToDecoder)
{
    if (mp3Path.size() < 4)
        return false;
    // Files written on Windows may use "\" between folders.
    std::string base(mp3Path.substr(0, mp3Path.size() - 4));
    for (char& c : base)
        if (c == '\\')
            c = '/';
    const auto slash = base.find_last_of('/');
    const std::string name = slash == std::string::npos ? base : base.substr(slash + 1);
    const auto extensions = LyricsExtensions(lyricsExt);

    if (!lyricsFolder.empty()) {
        std::string folder(lyricsFolder);
        for (char& c : folder)
            if (c == '\\')
                c = '/';
        if (folder.back() != '/')
            folder += '/';
        if (TryExtensions(folder + name, extensions, handToDecoder))
            return true;
    }
    return TryExtensions(base, extensions, handToDecoder);
}

} // namespace widgets
