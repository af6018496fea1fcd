#include "platform/ProfileFile.h"

#include "support/FileBytes.h"

#include <QDir>
#include <QTemporaryDir>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

using platform::ProfileFile;

TEST(ProfileFile, NamesCompareWithoutCaseAndValuesAreTrimmed)
{
    auto f = ProfileFile::FromBytes("[Skin]\n  Path =  /a/b/  \nFILE=x.zks\n[PlayInfo]\nVolume=70\n");
    EXPECT_EQ(f.Value("skin", "path"), "/a/b/");
    EXPECT_EQ(f.Value("SKIN", "file"), "x.zks");
    EXPECT_EQ(f.Value(" PlayInfo ", "Volume"), "70");
    EXPECT_EQ(f.Value("Skin", "Volume"), std::nullopt);   // keys belong to their own section
    EXPECT_EQ(f.Value("Missing", "Path"), std::nullopt);
}

TEST(ProfileFile, FirstOccurrenceWinsAndCommentsAreNotKeys)
{
    auto f = ProfileFile::FromBytes("[A]\n;k=commented\nk=first\nk=second\n[a]\nk=other section\n");
    EXPECT_EQ(f.Value("A", "k"), "first");
    EXPECT_EQ(f.Value("A", ";k"), std::nullopt);
}

TEST(ProfileFile, SetValueReplacesInPlaceAndKeepsEveryOtherLine)
{
    const std::string original = "; Zelko settings\n[Skin]\nPath=/old/\n# unknown=1\nFile=a.zks\n\n[Other]\nx=1\n";
    auto f = ProfileFile::FromBytes(original);
    f.SetValue("skin", "PATH", "/new/");
    EXPECT_EQ(f.ToText(), "; Zelko settings\n[Skin]\nPath=/new/\n# unknown=1\nFile=a.zks\n\n[Other]\nx=1\n");
}

TEST(ProfileFile, SetValueAddsKeyAtEndOfSectionBeforeBlankLines)
{
    auto f = ProfileFile::FromBytes("[Skin]\nPath=/p/\n\n[Other]\nx=1\n");
    f.SetValue("Skin", "WithMusic", "-1");
    EXPECT_EQ(f.ToText(), "[Skin]\nPath=/p/\nWithMusic=-1\n\n[Other]\nx=1\n");
}

TEST(ProfileFile, SetValueAddsSectionAtEndOfFile)
{
    ProfileFile empty;
    empty.SetValue("Window", "Left", "10");
    EXPECT_EQ(empty.ToText(), "[Window]\nLeft=10\n");

    auto f = ProfileFile::FromBytes("[A]\nk=v");
    f.SetValue("B", "k2", "v2");
    EXPECT_EQ(f.ToText(), "[A]\nk=v\n\n[B]\nk2=v2\n");
}

TEST(ProfileFile, LineBreaksInValuesCannotSplitTheLine)
{
    ProfileFile f;
    f.SetValue("A", "k", "one\r\ntwo");
    EXPECT_EQ(f.Value("A", "k"), "one  two");
    EXPECT_EQ(f.Lines().size(), 2u);
}

TEST(ProfileFile, SectionEntriesSkipBlanksAndCommentsAndTrim)
{
    auto f = ProfileFile::FromBytes("[Assist]\n ExecuteFile = RemoteZKA \n\n;note\nExecuteFile=ScopeZKA\nloose line\n[Next]\n");
    auto entries = f.SectionEntries("assist");
    ASSERT_TRUE(entries);
    EXPECT_EQ(*entries, (std::vector<std::string>{"ExecuteFile=RemoteZKA", "ExecuteFile=ScopeZKA", "loose line"}));
    EXPECT_EQ(f.SectionEntries("Next"), std::vector<std::string>{});
    EXPECT_EQ(f.SectionEntries("None"), std::nullopt);
}

TEST(ProfileFile, ReplaceSectionKeepsNeighbours)
{
    auto f = ProfileFile::FromBytes("[Skin]\nPath=/p/\n\n[Assist]\nExecuteFile=A\n;c\nExecuteFile=B\n\n[Window]\nLeft=1\n");
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

TEST(ProfileFile, LongValuesAreNeverCut)
{
    const std::string longValue = "/" + std::string(300, 'x') + "/";
    ProfileFile f;
    f.SetValue("LyricsFile", "Folder", longValue);
    auto g = ProfileFile::FromBytes(f.ToText());
    EXPECT_EQ(g.Value("LyricsFile", "Folder"), longValue);
}

TEST(ProfileFile, BadBytesNeverFailALoad)
{
    // NUL bytes, invalid UTF-8 that is not CP932 either, a header without "]".
    const char raw[] = "[A\n\0k\0=\xFF\xFE\x80\n[B]\nk=\x81\n";
    const std::string bytes(raw, sizeof raw - 1);
    auto f = ProfileFile::FromBytes(bytes);
    EXPECT_EQ(f.LoadStatus(), ProfileFile::Status::Loaded);
    EXPECT_TRUE(f.HasSection("A"));
    EXPECT_TRUE(f.Value("B", "k").has_value());
}

TEST(ProfileFile, HugeLineAndMultiMegabyteFile)
{
    std::string bytes = "[Big]\nline=" + std::string(3 * 1024 * 1024, 'v') + "\n";
    for (int i = 0; i < 20000; ++i)
        bytes += "key" + std::to_string(i) + "=value" + std::to_string(i) + "\n";
    bytes += "[Tail]\nk=end\n";
    auto f = ProfileFile::FromBytes(bytes);
    EXPECT_EQ(f.Value("Big", "line")->size(), 3u * 1024 * 1024);
    EXPECT_EQ(f.Value("Big", "key19999"), "value19999");
    EXPECT_EQ(f.Value("Tail", "k"), "end");
}

TEST(ProfileFile, LoadAndSaveRoundTripThroughTheDisk)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string path = dir.filePath("Zelko.ini").toStdString();

    auto missing = ProfileFile::Load(path);
    EXPECT_EQ(missing.LoadStatus(), ProfileFile::Status::Missing);
    missing.SetValue("Skin", "File", "Blue.zks");
    ASSERT_TRUE(missing.Save(path));

    auto loaded = ProfileFile::Load(path);
    EXPECT_EQ(loaded.LoadStatus(), ProfileFile::Status::Loaded);
    EXPECT_EQ(loaded.Value("Skin", "File"), "Blue.zks");
    EXPECT_EQ(testsupport::ReadFileBytes(path), "[Skin]\nFile=Blue.zks\n");
}

TEST(ProfileFile, UnreadableFileIsNotReplaced)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    // A folder where the file should be cannot be read as a profile.
    const std::string path = dir.filePath("Zelko.ini").toStdString();
    ASSERT_TRUE(QDir().mkdir(QString::fromStdString(path)));
    auto f = ProfileFile::Load(path);
    EXPECT_EQ(f.LoadStatus(), ProfileFile::Status::Unreadable);
    f.SetValue("A", "k", "v");
    EXPECT_FALSE(f.Save(path));
}

TEST(ProfileFile, FileAboveTheLimitIsRefusedNotRead)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string path = dir.filePath("huge.ini").toStdString();
    {
        std::ofstream out(path, std::ios::binary);
        out << "[A]\nk=v\n";
    }
    // A sparse file: large on paper, no disk space used.
    ASSERT_EQ(::truncate(path.c_str(), static_cast<off_t>(ProfileFile::MaxFileBytes + 1)), 0);
    auto f = ProfileFile::Load(path);
    EXPECT_EQ(f.LoadStatus(), ProfileFile::Status::TooLarge);
    EXPECT_FALSE(f.Save(path));
    testsupport::WriteFileBytes(path, "[A]\nk=v\n");
    EXPECT_EQ(ProfileFile::Load(path).Value("A", "k"), "v");
}

TEST(ProfileFile, SavedInTheLocaleCharsetAndReadBack)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string path = dir.filePath("Zelko.ini").toStdString();
    ProfileFile f;
    f.SetValue("LyricsFile", "Folder", "/\xE6\x97\xA5\xE6\x9C\xAC/");   // /日本/
    // Under a Shift-JIS locale the file is CP932, as the Windows program wrote it.
    ASSERT_TRUE(f.Save(path, platform::AnsiCharset::Cp932));
    EXPECT_EQ(testsupport::ReadFileBytes(path), "[LyricsFile]\nFolder=/\x93\xFA\x96\x7B/\n");
    EXPECT_EQ(ProfileFile::Load(path).Value("LyricsFile", "Folder"), "/\xE6\x97\xA5\xE6\x9C\xAC/");
    ASSERT_TRUE(f.Save(path, platform::AnsiCharset::Utf8));
    EXPECT_EQ(testsupport::ReadFileBytes(path), "[LyricsFile]\nFolder=/\xE6\x97\xA5\xE6\x9C\xAC/\n");
}
