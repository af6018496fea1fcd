#include "player/dialogs/DialogTexts.h"

#include <QCoreApplication>
#include <QString>

#include <cstdio>
#include <utility>

namespace dialogs {

namespace {

// A source text of the "DialogTexts" context with "%1" filled in.
std::string Filled(const char* source, std::string_view argument)
{
    return QCoreApplication::translate("DialogTexts", source)
        .arg(QString::fromUtf8(argument.data(), static_cast<qsizetype>(argument.size())))
        .toStdString();
}

std::string TwoDigits(int value)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, value < 0 ? "-%02d" : "%02d", value < 0 ? -value : value);
    return buffer;
}

} // namespace

std::string Translated(const char* source)
{
    return QCoreApplication::translate("DialogTexts", source).toStdString();
}

std::vector<std::string> ShortcutLines()
{
    const std::string indent(4, ' ');
    const std::string separator = indent + std::string(28, '-');
    // An empty key marks a separator line.
    static constexpr std::pair<std::string_view, std::string_view> entries[] = {
        {"Alt + [Space]", QT_TRANSLATE_NOOP("DialogTexts", "システムメニューの表示")},
        {"Ctrl + M", QT_TRANSLATE_NOOP("DialogTexts", "メニューの表示")},
        {"", ""},
        {"Ctrl + P", QT_TRANSLATE_NOOP("DialogTexts", "再生")},
        {"Ctrl + U", QT_TRANSLATE_NOOP("DialogTexts", "一時停止")},
        {"Ctrl + T", QT_TRANSLATE_NOOP("DialogTexts", "停止")},
        {"Ctrl + V", QT_TRANSLATE_NOOP("DialogTexts", "前のトラックへジャンプ")},
        {"Ctrl + N", QT_TRANSLATE_NOOP("DialogTexts", "次のトラックへジャンプ")},
        {"Ctrl + Shift + M", QT_TRANSLATE_NOOP("DialogTexts", "ランダムモード切り替え")},
        {"Ctrl + Shift + R", QT_TRANSLATE_NOOP("DialogTexts", "リピートモード切り替え")},
        {"", ""},
        {"Ctrl + O", QT_TRANSLATE_NOOP("DialogTexts", "フォルダを開く")},
        {"Ctrl + F", QT_TRANSLATE_NOOP("DialogTexts", "ファイルを開く")},
        {"", ""},
        {"Ctrl + L", QT_TRANSLATE_NOOP("DialogTexts", "プレイリスト または 歌詞ウィンドウの開閉")},
        {"", ""},
        {"Ctrl + Shift + S", QT_TRANSLATE_NOOP("DialogTexts", "スキンの変更")},
        {"", ""},
        {"Ctrl + ↑", QT_TRANSLATE_NOOP("DialogTexts", "プレイリスト(表示部)の移動")},
        {"Ctrl + ↓", QT_TRANSLATE_NOOP("DialogTexts", "プレイリスト(表示部)の移動")},
        {"Ctrl + Shift + ↑", QT_TRANSLATE_NOOP("DialogTexts", "プレイリスト(表示部)の移動")},
        {"Ctrl + Shift + ↓", QT_TRANSLATE_NOOP("DialogTexts", "プレイリスト(表示部)の移動")},
        {"", ""},
        {"Ctrl + R", QT_TRANSLATE_NOOP("DialogTexts", "プロパティの表示")},
        {"", ""},
        {"Ctrl + F4", QT_TRANSLATE_NOOP("DialogTexts", "終了")},
        {"", ""},
        {"Ctrl + ←", QT_TRANSLATE_NOOP("DialogTexts", "5秒戻る")},
        {"Ctrl + →", QT_TRANSLATE_NOOP("DialogTexts", "5秒進む")},
        {"Ctrl + Shift + ←", QT_TRANSLATE_NOOP("DialogTexts", "30秒戻る")},
        {"Ctrl + Shift + →", QT_TRANSLATE_NOOP("DialogTexts", "30秒進む")},
    };
    std::vector<std::string> lines;
    lines.reserve(std::size(entries));
    for (const auto& [key, description] : entries) {
        if (key.empty())
            lines.push_back(separator);
        else
            lines.push_back(indent + std::string(key) + '\t' + Translated(description.data()));
    }
    return lines;
}

std::string PropsCaption()
{
    return Filled(QT_TRANSLATE_NOOP("DialogTexts", "%1 のﾌﾟﾛﾊﾟﾃｨ"), ApplicationTitle);
}

std::string AboutCaption()
{
    return Filled(QT_TRANSLATE_NOOP("DialogTexts", "%1 のﾊﾞｰｼﾞｮﾝ情報"), ApplicationTitle);
}

std::string VersionText(const ProgramVersion& version)
{
    const std::string number = std::to_string(version.Major) + "." + std::to_string(version.Minor) + TwoDigits(version.Revision);
    return Filled(QT_TRANSLATE_NOOP("DialogTexts", "ﾊﾞｰｼﾞｮﾝ %1"), number);
}

} // namespace dialogs
