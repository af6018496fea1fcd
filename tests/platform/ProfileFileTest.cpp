#include "platform/ProfileFile.h"

#include "support/FileBytes.h"
#include "support/TempFolder.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

using platform::ProfileFile;

TEST(ProfileFile, NamesCompareWithoutCaseValuesAreTrimmedAndTheFirstOccurrenceWins)
{
    auto f = ProfileFile::FromBytes("[Skin]\n  Path =  /a/b/  \nFILE=x.zks\n;k=commented\nk=first\nk=second\n[skin]\nk=other section\n"
                                    "[PlayInfo]\nVolume=70\n");
    EXPECT_EQ(f.Value("skin", "path"), "/a/b/");
    EXPECT_EQ(f.Value("SKIN", "file"), "x.zks");
    EXPECT_EQ(f.Value(" PlayInfo ", "Volume"), "70");
    EXPECT_EQ(f.Value("Skin", "k"), "first");
    EXPECT_EQ(f.Value("Skin", ";k"), std::nullopt);
    EXPECT_EQ(f.Value("Skin", "Volume"), std::nullopt); // keys belong to their own section
    EXPECT_EQ(f.Value("Missing", "Path"), std::nullopt);
}

TEST(ProfileFile, SetValueReplacesInPlaceOrAddsAtTheEndOfTheSectionOrFileKeepingEveryOtherLine)
{
    struct Row {
        const char* before;
        const char* section;
        const char* key;
        const char* after;
    };
    for (const Row& row : {
             Row{"; Zelko settings\n[Skin]\nPath=/old/\n# unknown=1\nFile=a.zks\n\n[Other]\nx=1\n", "skin", "PATH",
                 "; Zelko settings\n[Skin]\nPath=/new/\n# unknown=1\nFile=a.zks\n\n[Other]\nx=1\n"},
             Row{"[Skin]\nPath=/p/\n\n[Other]\nx=1\n", "Skin", "WithMusic", "[Skin]\nPath=/p/\nWithMusic=/new/\n\n[Other]\nx=1\n"},
             Row{"", "Window", "Left", "[Window]\nLeft=/new/\n"},
             Row{"[A]\nk=v", "B", "k2", "[A]\nk=v\n\n[B]\nk2=/new/\n"},
         }) {
        auto f = ProfileFile::FromBytes(row.before);
        f.SetValue(row.section, row.key, "/new/");
        EXPECT_EQ(f.ToText(), row.after) << row.before;
    }
}

TEST(ProfileFile, LineBreaksInValuesCannotSplitTheLineAndLongValuesAreNeverCut)
{
    ProfileFile f;
    f.SetValue("A", "k", "one\r\ntwo");
    EXPECT_EQ(f.Value("A", "k"), "one  two");
    EXPECT_EQ(f.Lines().size(), 2u);
    const std::string longValue = "/" + std::string(300, 'x') + "/";
    f.SetValue("LyricsFile", "Folder", longValue);
    EXPECT_EQ(ProfileFile::FromBytes(f.ToText()).Value("LyricsFile", "Folder"), longValue);
}

TEST(ProfileFile, SectionEntriesSkipBlanksAndCommentsAndReplaceSectionKeepsNeighbours)
{
    auto f = ProfileFile::FromBytes("[Assist]\n ExecuteFile = RemoteZKA \n\n;note\nExecuteFile=ScopeZKA\nloose line\n[Next]\n");
    EXPECT_EQ(f.SectionEntries("assist"), (std::vector<std::string>{"ExecuteFile=RemoteZKA", "ExecuteFile=ScopeZKA", "loose line"}));
    EXPECT_EQ(f.SectionEntries("Next"), std::vector<std::string>{});
    EXPECT_EQ(f.SectionEntries("None"), std::nullopt);

    f = ProfileFile::FromBytes("[Skin]\nPath=/p/\n\n[Assist]\nExecuteFile=A\n;c\nExecuteFile=B\n\n[Window]\nLeft=1\n");
    f.ReplaceSection("ASSIST", {"ExecuteFile=C", "", "ExecuteFile=D"});
    EXPECT_EQ(f.ToText(), "[Skin]\nPath=/p/\n\n[Assist]\nExecuteFile=C\nExecuteFile=D\n\n[Window]\nLeft=1\n");
    f.ReplaceSection("Assist", {});
    EXPECT_EQ(f.SectionEntries("Assist"), std::vector<std::string>{});
    EXPECT_EQ(f.Value("Window", "Left"), "1");
    f.ReplaceSection("New", {"a=1"});
    EXPECT_EQ(f.Value("New", "a"), "1");
}

TEST(ProfileFile, WindowsFileInCp932WithCrLfReadsAndKeepsCrLf)
{
    // "日本" in CP932, as the Windows program wrote it.
    auto f = ProfileFile::FromBytes("[LyricsFile]\r\nFolder=C:\\\x93\xFA\x96\x7B\\\r\nExt=txt\r\n");
    EXPECT_EQ(f.Value("LyricsFile", "Folder"), "C:\\\xE6\x97\xA5\xE6\x9C\xAC\\");
    EXPECT_EQ(f.Value("LyricsFile", "Ext"), "txt");
    f.SetValue("LyricsFile", "Ext", "lrc");
    EXPECT_EQ(f.ToText(), "[LyricsFile]\r\nFolder=C:\\\xE6\x97\xA5\xE6\x9C\xAC\\\r\nExt=lrc\r\n");
}

TEST(ProfileFile, BadBytesAndHugeLinesNeverFailALoad)
{
    // NUL bytes, invalid UTF-8 that is not CP932 either, a header without "]".
    const char raw[] = "[A\n\0k\0=\xFF\xFE\x80\n[B]\nk=\x81\n";
    auto f = ProfileFile::FromBytes(std::string(raw, sizeof raw - 1));
    EXPECT_EQ(f.LoadStatus(), ProfileFile::Status::Loaded);
    EXPECT_TRUE(f.HasSection("A"));
    EXPECT_TRUE(f.Value("B", "k").has_value());

    std::string bytes = "[Big]\nline=" + std::string(3 * 1024 * 1024, 'v') + "\n";
    for (int i = 0; i < 20000; ++i)
        bytes += "key" + std::to_string(i) + "=value" + std::to_string(i) + "\n";
    bytes += "[Tail]\nk=end\n";
    f = ProfileFile::FromBytes(bytes);
    EXPECT_EQ(f.Value("Big", "line")->size(), 3u * 1024 * 1024);
    EXPECT_EQ(f.Value("Big", "key19999"), "value19999");
    EXPECT_EQ(f.Value("Tail", "k"), "end");
}

TEST(ProfileFile, SavedInTheLocaleCharsetAndLoadedBack)
{
    testsupport::TempFolder dir;
    const std::string path = dir.Path("Zelko.ini");
    auto f = ProfileFile::Load(path);
    EXPECT_EQ(f.LoadStatus(), ProfileFile::Status::Missing);
    f.SetValue("Skin", "File", "Blue.zks");
    ASSERT_TRUE(f.Save(path));
    EXPECT_EQ(testsupport::ReadFileBytes(path), "[Skin]\nFile=Blue.zks\n");
    EXPECT_EQ(ProfileFile::Load(path).LoadStatus(), ProfileFile::Status::Loaded);

    ProfileFile g;
    g.SetValue("LyricsFile", "Folder", "/\xE6\x97\xA5\xE6\x9C\xAC/"); // /日本/
    // Under a Shift-JIS locale the file is CP932, as the Windows program wrote it.
    ASSERT_TRUE(g.Save(path, platform::AnsiCharset::Cp932));
    EXPECT_EQ(testsupport::ReadFileBytes(path), "[LyricsFile]\nFolder=/\x93\xFA\x96\x7B/\n");
    EXPECT_EQ(ProfileFile::Load(path).Value("LyricsFile", "Folder"), "/\xE6\x97\xA5\xE6\x9C\xAC/");
    ASSERT_TRUE(g.Save(path, platform::AnsiCharset::Utf8));
    EXPECT_EQ(testsupport::ReadFileBytes(path), "[LyricsFile]\nFolder=/\xE6\x97\xA5\xE6\x9C\xAC/\n");
}

TEST(ProfileFile, AFileThatCannotBeReadIsNeverReplaced)
{
    testsupport::TempFolder dir;
    // A folder where the file should be cannot be read as a profile.
    const std::string folder = dir.Path("Zelko.ini");
    std::filesystem::create_directory(folder);
    auto unreadable = ProfileFile::Load(folder);
    EXPECT_EQ(unreadable.LoadStatus(), ProfileFile::Status::Unreadable);
    unreadable.SetValue("A", "k", "v");
    EXPECT_FALSE(unreadable.Save(folder));

    // A sparse file: large on paper, no disk space used.
    const std::string huge = dir.Path("huge.ini");
    testsupport::WriteFileBytes(huge, "[A]\nk=v\n");
    ASSERT_EQ(::truncate(huge.c_str(), static_cast<off_t>(ProfileFile::MaxFileBytes + 1)), 0);
    auto tooLarge = ProfileFile::Load(huge);
    EXPECT_EQ(tooLarge.LoadStatus(), ProfileFile::Status::TooLarge);
    EXPECT_FALSE(tooLarge.Save(huge));
    testsupport::WriteFileBytes(huge, "[A]\nk=v\n");
    EXPECT_EQ(ProfileFile::Load(huge).Value("A", "k"), "v");
}
