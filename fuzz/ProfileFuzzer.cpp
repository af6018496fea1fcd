// Profile files: the settings file Zelko.ini as start-up reads it (UTF-8, else
// the Windows code page CP932) and as shut-down writes it back (every key
// written into the same file text, then encoded for both character sets).
#include "fuzz/FuzzScratch.h"
#include "platform/CodePage.h"
#include "platform/ProfileFile.h"
#include "player/shell/ZelkoSettings.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string path = fuzz::FuzzScratch::Write("Zelko.ini", data, size);
    platform::ProfileFile profile = platform::ProfileFile::Load(path);
    const shell::ZelkoSettings settings = shell::SettingsFile::Read(profile, "/opt/zelko/");
    (void)profile.SectionEntries("Assist");
    shell::SettingsFile::Write(profile, settings, settings.AssistLines);
    const std::string text = profile.ToText();
    (void)platform::CodePage::ToAnsi(text, platform::AnsiCharset::Cp932);
    (void)platform::CodePage::ToAnsi(text, platform::AnsiCharset::Utf8);
    // What was written reads back to the same settings.
    const shell::ZelkoSettings again = shell::SettingsFile::Read(platform::ProfileFile::FromBytes(text), "/opt/zelko/");
    if (!(again.Volume == settings.Volume && again.WindowLeft == settings.WindowLeft)) __builtin_trap();
    return 0;
}
