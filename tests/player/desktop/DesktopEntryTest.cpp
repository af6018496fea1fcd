// The installed desktop entry, checked by the desktop-file-utils validator.
#include <gtest/gtest.h>

#include <QProcess>

#include <fstream>
#include <sstream>

namespace {

const char* const EntryPath = ZELKO_SOURCE_DIR "/player/desktop/zelko.desktop";

TEST(DesktopEntryTest, PassesTheValidator)
{
    QProcess validate;
    validate.start(QStringLiteral("desktop-file-validate"), {QString::fromUtf8(EntryPath)});
    ASSERT_TRUE(validate.waitForFinished(20000));
    EXPECT_EQ(validate.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(validate.exitCode(), 0) << validate.readAllStandardOutput().toStdString()
                                      << validate.readAllStandardError().toStdString();
}

TEST(DesktopEntryTest, OpensFilesAndDeclaresTheTypes)
{
    std::ifstream in(EntryPath);
    std::stringstream text;
    text << in.rdbuf();
    const std::string entry = text.str();
    EXPECT_NE(entry.find("\nExec=zelko %F\n"), std::string::npos);
    EXPECT_NE(entry.find("audio/mpeg;"), std::string::npos);
    EXPECT_NE(entry.find("audio/x-mpegurl;"), std::string::npos);
    EXPECT_NE(entry.find("inode/directory;"), std::string::npos);
    EXPECT_NE(entry.find("Name=Add to Zelko\nExec=zelko --enqueue %F"), std::string::npos);
}

} // namespace
