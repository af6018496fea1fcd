#include "platform/EndpointDirectory.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>

#include "platform/MessagingTestSupport.h"
#include "support/ScopedEnvironment.h"

using namespace platform;

using testsupport::ScopedEnvironment;

TEST(EndpointDirectory, DefaultFollowsRuntimeDirElseTmpWithUserId)
{
    {
        ScopedEnvironment env("XDG_RUNTIME_DIR", "/run/user/4242");
        EXPECT_EQ(EndpointDirectory::DefaultPath(), std::filesystem::path("/run/user/4242/zelko"));
    }
    {
        ScopedEnvironment env("XDG_RUNTIME_DIR", nullptr);
        EXPECT_EQ(EndpointDirectory::DefaultPath(),
                  std::filesystem::path("/tmp/zelko-" + std::to_string(::getuid())));
    }
}

TEST(EndpointDirectory, CreatedPrivateAndRefusedWhenOthersCanWriteOrItIsALink)
{
    testsupport::TempEndpointDir base;
    const auto dir = base.Path() / "zelko";
    EXPECT_FALSE(EndpointDirectory::Prepare(dir).has_value());
    struct stat st {};
    ASSERT_EQ(::stat(dir.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    EXPECT_FALSE(EndpointDirectory::Prepare(dir).has_value()); // existing and sound

    ::chmod(dir.c_str(), 0777);
    EXPECT_TRUE(EndpointDirectory::Prepare(dir).has_value());
    ::chmod(dir.c_str(), 0720);
    EXPECT_TRUE(EndpointDirectory::Prepare(dir).has_value());
    ::chmod(dir.c_str(), 0755); // readable by others is acceptable, writable is not
    EXPECT_FALSE(EndpointDirectory::Prepare(dir).has_value());

    const auto link = base.Path() / "link";
    std::filesystem::create_directory_symlink(dir, link);
    EXPECT_TRUE(EndpointDirectory::Prepare(link).has_value());

    const auto file = base.Path() / "file";
    {
        std::ofstream(file.string()) << "x";
    }
    EXPECT_TRUE(EndpointDirectory::Prepare(file).has_value());

    EXPECT_TRUE(EndpointDirectory::Prepare(base.Path() / "missing" / "deeper").has_value());
}
