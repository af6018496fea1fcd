#pragma once
// The settings file Zelko.ini: every key the player keeps between runs, in the
// order in which start-up reads and shut-down writes them.
//
//   [Skin]            Path, File, WithMusic
//   [Assist]          ExecuteFile=<assist name> lines (the whole section)
//   [PlayInfo]        Repeat, Shuffle, Volume
//   [PlayListWindow]  Position, ShowFromChangedSkin
//   [LyricsWindow]    ShowFromChangedSkin
//   [OpenOption]      ChildSearch
//   [Window]          Left, Top, Scale, Language (the last two written only when set)
//   [LyricsFile]      Ext, Folder
//
// Booleans read as false exactly when the text is "0" or empty, true for any
// other text, and are written as "-1" / "0". Integers that are not numbers, or
// lie outside their range, read as the key's default. A Skin/Path beginning
// with "$(apppath)" (any letter case) has those ten characters replaced by the
// program folder without its final "/"; the expanded folder is written back.
// Window/Language is "ja", "en" or "auto" (see common/LanguageChoice.h); a
// missing or unknown value reads as auto and is written back as "auto".
#include "common/LanguageChoice.h"
#include "platform/IoResult.h"
#include "platform/ProfileFile.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace shell {

struct ZelkoSettings {
    std::string SkinPath;                 // Skin/Path, expanded
    std::string SkinFile;                 // Skin/File
    bool SkinWithMusic = false;           // Skin/WithMusic
    std::vector<std::string> AssistLines; // [Assist]: every "key=value" line as read
    bool Repeat = false;                  // PlayInfo/Repeat
    bool Shuffle = false;                 // PlayInfo/Shuffle
    std::int32_t Volume = 50;             // PlayInfo/Volume, 0..100
    std::int32_t PlayPosition = 0;        // PlayListWindow/Position
    bool PlayListShowAlway = false;       // PlayListWindow/ShowFromChangedSkin
    bool LyricsShowAlway = false;         // LyricsWindow/ShowFromChangedSkin
    bool SearchChildFolder = false;       // OpenOption/ChildSearch
    std::int32_t WindowLeft = 0;          // Window/Left
    std::int32_t WindowTop = 0;           // Window/Top
    // Window/Scale: device pixels per skin pixel, 1..3, or 0 to choose from
    // the screen at start-up (also when the key is missing).
    std::int32_t WindowScale = 0;
    common::LanguageSetting Language = common::LanguageSetting::Auto; // Window/Language
    std::string LyricsExt = "txt";                                    // LyricsFile/Ext
    std::string LyricsFolder;                                         // LyricsFile/Folder

    bool operator==(const ZelkoSettings&) const = default;
};

namespace SettingsFile {

// Reads every key from profile. appPath is the program folder ending in "/".
ZelkoSettings Read(const platform::ProfileFile& profile, const std::string& appPath);

// Loads the file at path (a missing file gives the defaults).
ZelkoSettings Load(const std::string& path, const std::string& appPath);

// Writes every key into profile in table order. assistNames are the selected
// assists, written as ExecuteFile=<name>, the section replaced as a whole.
void Write(platform::ProfileFile& profile, const ZelkoSettings& settings,
           const std::vector<std::string>& assistNames);

// Loads the file at path (keeping lines the player does not know), writes
// every key and replaces the file atomically.
[[nodiscard]] platform::IoResult Save(const std::string& path, const ZelkoSettings& settings,
                                      const std::vector<std::string>& assistNames);

// The value rules, exposed for their tests.
bool ParseBoolean(std::string_view text);
std::string FormatBoolean(bool value);
// Ordinary number conversion: optional spaces, sign, digits and a fraction
// rounded half to even; nullopt for anything else or outside 32 bits.
std::optional<std::int32_t> ParseInteger(std::string_view text);
std::string ExpandAppPath(const std::string& skinPath, const std::string& appPath);

} // namespace SettingsFile

} // namespace shell
