// The request for plain image transfers lives in the environment only while
// the application is made, and never overrides the user's own choice.
#include "platform/PlainImageTransfer.h"
#include "support/ScopedEnvironment.h"

#include <gtest/gtest.h>

#include <cstdlib>

using platform::PlainImageTransfer;
using testsupport::ScopedEnvironment;

TEST(PlainImageTransferTest, RequestsUntilReleasedWhenTheUserHasNotChosenAndLeavesTheUsersChoiceAlone)
{
    const ScopedEnvironment unset("QT_XCB_NO_MITSHM", nullptr);
    {
        PlainImageTransfer transfer;
        EXPECT_TRUE(transfer.Requested());
        EXPECT_STREQ(std::getenv("QT_XCB_NO_MITSHM"), "1");
        transfer.Release();
        EXPECT_EQ(std::getenv("QT_XCB_NO_MITSHM"), nullptr);
    }
    {
        // Ending without Release takes the request back too.
        const PlainImageTransfer transfer;
        EXPECT_NE(std::getenv("QT_XCB_NO_MITSHM"), nullptr);
    }
    EXPECT_EQ(std::getenv("QT_XCB_NO_MITSHM"), nullptr);

    // The user's own choice is left alone.
    const ScopedEnvironment chosen("QT_XCB_NO_MITSHM", "");
    {
        PlainImageTransfer transfer;
        EXPECT_FALSE(transfer.Requested());
        transfer.Release();
    }
    EXPECT_STREQ(std::getenv("QT_XCB_NO_MITSHM"), "");
}
