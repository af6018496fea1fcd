#pragma once
// The fixed texts of the Properties and About dialogs. All UTF-8, in the
// language of the user interface (the Japanese source texts when no
// translation is installed).
#include "player/dialogs/ProgramVersion.h"

#include <QtGlobal>

#include <string>
#include <string_view>
#include <vector>

namespace dialogs {

// The application's title, which the dialogs' captions begin with.
inline constexpr std::string_view ApplicationTitle = "Zelko Deck";

// The title of the folder dialog that chooses the lyrics folder.
// A source text of the "DialogTexts" context; the dialog shows it translated.
inline constexpr const char* LyricsFolderDialogTitle = QT_TRANSLATE_NOOP("DialogTexts", "フォルダを選択して下さい。");

std::string PropsCaption(); // "Zelko Deck のﾌﾟﾛﾊﾟﾃｨ"
std::string AboutCaption(); // "Zelko Deck のﾊﾞｰｼﾞｮﾝ情報"

// "ﾊﾞｰｼﾞｮﾝ " followed by major, ".", minor and the revision written with at
// least two digits: {1, 2, 3} gives "ﾊﾞｰｼﾞｮﾝ 1.203". Negative numbers are
// written with their sign.
std::string VersionText(const ProgramVersion& version);

// The lines of the About dialog's shortcut list, in order: four spaces, the
// key, a tab and what the key does; separators are four spaces and 28 hyphens.
std::vector<std::string> ShortcutLines();
// Translated(LyricsFolderDialogTitle) and the like.
std::string Translated(const char* source);

} // namespace dialogs
