#include "player/playback/KeyTable.h"

#include <gtest/gtest.h>

namespace {

constexpr unsigned kCtrl = kCtrlBit;
constexpr unsigned kCtrlShift = kCtrlBit | kShiftBit;

TEST(KeyTableTest, CtrlShiftRowsTakePrecedence) {
    EXPECT_EQ(LookupKeyCommand('S', kCtrlShift), KeyCommand::NextSkin);
    EXPECT_EQ(LookupKeyCommand('M', kCtrlShift), KeyCommand::ToggleShuffle);
    EXPECT_EQ(LookupKeyCommand('R', kCtrlShift), KeyCommand::ToggleRepeat);
    EXPECT_EQ(LookupKeyCommand(40, kCtrlShift), KeyCommand::WheelMinus);
    EXPECT_EQ(LookupKeyCommand(38, kCtrlShift), KeyCommand::WheelPlus);
}

TEST(KeyTableTest, CtrlRowsWithoutShift) {
    EXPECT_EQ(LookupKeyCommand('M', kCtrl), KeyCommand::MainMenu);
    EXPECT_EQ(LookupKeyCommand('R', kCtrl), KeyCommand::Properties);
    EXPECT_EQ(LookupKeyCommand(40, kCtrl), KeyCommand::ListDown);
    EXPECT_EQ(LookupKeyCommand(38, kCtrl), KeyCommand::ListUp);
    EXPECT_EQ(LookupKeyCommand('L', kCtrl), KeyCommand::PullPanel);
    EXPECT_EQ(LookupKeyCommand('O', kCtrl), KeyCommand::OpenFolder);
    EXPECT_EQ(LookupKeyCommand('F', kCtrl), KeyCommand::OpenFile);
    EXPECT_EQ(LookupKeyCommand('P', kCtrl), KeyCommand::Play);
    EXPECT_EQ(LookupKeyCommand('U', kCtrl), KeyCommand::Pause);
    EXPECT_EQ(LookupKeyCommand('T', kCtrl), KeyCommand::Stop);
    EXPECT_EQ(LookupKeyCommand('V', kCtrl), KeyCommand::Previous);
    EXPECT_EQ(LookupKeyCommand('N', kCtrl), KeyCommand::Next);
    EXPECT_EQ(LookupKeyCommand(115, kCtrl), KeyCommand::Exit);
}

TEST(KeyTableTest, CtrlRowsApplyWithShiftToo) {
    EXPECT_EQ(LookupKeyCommand('P', kCtrlShift), KeyCommand::Play);
    EXPECT_EQ(LookupKeyCommand(115, kCtrlShift), KeyCommand::Exit);
    EXPECT_EQ(LookupKeyCommand('N', kCtrlShift), KeyCommand::Next);
}

TEST(KeyTableTest, KeysThatDoNothing) {
    EXPECT_EQ(LookupKeyCommand('S', kCtrl), std::nullopt);       // Ctrl+S without Shift
    EXPECT_EQ(LookupKeyCommand('P', 0), std::nullopt);           // no Ctrl
    EXPECT_EQ(LookupKeyCommand('P', kShiftBit), std::nullopt);   // Shift alone
    EXPECT_EQ(LookupKeyCommand('Q', kCtrl), std::nullopt);       // not in the table
    EXPECT_EQ(LookupKeyCommand('P', kCtrl | 4u), KeyCommand::Play);  // Alt bit ignored
}

} // namespace
