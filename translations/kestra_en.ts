<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja_JP">
<context>
    <name>kestra</name>
    <message>
        <source>枠 %1,%2,%3,%4 は小さすぎます（幅も高さも %5 ピクセル以上にしてください）。</source>
        <translation>The frame %1,%2,%3,%4 is too small (make it at least %5 pixels wide and high).</translation>
    </message>
    <message>
        <source>メッセージの %1 行目は %2 バイトを超えるので、%2 バイトまでで切ります。</source>
        <translation>Line %1 of the message is longer than %2 bytes; it is cut to %2 bytes.</translation>
    </message>
    <message>
        <source>「%1」は大きすぎて使用できません（幅も高さも %2 ピクセルまでの画像を使ってください）。</source>
        <translation>&quot;%1&quot; is too large to use (use a picture at most %2 pixels wide and high).</translation>
    </message>
</context>
</TS>
