<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja_JP">
<context>
    <name>AutoSave</name>
    <message>
        <source>vorpel: ゲームの自動保存に失敗しました。あとでもう一度保存します（%1）</source>
        <translation>vorpel: Could not save the game automatically; will try again later (%1)</translation>
    </message>
    <message>
        <source>vorpel: フォルダー「%1」を使えないため、ゲームを自動保存しません</source>
        <translation>vorpel: The folder &quot;%1&quot; cannot be used, so the game will not be saved automatically</translation>
    </message>
</context>
<context>
    <name>RecoveryPrompt</name>
    <message>
        <source>メモリが足りません</source>
        <translation>Out of memory</translation>
    </message>
    <message>
        <source>ゲームの再開</source>
        <translation>Resume Game</translation>
    </message>
    <message>
        <source>前回のゲームを再開しますか？</source>
        <translation>Resume your last game?</translation>
    </message>
    <message>
        <source>パズル: %1
プレイ時間: %2</source>
        <translation>Puzzle: %1
Time played: %2</translation>
    </message>
    <message>
        <source>はい</source>
        <translation>&amp;Yes</translation>
    </message>
    <message>
        <source>いいえ</source>
        <translation>&amp;No</translation>
    </message>
    <message>
        <source>vorpel: 自動保存されたゲーム「%1」を読めないため、無視します（%2）</source>
        <translation>vorpel: Ignoring the automatically saved game &quot;%1&quot;, which cannot be read (%2)</translation>
    </message>
    <message>
        <source>（名前なし）</source>
        <translation>(untitled)</translation>
    </message>
</context>
</TS>
