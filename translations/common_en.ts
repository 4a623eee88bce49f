<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja_JP">
<context>
    <name>AboutDialog</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>HelpWindow</name>
    <message>
        <source>ヘルプファイル「%1」が見つかりません。</source>
        <translation>Cannot find the help file &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>ヘルプファイル「%1」を開けませんでした。</source>
        <translation>Cannot open the help file &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>ヘルプ</source>
        <translation>Help</translation>
    </message>
</context>
</TS>
