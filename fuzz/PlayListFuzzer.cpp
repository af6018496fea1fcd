// Play-list files: Zelko.m3u as start-up reads it (UTF-8, else CP932; lines
// that name no regular file are dropped), each kept path then converted for
// the list file as shut-down writes it.
#include "fuzz/FuzzScratch.h"
#include "platform/CodePage.h"
#include "player/playback/PlayListFile.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string path = fuzz::FuzzScratch::Write("Zelko.m3u", data, size);
    const std::vector<std::string> paths = playback::PlayListFile::Read(path);
    for (const std::string& p : paths) {
        (void)platform::CodePage::ToAnsi(p, platform::AnsiCharset::Cp932);
        (void)platform::CodePage::ToAnsi(p, platform::AnsiCharset::Utf8);
    }
    return 0;
}
