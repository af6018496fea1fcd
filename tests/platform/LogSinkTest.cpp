// Library messages reach the installed sink, and the sink before it comes back.
#include "platform/LogSink.h"
#include "support/CapturedLog.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace platform {
namespace {

TEST(LogSinkTest, LinesGoToTheInnermostSinkUntilItIsRemoved)
{
    testsupport::CapturedLog outer;
    Log("one");
    {
        testsupport::CapturedLog inner;
        Log("two");
        EXPECT_EQ(inner.Lines(), std::vector<std::string>{"two"});
    }
    Log("three");
    EXPECT_EQ(outer.Lines(), (std::vector<std::string>{"one", "three"}));
}

} // namespace
} // namespace platform
