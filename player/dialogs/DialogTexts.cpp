#include "player/dialogs/DialogTexts.h"

#include <cstdio>
#include <utility>

namespace dialogs {

namespace {

std::string TwoDigits(int value)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, value < 0 ? "-%02d" : "%02d", value < 0 ? -value : value);
    return buffer;
}

std::vector<std::string> BuildShortcutLines()
{
    const std::string indent(4, ' ');
    const std::string separator = indent + std::string(28, '-');
    // An empty key marks a separator line.
    static constexpr std::pair<std::string_view, std::string_view> entries[] = {
        {"Alt + [Space]", "システムメニューの表示"},
        {"Ctrl + M", "メニューの表示"},
        {"", ""},
        {"Ctrl + P", "再生"},
        {"Ctrl + U", "一時停止"},
        {"Ctrl + T", "停止"},
        {"Ctrl + V", "前のトラックへジャンプ"},
        {"Ctrl + N", "次のトラックへジャンプ"},
        {"Ctrl + Shift + M", "ランダムモード切り替え"},
        {"Ctrl + Shift + R", "リピートモード切り替え"},
        {"", ""},
        {"Ctrl + O", "フォルダを開く"},
        {"Ctrl + F", "ファイルを開く"},
        {"", ""},
        {"Ctrl + L", "プレイリスト または 歌詞ウィンドウの開閉"},
        {"", ""},
        {"Ctrl + Shift + S", "スキンの変更"},
        {"", ""},
        {"Ctrl + ↑", "プレイリスト(表示部)の移動"},
        {"Ctrl + ↓", "プレイリスト(表示部)の移動"},
        {"Ctrl + Shift + ↑", "プレイリスト(表示部)の移動"},
        {"Ctrl + Shift + ↓", "プレイリスト(表示部)の移動"},
        {"", ""},
        {"Ctrl + R", "プロパティの表示"},
        {"", ""},
        {"Ctrl + F4", "終了"},
        {"", ""},
        {"Ctrl + ←", "5秒戻る"},
        {"Ctrl + →", "5秒進む"},
        {"Ctrl + Shift + ←", "30秒戻る"},
        {"Ctrl + Shift + →", "30秒進む"},
    };
    std::vector<std::string> lines;
    lines.reserve(std::size(entries));
    for (const auto& [key, description] : entries) {
        if (key.empty())
            lines.push_back(separator);
        else
            lines.push_back(indent + std::string(key) + '\t' + std::string(description));
    }
    return lines;
}

} // namespace

std::string PropsCaption()
{
    return std::string(ApplicationTitle) + " のﾌﾟﾛﾊﾟﾃｨ";
}

std::string AboutCaption()
{
    return std::string(ApplicationTitle) + " のﾊﾞｰｼﾞｮﾝ情報";
}

std::string VersionText(const ProgramVersion& version)
{
    return "ﾊﾞｰｼﾞｮﾝ " + std::to_string(version.Major) + "." + std::to_string(version.Minor)
        + TwoDigits(version.Revision);
}

const std::vector<std::string>& ShortcutLines()
{
    static const std::vector<std::string> lines = BuildShortcutLines();
    return lines;
}

} // namespace dialogs
