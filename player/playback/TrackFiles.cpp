#include "player/playback/TrackFiles.h"

#include "common/AsciiText.h"
#include "common/ClsKtFileHandler.h"
#include "platform/DirectorySearch.h"

#include <filesystem>

namespace playback {

namespace TrackFiles {
namespace {

std::string FileNameOf(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace

std::vector<std::string> InFolder(const std::string& folder, bool searchChildFolder)
{
    std::vector<std::string> paths;
    if (searchChildFolder) {
        // The file lister matches case-sensitively; this pattern accepts
        // ".mp3" in any letter case, as the plain folder listing does.
        common::ClsKtFileHandler lister;
        lister.FillFNameCollection(folder, "*.[mM][pP]3");
        paths = lister.coFiles();
    } else {
        for (const platform::DirectoryEntry& entry : platform::DirectorySearch::List(folder, "*.mp3"))
            paths.push_back(folder + entry.name);
    }
    return paths;
}

Dropped Classify(const std::vector<std::string>& paths)
{
    Dropped dropped;
    if (paths.size() == 1 && common::ascii::EndsWithIgnoringCase(FileNameOf(paths.front()), ".zks")) {
        dropped.skinFile = paths.front();
        return dropped;
    }
    for (const std::string& path : paths) {
        const std::string name = FileNameOf(path);
        if (common::ascii::EndsWithIgnoringCase(name, ".m3u")) continue;
        std::error_code error;
        if (common::ascii::EndsWithIgnoringCase(name, ".mp3") && !std::filesystem::is_directory(path, error))
            dropped.mp3Files.push_back(path);
    }
    return dropped;
}

} // namespace TrackFiles

} // namespace playback
