#include "platform/ProgramLauncher.h"

#include <QTemporaryDir>
#include <chrono>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>

using platform::ProgramLauncher;

namespace {

// Waits for a file that the started program writes (it runs detached, so
// there is no process of ours to wait for).
std::string WaitForFile(const std::string& path)
{
    for (int i = 0; i < 500; ++i) {
        std::ifstream in(path);
        if (in) {
            std::stringstream ss;
            ss << in.rdbuf();
            std::string s = ss.str();
            if (!s.empty() && s.back() == '\n')
                return s;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return {};
}

} // namespace

TEST(ProgramLauncher, StartsWithArgumentsVerbatimWithoutAShell)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string out = dir.filePath("out.txt").toStdString();
    // Arguments with spaces and shell characters must arrive unchanged.
    auto r = ProgramLauncher::StartDetached(
        "/bin/sh", {"-c", "printf '%s|%s|%s\\n' \"$1\" \"$2\" \"$(pwd)\" > \"$3\"", "sh", "a b", "$HOME;*", out},
        dir.path().toStdString());
    ASSERT_TRUE(r) << r.outcome.message;
    EXPECT_GT(r.pid, 0);
    EXPECT_EQ(WaitForFile(out), "a b|$HOME;*|" + dir.path().toStdString() + "\n");
}

TEST(ProgramLauncher, LeavesNoChildOfOurOwn)
{
    auto r = ProgramLauncher::StartDetached("true", {});
    ASSERT_TRUE(r) << r.outcome.message;
    // The intermediate process was reaped, and the program is not our child.
    int status = 0;
    EXPECT_EQ(::waitpid(-1, &status, WNOHANG), -1);
    EXPECT_EQ(errno, ECHILD);
}

TEST(ProgramLauncher, FailuresAreValues)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    auto missing = ProgramLauncher::StartDetached(dir.filePath("nothing").toStdString(), {});
    EXPECT_FALSE(missing);
    EXPECT_EQ(missing.outcome.error, ENOENT);
    EXPECT_EQ(missing.pid, 0);

    const std::string notExecutable = dir.filePath("plain.txt").toStdString();
    std::ofstream(notExecutable) << "text";
    auto denied = ProgramLauncher::StartDetached(notExecutable, {});
    EXPECT_FALSE(denied);
    EXPECT_EQ(denied.outcome.error, EACCES);

    auto badFolder = ProgramLauncher::StartDetached("/bin/true", {}, dir.filePath("no/such").toStdString());
    EXPECT_FALSE(badFolder);
    EXPECT_EQ(badFolder.outcome.error, ENOENT);

    EXPECT_FALSE(ProgramLauncher::StartDetached("", {}));
    EXPECT_FALSE(ProgramLauncher::StartDetached("no-such-program-in-path-zelko", {}));
}
