<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>AssistArguments</name>
    <message>
        <source>このアプリケーションは Zelko Deck と同期して実行されます。</source>
        <translation>This program runs together with Zelko Deck, which starts it from its Assists menu.</translation>
    </message>
</context>
<context>
    <name>frmScopeZKA</name>
    <message>
        <source>Zelko Deck を 最小化</source>
        <translation>Minimise Zelko Deck</translation>
    </message>
    <message>
        <source>背景色変更</source>
        <translation>Change background colour</translation>
    </message>
    <message>
        <source>点(線)の色変更</source>
        <translation>Change dot (line) colour</translation>
    </message>
    <message>
        <source>帯</source>
        <translation>Band</translation>
    </message>
    <message>
        <source>円</source>
        <translation>Circle</translation>
    </message>
    <message>
        <source>弧</source>
        <translation>Arc</translation>
    </message>
    <message>
        <source>線</source>
        <translation>Lines</translation>
    </message>
    <message>
        <source>点</source>
        <translation>Dots</translation>
    </message>
</context>
</TS>
