#pragma once
// The shortcut list exactly as the About dialog must show it, written out in
// full so that the tests compare against the text itself, not against the
// table the program builds it from.
#include <string>
#include <vector>

inline const std::vector<std::string>& ExpectedShortcutLines()
{
    static const std::vector<std::string> lines = {
        "    Alt + [Space]\tシステムメニューの表示",
        "    Ctrl + M\tメニューの表示",
        "    ----------------------------",
        "    Ctrl + P\t再生",
        "    Ctrl + U\t一時停止",
        "    Ctrl + T\t停止",
        "    Ctrl + V\t前のトラックへジャンプ",
        "    Ctrl + N\t次のトラックへジャンプ",
        "    Ctrl + Shift + M\tランダムモード切り替え",
        "    Ctrl + Shift + R\tリピートモード切り替え",
        "    ----------------------------",
        "    Ctrl + O\tフォルダを開く",
        "    Ctrl + F\tファイルを開く",
        "    ----------------------------",
        "    Ctrl + L\tプレイリスト または 歌詞ウィンドウの開閉",
        "    ----------------------------",
        "    Ctrl + Shift + S\tスキンの変更",
        "    ----------------------------",
        "    Ctrl + ↑\tプレイリスト(表示部)の移動",
        "    Ctrl + ↓\tプレイリスト(表示部)の移動",
        "    Ctrl + Shift + ↑\tプレイリスト(表示部)の移動",
        "    Ctrl + Shift + ↓\tプレイリスト(表示部)の移動",
        "    ----------------------------",
        "    Ctrl + R\tプロパティの表示",
        "    ----------------------------",
        "    Ctrl + F4\t終了",
        "    ----------------------------",
        "    Ctrl + ←\t5秒戻る",
        "    Ctrl + →\t5秒進む",
        "    Ctrl + Shift + ←\t30秒戻る",
        "    Ctrl + Shift + →\t30秒進む",
    };
    return lines;
}
