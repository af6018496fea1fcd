#include "platform/RequestFrame.h"

#include <gtest/gtest.h>

#include "platform/WindowMessages.h"

using namespace platform;

namespace {
std::vector<unsigned> Bytes(std::span<const std::byte> b)
{
    std::vector<unsigned> out;
    for (std::byte x : b)
        out.push_back(static_cast<unsigned>(x));
    return out;
}
} // namespace

TEST(RequestFrame, HeaderIsTwentyLittleEndianBytes)
{
    const auto bytes = RequestFrame::EncodeHeader({WM_COPYDATA, 0x0F020000, -2, 0x0F000006, 0x01020304});
    const std::vector<unsigned> expected{0x4A, 0, 0, 0, 0x00, 0x00, 0x02, 0x0F, 0xFE, 0xFF, 0xFF, 0xFF,
                                         0x06, 0x00, 0x00, 0x0F, 0x04, 0x03, 0x02, 0x01};
    EXPECT_EQ(Bytes(bytes), expected);
    // Every field differs, so a decoder that mixed two up would not give the bytes back.
    EXPECT_EQ(RequestFrame::EncodeHeader(RequestFrame::DecodeHeader(bytes)), bytes);
}

TEST(RequestFrame, WholeRequestCarriesPayloadSizeAndReplyIsSignedInt32)
{
    const std::byte payload[3]{std::byte{7}, std::byte{8}, std::byte{9}};
    const auto frame = RequestFrame::Encode({WM_COPYDATA, 1, 0, 2, 999}, payload);
    ASSERT_EQ(frame.size(), 23u);
    EXPECT_EQ(static_cast<unsigned>(frame[16]), 3u); // cbData from the payload, not the header given
    EXPECT_EQ(static_cast<unsigned>(frame[22]), 9u);

    const auto reply = RequestFrame::EncodeReply(-1);
    EXPECT_EQ(Bytes(reply), (std::vector<unsigned>{0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(RequestFrame::DecodeReply(RequestFrame::EncodeReply(123456)), 123456);
}

TEST(RequestFrame, OnlyTheThreeKnownLayoutsAreValid)
{
    EXPECT_EQ(RequestFrame::Check({WM_USER, 0x0F080000, 0, 0, 0}), HeaderCheck::Valid);
    EXPECT_EQ(RequestFrame::Check({WM_SYSCOMMAND, SC_CLOSE, 0, 0, 0}), HeaderCheck::Valid);
    EXPECT_EQ(RequestFrame::Check({WM_COPYDATA, 0, 0, 5, 65536}), HeaderCheck::Valid);
    EXPECT_EQ(RequestFrame::Check({WM_COPYDATA, 0, 0, 5, 65537}), HeaderCheck::Malformed);
    EXPECT_EQ(RequestFrame::Check({WM_COPYDATA, 0, 0, 5, 0xFFFFFFFFu}), HeaderCheck::Malformed);
    EXPECT_EQ(RequestFrame::Check({WM_USER, 0, 0, 0, 4}), HeaderCheck::Malformed);
    EXPECT_EQ(RequestFrame::Check({WM_USER, 0, 0, 1, 0}), HeaderCheck::Malformed);
    EXPECT_EQ(RequestFrame::Check({0x020A, 0, 0, 0, 0}), HeaderCheck::Malformed); // a wheel message
    EXPECT_EQ(RequestFrame::Check({0x12345678, 0, 0, 0, 0}), HeaderCheck::Malformed);
}
