#include "player/skin/SkinFile.h"

#include "platform/CodePage.h"
#include "player/skin/SkinText.h"

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

namespace skin {

namespace {

struct ColourKey {
    const char* section;
    const char* key;
    SkinColour colour;
};

constexpr std::array<ColourKey, SkinColourCount> kColourKeys{{
    {"playlistbox", "forecolor", SkinColour::PlayListFore},
    {"playlistbox", "playingcolor", SkinColour::PlayListPlaying},
    {"lyricsbox", "pprevcolor", SkinColour::LyricsPPrev},
    {"lyricsbox", "prevcolor", SkinColour::LyricsPrev},
    {"lyricsbox", "currentcolor", SkinColour::LyricsCurrent},
    {"lyricsbox", "nextcolor", SkinColour::LyricsNext},
    {"lyricsbox", "nnextcolor", SkinColour::LyricsNNext},
    {"titlebox", "forecolor", SkinColour::TitleFore},
}};

bool IsRegionSection(const std::string& s)
{
    static constexpr std::array<const char*, 10> kSections{
        "body", "sysbuttons", "playbuttons", "time", "volume", "seekbar", "analyzer",
        "playlistbox", "lyricsbox", "titlebox"};
    for (const char* name : kSections) {
        if (s == name) return true;
    }
    return false;
}

bool IsSourceSection(const std::string& s)
{
    static constexpr std::array<const char*, 8> kSections{
        "sysbuttonssource", "playbuttonssource", "titleboxsource", "timesource",
        "volumesource", "seekbarsource", "analyzersource", "peeksource"};
    for (const char* name : kSections) {
        if (s == name) return true;
    }
    return false;
}

class Parser {
public:
    Parser(ParsedSkinFile& out, const SkinRegionContext& context)
        : m_out(out)
        , m_context(context)
    {
    }

    void Line(const std::string& line, int number)
    {
        m_number = number;
        if (line.empty() || line.front() == ';') return;
        if (line.front() == '[' && line.back() == ']') {
            m_sectionAsWritten = skintext::Between(line, '[', ']');
            m_section = skintext::Lower(m_sectionAsWritten);
            return;
        }
        if (m_section.empty()) return;
        const std::vector<std::string> parts = skintext::Split(line, '=');
        const std::string key = skintext::Lower(parts[0]);
        const std::string value = parts.size() > 1 ? parts[1] : std::string();
        KeyLine(key, value);
    }

private:
    void Problem(std::string message)
    {
        m_out.problems.push_back(SkinProblem{m_out.path, m_number, std::move(message)});
    }

    void KeyLine(const std::string& key, const std::string& value)
    {
        for (const ColourKey& ck : kColourKeys) {
            if (m_section == ck.section && key == ck.key) {
                // Characters that are not hexadecimal digits are skipped, as
                // skins written for the Windows program rely on ("#FF0000").
                const skintext::HexColour colour = skintext::ReadHexColour(value);
                if (!colour.skipped.empty()) {
                    char read[16];
                    std::snprintf(read, sizeof read, "%06X", static_cast<uint32_t>(colour.value));
                    std::string message = "colour \"" + value + "\" for " + m_section + "-" + key +
                        ": skipped \"" + colour.skipped +
                        "\" (not hexadecimal digits), read as " + read;
                    if (!colour.cut.empty())
                        message += " (only the last 8 characters count; \"" + colour.cut + "\" was left out)";
                    Problem(std::move(message));
                }
                m_out.colours.colours[static_cast<std::size_t>(ck.colour)] = colour.value;
                return;
            }
        }
        if (IsRegionSection(m_section)) {
            RegionLine(m_section + "-" + key, value);
        } else if (m_section == "peek") {
            PeekLine(key, value);
        } else if (IsSourceSection(m_section)) {
            RectLine(m_section + "-" + key, value);
        }
    }

    void RegionLine(const std::string& name, const std::string& value)
    {
        ClsZelkoRgn* existing = m_out.coRgns.Find(name);
        if (!existing && m_out.coRgns.Count() >= MaxSkinNames) {
            Problem("region " + name + " is one too many (a skin names at most " + std::to_string(MaxSkinNames) +
                    " regions)");
            return;
        }
        if (++m_linesPerRegion[SkinRegions::Key(name)] > MaxLinesPerRegion) {
            Problem("too many lines for region " + name + " (at most " + std::to_string(MaxLinesPerRegion) + ")");
            return;
        }
        RgnLineStatus status;
        if (existing) {
            status = existing->MakeRgn(m_sectionAsWritten, value, m_context);
        } else {
            ClsZelkoRgn rgn;
            rgn.SetName(name);
            status = rgn.MakeRgn(m_sectionAsWritten, value, m_context);
            // A region whose first line made nothing is not kept, so that the
            // widgets see it as missing rather than as an empty area.
            if (rgn.Rgn()) m_out.coRgns.Add(std::move(rgn));
        }
        if (status != RgnLineStatus::Applied) {
            Problem(std::string(RgnLineStatusText(status)) + " in region " + name + " (\"" + value + "\")");
        }
    }

    void PeekLine(const std::string& key, const std::string& value)
    {
        const std::optional<int32_t> index = skintext::ToInt32(key);
        if (!index) {
            Problem("peak index \"" + key + "\" is not a number");
            return;
        }
        if (*index < 0 || *index >= static_cast<int32_t>(PeekPositionCount)) return;
        const std::optional<int32_t> position = skintext::ToInt32(skintext::Between(value, '(', ')'));
        if (!position) {
            Problem("peak position \"" + value + "\" is not value(number)");
            return;
        }
        if (!platform::IsCoordinate(*position)) {
            Problem("peak position \"" + value + "\" is outside -32767..32767");
            return;
        }
        m_out.colours.peekPositions[static_cast<std::size_t>(*index)] = *position;
    }

    void RectLine(const std::string& name, const std::string& value)
    {
        if (m_out.coRects.Contains(name)) {
            Problem("rectangle " + name + " named twice (the first one is kept)");
            return;
        }
        if (m_out.coRects.Count() >= MaxSkinNames) {
            Problem("rectangle " + name + " is one too many (a skin names at most " + std::to_string(MaxSkinNames) +
                    " rectangles)");
            return;
        }
        ClsZelkoRect rect;
        rect.SetName(name);
        const RectLineStatus status = rect.MakeRect(value);
        if (status != RectLineStatus::Applied) {
            Problem(std::string(RectLineStatusText(status)) + " in rectangle " + name + " (\"" + value + "\")");
            return;
        }
        m_out.coRects.Add(std::move(rect));
    }

    ParsedSkinFile& m_out;
    const SkinRegionContext& m_context;
    std::string m_section;
    std::string m_sectionAsWritten;
    int m_number = 0;
    std::map<std::string, int> m_linesPerRegion;
};

} // namespace

ParsedSkinFile ParseSkinText(std::string_view bytes, const std::string& path, const SkinRegionContext& context)
{
    ParsedSkinFile out;
    out.path = path;
    const std::string text = platform::CodePage::DecodeFileText(bytes);
    Parser parser(out, context);
    std::size_t from = 0;
    int number = 0;
    while (from <= text.size()) {
        auto end = text.find('\n', from);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(from, end - from);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        parser.Line(line, ++number);
        if (end == text.size()) break;
        from = end + 1;
    }
    return out;
}

std::optional<ParsedSkinFile> ParseSkinFile(const std::string& skinPath, const std::string& skinFile,
                                            const SkinRegionContext& frame)
{
    const std::string folder = skintext::FolderWithSlash(skinPath);
    const std::string path = folder + skinFile;
    std::error_code ec;
    if (skinFile.empty() || !std::filesystem::is_regular_file(path, ec)) return std::nullopt;
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    if (ec) return std::nullopt;
    if (size > MaxSkinFileBytes) {
        ParsedSkinFile tooLarge;
        tooLarge.path = path;
        tooLarge.problems.push_back(SkinProblem{path, 0, "skin file larger than " + std::to_string(MaxSkinFileBytes / 1024) + " KiB is not read"});
        return tooLarge;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    SkinRegionContext context = frame;
    context.skinPath = folder;
    return ParseSkinText(bytes, path, context);
}

} // namespace skin
