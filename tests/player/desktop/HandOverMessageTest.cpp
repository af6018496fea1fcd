#include "player/desktop/HandOverMessage.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace {

using desktop::AddMode;
using desktop::DecodeHandOver;
using desktop::EncodeHandOver;
using desktop::HandOverRequest;

std::vector<std::byte> Bytes(const std::string& text)
{
    std::vector<std::byte> bytes;
    for (const char c : text)
        bytes.push_back(static_cast<std::byte>(c));
    return bytes;
}

// Files go over as they were named; no files asks to raise the window.
TEST(HandOverMessageTest, FilesGoOverAsTheyWereNamedAndNoFilesAsksToRaise)
{
    const std::vector<std::string> files{"/music/a b.mp3", "/music/日本語.mp3", "/music/folder"};
    const std::vector<std::tuple<std::vector<std::string>, AddMode, HandOverRequest>> rows{
        {files, AddMode::Play, HandOverRequest::Play},
        {{"/x.mp3"}, AddMode::Enqueue, HandOverRequest::Enqueue},
        {{}, AddMode::Play, HandOverRequest::Raise},
    };
    for (const auto& [sent, mode, request] : rows) {
        const auto messages = EncodeHandOver(sent, mode, 65536);
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].request, request);
        const auto content = DecodeHandOver(static_cast<std::uint32_t>(messages[0].request), messages[0].payload);
        ASSERT_TRUE(content);
        EXPECT_EQ(content->request, request);
        EXPECT_EQ(content->files, sent);
    }
}

TEST(HandOverMessageTest, ALongListIsSplitAndOnlyTheFirstPartPlays)
{
    // Each path takes 10 bytes with its NUL; 25 bytes hold two of them.
    const std::vector<std::string> files{"/a/01.mp3", "/a/02.mp3", "/a/03.mp3", "/a/04.mp3", "/a/05.mp3"};
    const auto messages = EncodeHandOver(files, AddMode::Play, 25);
    ASSERT_EQ(messages.size(), 3u);
    std::vector<std::string> received;
    for (std::size_t i = 0; i < messages.size(); ++i) {
        EXPECT_LE(messages[i].payload.size(), 25u);
        EXPECT_EQ(messages[i].request, i == 0 ? HandOverRequest::Play : HandOverRequest::Enqueue);
        const auto content = DecodeHandOver(static_cast<std::uint32_t>(messages[i].request), messages[i].payload);
        ASSERT_TRUE(content);
        received.insert(received.end(), content->files.begin(), content->files.end());
    }
    EXPECT_EQ(received, files);
    // A path that fits no message is left out rather than cut.
    const auto longOne = EncodeHandOver({std::string(30, 'x'), "/a/01.mp3"}, AddMode::Play, 25);
    ASSERT_EQ(longOne.size(), 1u);
    EXPECT_EQ(DecodeHandOver(0, longOne[0].payload)->files, std::vector<std::string>{"/a/01.mp3"});
}

TEST(HandOverMessageTest, MalformedMessagesAreRefused)
{
    EXPECT_FALSE(DecodeHandOver(7, Bytes(std::string("/a.mp3") + '\0')));
    EXPECT_FALSE(DecodeHandOver(0, Bytes("/a.mp3")));
    EXPECT_FALSE(DecodeHandOver(0, {}));
    EXPECT_FALSE(DecodeHandOver(0, Bytes(std::string("/a.mp3") + '\0' + '\0')));
    EXPECT_FALSE(DecodeHandOver(2, Bytes(std::string("/a.mp3") + '\0')));
}

} // namespace
