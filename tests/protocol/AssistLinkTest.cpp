#include "protocol/AssistArguments.h"
#include "protocol/AssistLink.h"

#include <gtest/gtest.h>

#include "platform/FakePlayerWindow.h"
#include "protocol/CommandWords.h"

using namespace protocol;
using testsupport::Command;

TEST(AssistArguments, HandleAndPositionSeparatedBySingleSpacesAnythingElseIsStandAlone)
{
    const auto a = ParseAssistArguments("1180 2");
    ASSERT_TRUE(a);
    EXPECT_EQ(a->PlayerHwnd, 1180);
    EXPECT_EQ(a->AssistIndex, 2);
    EXPECT_TRUE(ParseAssistArguments("1180 2 extra"));
    EXPECT_TRUE(ParseAssistArguments("+7 1"));
    // Two spaces leave the second field empty; a handle must fit in 32 bits.
    for (const char* standAlone : {"", "1180", "1180  2", "abc 2", "1180 x", "99999999999 1", "12a 1"})
        EXPECT_FALSE(ParseAssistArguments(standAlone)) << standAlone;

    // From main(): the arguments after the program name, joined by spaces.
    char program[] = "RemoteZKA", handle[] = "1180", position[] = "2";
    char* argv[] = {program, handle, position, nullptr};
    const auto b = ParseAssistArguments(3, argv);
    ASSERT_TRUE(b);
    EXPECT_EQ(b->PlayerHwnd, 1180);
    EXPECT_EQ(b->AssistIndex, 2);
    EXPECT_FALSE(ParseAssistArguments(2, argv));
}

TEST(AssistLink, AnnouncesInstallsItsProcedureAndPutsThePreviousBack)
{
    testsupport::TempEndpointDir dir;
    testsupport::FakePlayerWindow player(dir.Path(), 9001);
    auto window = platform::MessageWindow::Open([](const platform::WindowMessage&) {
                      return 33;
                  },
                                                testsupport::WindowOptions(dir.Path(), 9002))
                      .Window;
    ASSERT_TRUE(window);

    std::vector<std::uint32_t> codes;
    AssistLink link(*window, {9001, 3}, [&](std::uint32_t wParam, const platform::CopyDataStruct& cds) {
        codes.push_back(wParam);
        EXPECT_EQ(cds.cbData, 2u);
    });
    link.Link();
    EXPECT_EQ(player.Commands(), (std::vector<Command>{{0x0F040003, 9002}}));

    const std::byte data[2]{};
    platform::CopyDataStruct cds{1, 2, data};
    // Handled, then passed on to the previous procedure, whose result is the reply.
    EXPECT_EQ(window->Dispatch({.msg = platform::WM_COPYDATA, .wParam = CodeAnalyze, .copyData = &cds}), 33);
    EXPECT_EQ(codes, (std::vector<std::uint32_t>{CodeAnalyze}));
    EXPECT_EQ(window->Dispatch({.msg = platform::WM_USER, .wParam = 0, .lParam = 0}), 33);

    link.ReportClosing();
    link.Unlink();
    window->Dispatch({.msg = platform::WM_COPYDATA, .wParam = CodeAnalyze, .copyData = &cds});
    EXPECT_EQ(codes.size(), 1u);
    link.ReportClosing(); // no longer linked: nothing is sent
    EXPECT_EQ(player.Commands(), (std::vector<Command>{{0x0F040003, 9002}, {CmdClosing, 9002}}));
}
