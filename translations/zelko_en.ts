<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>AssistCatalogue</name>
    <message>
        <source>&lt;なし&gt;</source>
        <translation>(None)</translation>
    </message>
</context>
<context>
    <name>DialogTexts</name>
    <message>
        <source>システムメニューの表示</source>
        <translation>System menu</translation>
    </message>
    <message>
        <source>メニューの表示</source>
        <translation>Main menu</translation>
    </message>
    <message>
        <source>再生</source>
        <translation>Play</translation>
    </message>
    <message>
        <source>一時停止</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>停止</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>前のトラックへジャンプ</source>
        <translation>Previous track</translation>
    </message>
    <message>
        <source>次のトラックへジャンプ</source>
        <translation>Next track</translation>
    </message>
    <message>
        <source>ランダムモード切り替え</source>
        <translation>Shuffle on/off</translation>
    </message>
    <message>
        <source>リピートモード切り替え</source>
        <translation>Repeat on/off</translation>
    </message>
    <message>
        <source>フォルダを開く</source>
        <translation>Open a folder</translation>
    </message>
    <message>
        <source>ファイルを開く</source>
        <translation>Open files</translation>
    </message>
    <message>
        <source>プレイリスト または 歌詞ウィンドウの開閉</source>
        <translation>Open or close the playlist or lyrics drawer</translation>
    </message>
    <message>
        <source>スキンの変更</source>
        <translation>Next skin</translation>
    </message>
    <message>
        <source>プレイリスト(表示部)の移動</source>
        <translation>Scroll the playlist</translation>
    </message>
    <message>
        <source>プロパティの表示</source>
        <translation>Properties</translation>
    </message>
    <message>
        <source>終了</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>5秒戻る</source>
        <translation>Back 5 seconds</translation>
    </message>
    <message>
        <source>5秒進む</source>
        <translation>Forward 5 seconds</translation>
    </message>
    <message>
        <source>30秒戻る</source>
        <translation>Back 30 seconds</translation>
    </message>
    <message>
        <source>30秒進む</source>
        <translation>Forward 30 seconds</translation>
    </message>
    <message>
        <source>%1 のﾌﾟﾛﾊﾟﾃｨ</source>
        <translation>%1 Properties</translation>
    </message>
    <message>
        <source>%1 のﾊﾞｰｼﾞｮﾝ情報</source>
        <translation>About %1</translation>
    </message>
    <message>
        <source>ﾊﾞｰｼﾞｮﾝ %1</source>
        <translation>Version %1</translation>
    </message>
    <message>
        <source>フォルダを選択して下さい。</source>
        <translation>Choose the lyrics folder</translation>
    </message>
</context>
<context>
    <name>PlayerMenus</name>
    <message>
        <source>スタート(&amp;P)</source>
        <translation>&amp;Play</translation>
    </message>
    <message>
        <source>一時停止(&amp;U)</source>
        <translation>Pa&amp;use</translation>
    </message>
    <message>
        <source>ストップ(&amp;T)</source>
        <translation>S&amp;top</translation>
    </message>
    <message>
        <source>前のトラック(&amp;V)</source>
        <translation>Pre&amp;vious Track</translation>
    </message>
    <message>
        <source>次のトラック(&amp;N)</source>
        <translation>&amp;Next Track</translation>
    </message>
    <message>
        <source>プロパティ(&amp;R)...</source>
        <translation>P&amp;roperties...</translation>
    </message>
    <message>
        <source>バージョン情報(&amp;A)...</source>
        <translation>A&amp;bout Zelko Deck...</translation>
    </message>
    <message>
        <source>終了(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>すべて削除(&amp;C)</source>
        <translation>&amp;Clear All</translation>
    </message>
    <message>
        <source>フォルダを開く(&amp;D)...</source>
        <translation>Open Fol&amp;der...</translation>
    </message>
    <message>
        <source>ファイルを開く(&amp;F)...</source>
        <translation>Open &amp;Files...</translation>
    </message>
    <message>
        <source>アシスタント(&amp;A)</source>
        <translation>&amp;Assists</translation>
    </message>
    <message>
        <source>2倍のサイズ</source>
        <translation>Double Size</translation>
    </message>
</context>
<context>
    <name>PlayerView</name>
    <message>
        <source>%1 を再生できません</source>
        <translation>Cannot play %1</translation>
    </message>
</context>
<context>
    <name>SkinCatalogue</name>
    <message>
        <source>スキン(&amp;S)</source>
        <translation>&amp;Skins</translation>
    </message>
    <message>
        <source>&lt;なし&gt;</source>
        <translation>(None)</translation>
    </message>
    <message>
        <source>その他(&amp;O)...</source>
        <translation>&amp;Other...</translation>
    </message>
    <message>
        <source>曲ごとにスキンを替える(&amp;K)</source>
        <translation>Change S&amp;kin with Each Track</translation>
    </message>
    <message>
        <source>スキンフォルダを選択して下さい。</source>
        <translation>Choose a skin folder</translation>
    </message>
</context>
<context>
    <name>frmZelko</name>
    <message>
        <source>指定された[スキンファイル]が正しくありません。</source>
        <translation>The specified [skin file] is not valid.</translation>
    </message>
    <message>
        <source>フォルダを選択して下さい。</source>
        <translation>Choose a music folder</translation>
    </message>
</context>
<context>
    <name>frmZelkoAbout</name>
    <message>
        <source>ﾊﾞｰｼﾞｮﾝ</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>ｼｮｰﾄｶｯﾄ</source>
        <translation>Shortcuts</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>frmZelkoProps</name>
    <message>
        <source>全般</source>
        <translation>General</translation>
    </message>
    <message>
        <source>ボリューム：</source>
        <translation>Volume:</translation>
    </message>
    <message>
        <source>全曲リピート：</source>
        <translation>Repeat all:</translation>
    </message>
    <message>
        <source>ランダム演奏：</source>
        <translation>Shuffle:</translation>
    </message>
    <message>
        <source>ウィンドウ</source>
        <translation>Window</translation>
    </message>
    <message>
        <source>（上）：</source>
        <translation>top:</translation>
    </message>
    <message>
        <source>メインウィンドウの表示位置（左）：</source>
        <translation>Main window position, left:</translation>
    </message>
    <message>
        <source>スキンが替わるたびプレイリストウィンドウを表示する：</source>
        <translation>Show the playlist after a skin change:</translation>
    </message>
    <message>
        <source>スキンが替わるたび歌詞ウィンドウを表示する：</source>
        <translation>Show the lyrics after a skin change:</translation>
    </message>
    <message>
        <source>フォルダを開く</source>
        <translation>Open Folder</translation>
    </message>
    <message>
        <source>子階層検索を有効にする：</source>
        <translation>Include subfolders:</translation>
    </message>
    <message>
        <source>歌詞ファイル</source>
        <translation>Lyrics Files</translation>
    </message>
    <message>
        <source>拡張子：</source>
        <translation>Extensions:</translation>
    </message>
    <message>
        <source>複数指定する場合は [ ; ] で区切って下さい</source>
        <translation>Separate several extensions with [ ; ]</translation>
    </message>
    <message>
        <source>検索フォルダ：</source>
        <translation>Search folder:</translation>
    </message>
    <message>
        <source>検索フォルダを指定しない場合再生ファイルと同じフォルダを検索します</source>
        <translation>Without a search folder, the folder of the playing file is searched.</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
</context>
</TS>
