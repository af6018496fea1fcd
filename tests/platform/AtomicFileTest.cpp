#include "platform/AtomicFile.h"

#include "support/FileBytes.h"
#include "support/TempFolder.h"

#include <csignal>
#include <gtest/gtest.h>
#include <iterator>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using platform::AtomicFile;

namespace {

std::ptrdiff_t CountEntries(const std::filesystem::path& folder)
{
    return std::distance(std::filesystem::directory_iterator(folder), std::filesystem::directory_iterator());
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

TEST(AtomicFile, CreatesAndReplacesWithoutLeavingTemporaryFilesAndReportsFailuresAsValues)
{
    testsupport::TempFolder dir;
    const std::string path = dir.Path("a.ini");
    ASSERT_TRUE(AtomicFile::Write(path, "one"));
    EXPECT_EQ(testsupport::ReadFileBytes(path), "one");
    ASSERT_TRUE(AtomicFile::Write(path, "two, longer"));
    EXPECT_EQ(testsupport::ReadFileBytes(path), "two, longer");
    EXPECT_EQ(CountEntries(dir.Path()), 1);

    EXPECT_FALSE(AtomicFile::Write(dir.Path("no/such/folder/a.ini"), "x"));
    EXPECT_FALSE(AtomicFile::Write(dir.Path(), "x")); // a folder
    EXPECT_FALSE(AtomicFile::Write("", "x"));
}

TEST(AtomicFile, WriteFailingMidwayLeavesTheOldFileIntact)
{
    testsupport::TempFolder dir;
    const std::string path = dir.Path("Zelko.ini");
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
    EXPECT_EQ(CountEntries(dir.Path()), 1); // the temporary file is gone
}

TEST(AtomicFile, KeepsPermissionsAndReplacesTheTargetOfALink)
{
    testsupport::TempFolder dir;
    const std::string target = dir.Path("real.ini");
    const std::string link = dir.Path("link.ini");
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
