#include "player/dialogs/DialogTexts.h"

#include "player/playback/KeyTable.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <utility>

using namespace dialogs;

TEST(DialogTexts, VersionTextWritesTheRevisionWithTwoDigits)
{
    EXPECT_EQ(VersionText({1, 2, 3}), "ﾊﾞｰｼﾞｮﾝ 1.203");
    EXPECT_EQ(VersionText({1, 0, 0}), "ﾊﾞｰｼﾞｮﾝ 1.000");
    // A revision of three digits keeps all of them.
    EXPECT_EQ(VersionText({1, 2, 123}), "ﾊﾞｰｼﾞｮﾝ 1.2123");
}

// The About dialog's shortcut list and the keys the main window acts on are
// the same set: every key shown does something, and every key that does
// something is shown.
TEST(DialogTexts, TheShortcutListShowsExactlyTheKeysOfTheKeyTable)
{
    const std::map<std::string, int> keyCodes{{"↑", 38}, {"↓", 40}, {"←", 37}, {"→", 39}, {"F4", 115}};
    std::set<std::pair<int, bool>> shown;
    for (const std::string& line : ShortcutLines()) {
        const std::string key = line.substr(4, line.find('\t') - 4);
        if (line.find('\t') == std::string::npos || key.rfind("Ctrl + ", 0) != 0)
            continue; // separators and the window system's own Alt + Space
        SCOPED_TRACE(line);
        const bool shift = key.rfind("Ctrl + Shift + ", 0) == 0;
        const std::string name = key.substr(shift ? 15 : 7);
        const int code = name.size() == 1 ? name[0] : keyCodes.at(name);
        EXPECT_TRUE(playback::LookupKeyCommand(code, playback::kCtrlBit | (shift ? playback::kShiftBit : 0)));
        shown.emplace(code, shift);
    }
    for (const playback::KeyRule& rule : playback::kKeyRules)
        EXPECT_TRUE(shown.count({rule.keyCode, rule.needsShift})) << "key " << rule.keyCode << " is not listed";
}
