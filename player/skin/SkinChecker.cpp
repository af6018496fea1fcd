#include "player/skin/SkinChecker.h"

#include "platform/DirectorySearch.h"
#include "player/skin/SkinLoader.h"
#include "player/skin/SkinText.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <vector>

namespace skin {

namespace {

// Regions the widgets assume every skin has.
constexpr std::array kRequiredRegions{
    "sysbuttons-close", "sysbuttons-minimize", "sysbuttons-open", "sysbuttons-playlistu",
    "sysbuttons-playlistd", "playbuttons-play", "playbuttons-pause", "playbuttons-stop",
    "playbuttons-ptrack", "playbuttons-ntrack", "playbuttons-repeat", "playbuttons-shuffle",
    "volume-plus", "volume-minus", "playlistbox-itemrect", "lyricsbox-itemrect",
    "titlebox-textrect", "time-mm", "time-m", "time-colon", "time-ss", "time-s",
    "seekbar-container", "volume-container"};

std::vector<std::string> RequiredRects()
{
    std::vector<std::string> names;
    for (const char* b : {"close", "minimize", "open", "playlistu", "playlistd"}) {
        names.push_back(std::string("sysbuttonssource-") + b);
        names.push_back(std::string("sysbuttonssource-") + b + "down");
    }
    for (const char* b : {"play", "pause", "stop", "ptrack", "ntrack", "repeaton", "repeatoff", "shuffleon",
                          "shuffleoff"}) {
        names.push_back(std::string("playbuttonssource-") + b);
        names.push_back(std::string("playbuttonssource-") + b + "down");
    }
    for (const char* b : {"plus", "minus"}) {
        names.push_back(std::string("volumesource-") + b);
        names.push_back(std::string("volumesource-") + b + "down");
    }
    names.push_back("titleboxsource-text");
    for (int d = 0; d <= 9; ++d)
        names.push_back("timesource-" + std::to_string(d));
    names.push_back("timesource-colon");
    for (int v = 0; v <= 100; v += 10) {
        names.push_back("seekbarsource-" + std::to_string(v));
        names.push_back("volumesource-" + std::to_string(v));
    }
    for (int level = 0; level <= 23; ++level)
        names.push_back("analyzersource-" + std::to_string(level));
    names.push_back("peeksource-value");
    return names;
}

std::string FindSkinFile(const std::string& folder)
{
    const std::vector<platform::DirectoryEntry> files = platform::DirectorySearch::List(folder, "*.zks");
    return files.empty() ? std::string() : files.back().name;
}

} // namespace

int RunSkinCheck(const std::string& folderText, std::ostream& out)
{
    const std::string folder = skintext::FolderWithSlash(folderText);
    const std::string file = FindSkinFile(folder);
    if (file.empty()) {
        out << folder << ": no skin file (*.zks) in this folder\n";
        out << "1 problem\n";
        return 1;
    }
    SkinLoadResult result = LoadSkin(folder, file);
    std::vector<SkinProblem> problems = result.problems;
    const std::string path = folder + file;
    if (result.fileFound) {
        // Parse again to see the regions even when the skin was rejected.
        std::optional<ParsedSkinFile> parsed = ParseSkinFile(folder, file);
        if (parsed) {
            std::vector<std::string> regions(kRequiredRegions.begin(), kRequiredRegions.end());
            for (int band = 0; band <= 18; ++band)
                regions.push_back("analyzer-" + std::to_string(band));
            for (const std::string& name : regions) {
                if (!parsed->coRgns.Contains(name)) problems.push_back({path, 0, "required region " + name + " missing"});
            }
            for (const std::string& name : RequiredRects()) {
                if (!parsed->coRects.Contains(name)) problems.push_back({path, 0, "required rectangle " + name + " missing"});
            }
        }
    }
    for (const SkinProblem& p : problems) {
        out << p.file;
        if (p.line > 0) out << ":" << p.line;
        out << ": " << p.message << "\n";
    }
    if (problems.empty()) {
        out << path << ": no problems\n";
        return 0;
    }
    out << problems.size() << (problems.size() == 1 ? " problem\n" : " problems\n");
    return 1;
}

} // namespace skin
