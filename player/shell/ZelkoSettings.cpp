#include "player/shell/ZelkoSettings.h"

#include "common/AsciiText.h"

#include <cctype>
#include <cmath>
#include <limits>

namespace shell {

namespace SettingsFile {

namespace {

constexpr std::string_view kPlaceholder = "$(apppath)";

// A key as the profile reader of the player returns it: missing keys and the
// stored text "Non" both read as empty.
std::string Get(const platform::ProfileFile& profile, std::string_view section, std::string_view key)
{
    std::optional<std::string> v = profile.Value(section, key);
    if (!v || *v == "Non") return {};
    return *v;
}

std::int32_t GetInteger(const platform::ProfileFile& profile, std::string_view section,
                        std::string_view key, std::int32_t fallback, std::int32_t low,
                        std::int32_t high)
{
    const std::string text = Get(profile, section, key);
    if (text.empty()) return fallback;
    const std::optional<std::int32_t> v = ParseInteger(text);
    if (!v || *v < low || *v > high) return fallback;
    return *v;
}

bool StartsWithPlaceholder(const std::string& s) { return common::ascii::StartsWithIgnoringCase(s, kPlaceholder); }

} // namespace

bool ParseBoolean(std::string_view text) { return !(text.empty() || text == "0"); }

std::string FormatBoolean(bool value) { return value ? "-1" : "0"; }

std::optional<std::int32_t> ParseInteger(std::string_view text)
{
    std::size_t i = 0;
    auto skipSpaces = [&] {
        while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
            ++i;
    };
    skipSpaces();
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    std::string digits;
    bool anyDigit = false;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) {
        digits += text[i++];
        anyDigit = true;
    }
    if (i < text.size() && text[i] == '.') {
        digits += text[i++];
        while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) {
            digits += text[i++];
            anyDigit = true;
        }
    }
    skipSpaces();
    if (!anyDigit || i != text.size() || digits.size() > 40) return std::nullopt;
    double value = std::stod(digits == "." ? "0" : digits);
    if (negative) value = -value;
    const double rounded = std::nearbyint(value); // default rounding mode: half to even
    if (rounded < std::numeric_limits<std::int32_t>::min() ||
        rounded > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<std::int32_t>(rounded);
}

std::string ExpandAppPath(const std::string& skinPath, const std::string& appPath)
{
    if (!StartsWithPlaceholder(skinPath)) return skinPath;
    std::string base = appPath;
    if (!base.empty()) base.pop_back();
    std::string rest = skinPath.substr(kPlaceholder.size());
    // A settings file from the Windows program writes the rest with "\".
    for (char& c : rest) {
        if (c == '\\') c = '/';
    }
    return base + rest;
}

ZelkoSettings Read(const platform::ProfileFile& profile, const std::string& appPath)
{
    ZelkoSettings s;
    s.SkinPath = ExpandAppPath(Get(profile, "Skin", "Path"), appPath);
    s.SkinFile = Get(profile, "Skin", "File");
    s.SkinWithMusic = ParseBoolean(Get(profile, "Skin", "WithMusic"));
    if (auto lines = profile.SectionEntries("Assist")) s.AssistLines = std::move(*lines);
    s.Repeat = ParseBoolean(Get(profile, "PlayInfo", "Repeat"));
    s.Shuffle = ParseBoolean(Get(profile, "PlayInfo", "Shuffle"));
    s.Volume = GetInteger(profile, "PlayInfo", "Volume", 50, 0, 100);
    s.PlayPosition = GetInteger(profile, "PlayListWindow", "Position", 0,
                                std::numeric_limits<std::int32_t>::min(),
                                std::numeric_limits<std::int32_t>::max());
    s.PlayListShowAlway = ParseBoolean(Get(profile, "PlayListWindow", "ShowFromChangedSkin"));
    s.LyricsShowAlway = ParseBoolean(Get(profile, "LyricsWindow", "ShowFromChangedSkin"));
    s.SearchChildFolder = ParseBoolean(Get(profile, "OpenOption", "ChildSearch"));
    // Window coordinates far outside any screen are as good as missing.
    s.WindowLeft = GetInteger(profile, "Window", "Left", 0, -1000000, 1000000);
    s.WindowTop = GetInteger(profile, "Window", "Top", 0, -1000000, 1000000);
    s.WindowScale = GetInteger(profile, "Window", "Scale", 0, 0, 3);
    s.Language = common::LanguageChoice::ParseSetting(Get(profile, "Window", "Language"));
    s.LyricsExt = Get(profile, "LyricsFile", "Ext");
    if (s.LyricsExt.empty()) s.LyricsExt = "txt";
    s.LyricsFolder = Get(profile, "LyricsFile", "Folder");
    return s;
}

ZelkoSettings Load(const std::string& path, const std::string& appPath)
{
    return Read(platform::ProfileFile::Load(path), appPath);
}

void Write(platform::ProfileFile& profile, const ZelkoSettings& s,
           const std::vector<std::string>& assistNames)
{
    profile.SetValue("Skin", "Path", s.SkinPath);
    profile.SetValue("Skin", "File", s.SkinFile);
    profile.SetValue("Skin", "WithMusic", FormatBoolean(s.SkinWithMusic));
    std::vector<std::string> assist;
    assist.reserve(assistNames.size());
    for (const std::string& name : assistNames)
        assist.push_back("ExecuteFile=" + name);
    profile.ReplaceSection("Assist", assist);
    profile.SetValue("PlayInfo", "Repeat", FormatBoolean(s.Repeat));
    profile.SetValue("PlayInfo", "Shuffle", FormatBoolean(s.Shuffle));
    profile.SetValue("PlayInfo", "Volume", std::to_string(s.Volume));
    profile.SetValue("PlayListWindow", "Position", std::to_string(s.PlayPosition));
    profile.SetValue("PlayListWindow", "ShowFromChangedSkin", FormatBoolean(s.PlayListShowAlway));
    profile.SetValue("LyricsWindow", "ShowFromChangedSkin", FormatBoolean(s.LyricsShowAlway));
    profile.SetValue("OpenOption", "ChildSearch", FormatBoolean(s.SearchChildFolder));
    profile.SetValue("Window", "Left", std::to_string(s.WindowLeft));
    profile.SetValue("Window", "Top", std::to_string(s.WindowTop));
    // The scale and the language enter the file once they are set (or were
    // there), so that a file written at the defaults keeps its usual keys.
    if (s.WindowScale != 0 || profile.Value("Window", "Scale"))
        profile.SetValue("Window", "Scale", std::to_string(s.WindowScale));
    if (s.Language != common::LanguageSetting::Auto || profile.Value("Window", "Language"))
        profile.SetValue("Window", "Language", std::string(common::LanguageChoice::SettingText(s.Language)));
    profile.SetValue("LyricsFile", "Ext", s.LyricsExt);
    profile.SetValue("LyricsFile", "Folder", s.LyricsFolder);
}

platform::IoResult Save(const std::string& path, const ZelkoSettings& settings,
                        const std::vector<std::string>& assistNames)
{
    platform::ProfileFile profile = platform::ProfileFile::Load(path);
    if (profile.LoadStatus() == platform::ProfileFile::Status::Unreadable ||
        profile.LoadStatus() == platform::ProfileFile::Status::TooLarge) {
        // A file we cannot read would refuse to save; start afresh so that the
        // settings of this run are not lost.
        profile = platform::ProfileFile();
    }
    Write(profile, settings, assistNames);
    return profile.Save(path);
}

} // namespace SettingsFile

} // namespace shell
