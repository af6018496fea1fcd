#include "platform/ProgramLauncher.h"

#include "support/FileBytes.h"
#include "support/TempFolder.h"

#include <chrono>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <thread>

using platform::ProgramLauncher;

TEST(ProgramLauncher, StartsWithArgumentsVerbatimWithoutAShellAndLeavesNoChildOfOurOwn)
{
    testsupport::TempFolder dir;
    const std::string out = dir.Path("out.txt");
    // Arguments with spaces and shell characters must arrive unchanged.
    auto r = ProgramLauncher::StartDetached(
        "sh", {"-c", "printf '%s|%s|%s\\n' \"$1\" \"$2\" \"$(pwd)\" > \"$3\"", "sh", "a b", "$HOME;*", out},
        dir.Path().string());
    ASSERT_TRUE(r) << r.outcome.message;
    EXPECT_GT(r.pid, 0);
    // The intermediate process was reaped, and the program is not our child.
    int status = 0;
    EXPECT_EQ(::waitpid(-1, &status, WNOHANG), -1);
    EXPECT_EQ(errno, ECHILD);
    // It runs detached: there is no process of ours to wait for, only its file.
    std::string written;
    for (int i = 0; i < 500 && (written.empty() || written.back() != '\n'); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        written = testsupport::ReadFileBytes(out);
    }
    EXPECT_EQ(written, "a b|$HOME;*|" + dir.Path().string() + "\n");
}

TEST(ProgramLauncher, FailuresAreValues)
{
    testsupport::TempFolder dir;
    auto missing = ProgramLauncher::StartDetached(dir.Path("nothing"), {});
    EXPECT_FALSE(missing);
    EXPECT_EQ(missing.outcome.error, ENOENT);
    EXPECT_EQ(missing.pid, 0);

    const std::string notExecutable = dir.Path("plain.txt");
    testsupport::WriteFileBytes(notExecutable, "text");
    auto denied = ProgramLauncher::StartDetached(notExecutable, {});
    EXPECT_FALSE(denied);
    EXPECT_EQ(denied.outcome.error, EACCES);

    auto badFolder = ProgramLauncher::StartDetached("/bin/true", {}, dir.Path("no/such"));
    EXPECT_FALSE(badFolder);
    EXPECT_EQ(badFolder.outcome.error, ENOENT);

    EXPECT_FALSE(ProgramLauncher::StartDetached("", {}));
    EXPECT_FALSE(ProgramLauncher::StartDetached("no-such-program-in-path-zelko", {}));
}
