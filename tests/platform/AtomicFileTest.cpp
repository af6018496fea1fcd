#include "platform/AtomicFile.h"

#include "support/FileBytes.h"

#include <QDir>
#include <QTemporaryDir>
#include <csignal>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using platform::AtomicFile;

namespace {

int CountEntries(const QString& folder)
{
    return static_cast<int>(QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).size());
}

// Lowers the largest file this process may write, so a write fails midway
// with EFBIG as on a full disk; restores the limit and the signal on scope exit.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit lim = m_old;
        lim.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &lim);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
};

} // namespace

TEST(AtomicFile, CreatesAndReplacesWithoutLeavingTemporaryFiles)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string path = dir.filePath("a.ini").toStdString();
    ASSERT_TRUE(AtomicFile::Write(path, "one"));
    EXPECT_EQ(testsupport::ReadFileBytes(path), "one");
    ASSERT_TRUE(AtomicFile::Write(path, "two, longer"));
    EXPECT_EQ(testsupport::ReadFileBytes(path), "two, longer");
    EXPECT_EQ(CountEntries(dir.path()), 1);
}

TEST(AtomicFile, WriteFailingMidwayLeavesTheOldFileIntact)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string path = dir.filePath("Zelko.ini").toStdString();
    const std::string old = "[Skin]\nPath=/old/\n";
    ASSERT_TRUE(AtomicFile::Write(path, old));

    platform::IoResult result;
    {
        FileSizeLimit limit(4096);
        result = AtomicFile::Write(path, std::string(64 * 1024, 'n'));
    }
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.error, EFBIG);
    EXPECT_FALSE(result.message.empty());
    EXPECT_EQ(testsupport::ReadFileBytes(path), old);
    EXPECT_EQ(CountEntries(dir.path()), 1);   // the temporary file is gone
}

TEST(AtomicFile, KeepsPermissionsAndReplacesTheTargetOfALink)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string target = dir.filePath("real.ini").toStdString();
    const std::string link = dir.filePath("link.ini").toStdString();
    ASSERT_TRUE(AtomicFile::Write(target, "old"));
    ASSERT_EQ(::chmod(target.c_str(), 0600), 0);
    ASSERT_EQ(::symlink("real.ini", link.c_str()), 0);

    ASSERT_TRUE(AtomicFile::Write(link, "new"));
    struct stat st {};
    ASSERT_EQ(::lstat(link.c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    EXPECT_EQ(testsupport::ReadFileBytes(target), "new");
    ASSERT_EQ(::stat(target.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
}

TEST(AtomicFile, FailuresAreReportedAsValues)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    EXPECT_FALSE(AtomicFile::Write(dir.filePath("no/such/folder/a.ini").toStdString(), "x"));
    EXPECT_FALSE(AtomicFile::Write(dir.path().toStdString(), "x"));   // a folder
    EXPECT_FALSE(AtomicFile::Write("", "x"));
}
