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
    <name>frmRemoteZKA</name>
    <message>
        <source>&amp;Play</source>
        <translation>&amp;Play</translation>
    </message>
    <message>
        <source>P&amp;ause</source>
        <translation>P&amp;ause</translation>
    </message>
    <message>
        <source>&amp;Stop</source>
        <translation>&amp;Stop</translation>
    </message>
    <message>
        <source>Pre&amp;vTrack</source>
        <translation>Pre&amp;v Track</translation>
    </message>
    <message>
        <source>&amp;NextTrack</source>
        <translation>&amp;Next Track</translation>
    </message>
    <message>
        <source>&amp;Repeat</source>
        <translation>&amp;Repeat</translation>
    </message>
    <message>
        <source>Shu&amp;ffle</source>
        <translation>Shu&amp;ffle</translation>
    </message>
    <message>
        <source>P&amp;lay Info</source>
        <translation>P&amp;lay Info</translation>
    </message>
    <message>
        <source>Son&amp;g Info</source>
        <translation>Son&amp;g Info</translation>
    </message>
    <message>
        <source>Volume:</source>
        <translation>Volume:</translation>
    </message>
</context>
</TS>
