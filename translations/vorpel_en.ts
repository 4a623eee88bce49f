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
    <message>
        <source>メモリが足りません</source>
        <translation>Out of memory</translation>
    </message>
    <message>
        <source>原因不明のエラー</source>
        <translation>Unknown error</translation>
    </message>
</context>
<context>
    <name>BackgroundMusic</name>
    <message>
        <source>MIDIﾌｧｲﾙ (*.RMI *.MID *.rmi *.mid);;すべてのﾌｧｲﾙ (*)</source>
        <translation>MIDI Files (*.RMI *.MID *.rmi *.mid);;All Files (*)</translation>
    </message>
    <message>
        <source>オルゴールのワルツ</source>
        <translation>Music Box Waltz</translation>
    </message>
    <message>
        <source>午後のボサノバ</source>
        <translation>Afternoon Bossa Nova</translation>
    </message>
    <message>
        <source>草原のパストラール</source>
        <translation>Meadow Pastorale</translation>
    </message>
    <message>
        <source>夜のラウンジ</source>
        <translation>Night Lounge</translation>
    </message>
    <message>
        <source>星の子守歌</source>
        <translation>Starlight Lullaby</translation>
    </message>
    <message>
        <source>曲%1 %2</source>
        <translation>Track %1: %2</translation>
    </message>
    <message>
        <source>BGM ファイル「%1」が見つかりません。</source>
        <translation>The music file &quot;%1&quot; was not found.</translation>
    </message>
    <message>
        <source>ファイルを開く</source>
        <translation>Open Music File</translation>
    </message>
</context>
<context>
    <name>BestTimes</name>
    <message>
        <source>記録のファイルが壊れていたため、「%1」として別に保存し、新しく記録を始めます。</source>
        <translation>The records file was damaged: it was kept as “%1” and new records were started.</translation>
    </message>
    <message>
        <source>この時間は記録できませんでした（%1）。</source>
        <translation>This time could not be recorded (%1).</translation>
    </message>
</context>
<context>
    <name>CMainFrame</name>
    <message>
        <source>パソコンで楽しむジグソーパズル</source>
        <translation>Jigsaw Puzzles on Your PC</translation>
    </message>
    <message>
        <source>パズルファイルを開く(&amp;V)</source>
        <translation>Open &amp;Puzzle File…</translation>
    </message>
    <message>
        <source>パズルファイルを開く(&amp;P)</source>
        <translation>Open &amp;Puzzle File…</translation>
    </message>
    <message>
        <source>プレイファイルを開く(&amp;W)</source>
        <translation>Open Saved &amp;Game…</translation>
    </message>
    <message>
        <source>プレイファイルを開く(&amp;O)</source>
        <translation>Open Saved &amp;Game…</translation>
    </message>
    <message>
        <source>整 列(&amp;L)</source>
        <translation>&amp;Arrange Tray</translation>
    </message>
    <message>
        <source>整  列(&amp;L)</source>
        <translation>&amp;Arrange Tray</translation>
    </message>
    <message>
        <source>ﾌｧｲﾙ(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>プレイファイルを保存する(&amp;S)</source>
        <translation>&amp;Save Game…</translation>
    </message>
    <message>
        <source>終了(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>編集(&amp;E)</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>ピースの上下入れ替え(U)</source>
        <translation>&amp;Reverse Piece Stacking</translation>
    </message>
    <message>
        <source>表 示(&amp;T)</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>プレビュー (&amp;P)</source>
        <translation>&amp;Preview</translation>
    </message>
    <message>
        <source>経&#x3000;&#x3000;&#x3000;過(&amp;K)</source>
        <translation>Game Pro&amp;gress</translation>
    </message>
    <message>
        <source>オプション(&amp;O)</source>
        <translation>&amp;Options</translation>
    </message>
    <message>
        <source>BGM           (&amp;G)</source>
        <translation>Background &amp;Music</translation>
    </message>
    <message>
        <source>開く</source>
        <translation>&amp;Open…</translation>
    </message>
    <message>
        <source>演奏</source>
        <translation>&amp;Play</translation>
    </message>
    <message>
        <source>停止</source>
        <translation>&amp;Stop</translation>
    </message>
    <message>
        <source>添付メッセージ（&amp;I）</source>
        <translation>&amp;Attached Message…</translation>
    </message>
    <message>
        <source>黒ピース(&amp;B)</source>
        <translation>&amp;Black Pieces</translation>
    </message>
    <message>
        <source>通常表示</source>
        <translation>&amp;Normal</translation>
    </message>
    <message>
        <source>未完成ピースを黒</source>
        <translation>Black Pieces in the &amp;Tray</translation>
    </message>
    <message>
        <source>ヘルプ(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>ﾊﾞｰｼﾞｮﾝ情報(&amp;A)...</source>
        <translation>&amp;About Vorpel…</translation>
    </message>
    <message>
        <source>ファイル(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>BGM      (&amp;G)</source>
        <translation>Background &amp;Music</translation>
    </message>
    <message>
        <source>「ぼるぺる」 のバージョン情報</source>
        <translation>About Vorpel</translation>
    </message>
    <message>
        <source>「ぼるぺる」 Version 6.0</source>
        <translation>Vorpel Version 6.0</translation>
    </message>
    <message>
        <source>BGM</source>
        <translation>Background Music</translation>
    </message>
    <message>
        <source>拡大(&amp;I)</source>
        <translation>Zoom &amp;In</translation>
    </message>
    <message>
        <source>縮小(&amp;U)</source>
        <translation>Zoom &amp;Out</translation>
    </message>
    <message>
        <source>実寸表示(&amp;A)</source>
        <translation>&amp;Actual Size</translation>
    </message>
    <message>
        <source>全体を表示(&amp;W)</source>
        <translation>Fit &amp;Whole Table</translation>
    </message>
    <message>
        <source>ピースを集める(&amp;G)</source>
        <translation>Gather &amp;Stray Pieces</translation>
    </message>
    <message>
        <source>未完成のゲーム(&amp;G)…</source>
        <translation>&amp;Unfinished Games…</translation>
    </message>
    <message>
        <source>未完成のゲーム</source>
        <translation>Unfinished Games</translation>
    </message>
    <message>
        <source>ピースを並べる(&amp;S)</source>
        <translation>Sp&amp;read Pieces</translation>
    </message>
    <message>
        <source>表示 %1%</source>
        <translation>Zoom %1%</translation>
    </message>
    <message>
        <source>辺を先に整列(&amp;E)</source>
        <translation>Arrange, &amp;Edges First</translation>
    </message>
    <message>
        <source>記録(&amp;R)…</source>
        <translation>&amp;Records…</translation>
    </message>
    <message>
        <source>一時停止(&amp;P)</source>
        <translation>P&amp;ause</translation>
    </message>
    <message>
        <source>一時停止(&amp;A)</source>
        <translation>P&amp;ause</translation>
    </message>
</context>
<context>
    <name>CPsView</name>
    <message>
        <source>トレイに表示するピース</source>
        <translation>Pieces shown in the tray</translation>
    </message>
    <message>
        <source>すべてのピース</source>
        <translation>All pieces</translation>
    </message>
    <message>
        <source>辺と角のピース</source>
        <translation>Edge and corner pieces</translation>
    </message>
    <message>
        <source>内側のピース</source>
        <translation>Inner pieces</translation>
    </message>
    <message numerus="yes">
        <source>凸が %n 個のピース</source>
        <translation>
            <numerusform>Pieces with %n tab</numerusform>
            <numerusform>Pieces with %n tabs</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>不明なオプション %1</source>
        <translation>Unknown option %1</translation>
    </message>
    <message>
        <source>開けるファイルは一つだけです</source>
        <translation>Only one file can be opened</translation>
    </message>
    <message>
        <source>使い方: vorpel [パズルファイル(.jzt) またはプレイファイル(.jpd)]
</source>
        <translation>Usage: vorpel [PUZZLE FILE (.jzt) or SAVED GAME (.jpd)]
</translation>
    </message>
    <message>
        <source>vorpel: %1（vorpel --help で使い方を表示します）</source>
        <translation>vorpel: %1 (vorpel --help shows how to use it)</translation>
    </message>
</context>
<context>
    <name>Completion</name>
    <message>
        <source>名前を付けて保存</source>
        <translation>Save As</translation>
    </message>
    <message>
        <source>完成パズル画像</source>
        <translation>Finished Puzzle Picture</translation>
    </message>
    <message>
        <source>Bmp Files (*.bmp)</source>
        <translation>Bitmap Files (*.bmp)</translation>
    </message>
    <message>
        <source>JPEG Files (*.jpg);;BITMAP Files (*.bmp)</source>
        <translation>JPEG Files (*.jpg);;Bitmap Files (*.bmp)</translation>
    </message>
    <message>
        <source>完成画像を作れませんでした。</source>
        <translation>Could not make the finished picture.</translation>
    </message>
    <message>
        <source>壁紙を設定できませんでした。
完成画像は次の場所に保存してあります。
%1</source>
        <translation>Could not set the wallpaper.
The finished picture has been saved here:
%1</translation>
    </message>
</context>
<context>
    <name>CongratulationDialog</name>
    <message>
        <source>&#x3000;&#x3000;&#x3000;&#x3000;&#x3000;&#x3000;&#x3000;&#x3000;&#x3000;&#x3000;&#x3000;&#x3000;&#x3000;&#x3000;&#x3000;&#x3000;&#x3000;&#x3000;&#x3000;&#x3000;&#x3000;&#x3000;&#x3000;&#x3000;&#x3000;&#x3000;&#x3000;&#x3000;&#x3000;&#x3000;&#x3000;&#x3000;パズル完成！&#x3000;おめでとうございます。</source>
        <translation>Puzzle complete! Congratulations!</translation>
    </message>
    <message>
        <source>所要時間</source>
        <translation>Time taken</translation>
    </message>
    <message>
        <source>時間</source>
        <translation>h</translation>
    </message>
    <message>
        <source>分</source>
        <translation>min</translation>
    </message>
    <message>
        <source>秒</source>
        <translation>s</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>最高記録 %1（初めての完成）</source>
        <translation>Best time %1 (first time finished)</translation>
    </message>
    <message>
        <source>最高記録を更新しました！ これまでの最高は %1（%2 回目の完成）</source>
        <translation>A new best time! The best so far was %1 (finished %2 times)</translation>
    </message>
    <message>
        <source>最高記録 %1（%2 回目の完成）</source>
        <translation>Best time %1 (finished %2 times)</translation>
    </message>
    <message>
        <source>%1時間%2分%3秒</source>
        <translation>%1 h %2 min %3 s</translation>
    </message>
    <message>
        <source>%1分%2秒</source>
        <translation>%1 min %2 s</translation>
    </message>
    <message>
        <source>%1秒</source>
        <translation>%1 s</translation>
    </message>
    <message>
        <source>パズル完成</source>
        <translation>Puzzle Complete</translation>
    </message>
</context>
<context>
    <name>CutProgress</name>
    <message>
        <source>データ作成中</source>
        <translation>Preparing the puzzle…</translation>
    </message>
    <message>
        <source>パズルを開く</source>
        <translation>Opening the Puzzle</translation>
    </message>
</context>
<context>
    <name>ElapsedWindow</name>
    <message>
        <source>ゲーム経過</source>
        <translation>Game Progress</translation>
    </message>
    <message>
        <source>Hour</source>
        <translation>Hours</translation>
    </message>
    <message>
        <source>Min</source>
        <translation>Min</translation>
    </message>
    <message>
        <source>Sec</source>
        <translation>Sec</translation>
    </message>
    <message>
        <source>完成度 %1%</source>
        <translation>Done: %1%</translation>
    </message>
    <message>
        <source>自動保存できません</source>
        <translation>Cannot save automatically</translation>
    </message>
</context>
<context>
    <name>FileCommands</name>
    <message>
        <source>Puzzle Data Files (*.jzt)</source>
        <translation>Puzzle Files (*.jzt)</translation>
    </message>
    <message>
        <source>Play Data Files (*.jpd)</source>
        <translation>Saved Games (*.jpd)</translation>
    </message>
    <message>
        <source>パズルファイルを開く</source>
        <translation>Open Puzzle File</translation>
    </message>
    <message>
        <source>プレイファイルを開く</source>
        <translation>Open Saved Game</translation>
    </message>
    <message>
        <source>プレイファイルを保存する</source>
        <translation>Save Game</translation>
    </message>
    <message>
        <source>メモリが足りないため、ファイルを読み込めませんでした。</source>
        <translation>There is not enough memory to read the file.</translation>
    </message>
    <message>
        <source>メモリが足りないため、保存できませんでした。</source>
        <translation>There is not enough memory to save the game.</translation>
    </message>
    <message>
        <source>ファイルを開く</source>
        <translation>Open File</translation>
    </message>
    <message>
        <source>ファイル「%1」が見つかりません。</source>
        <translation>The file &quot;%1&quot; was not found.</translation>
    </message>
    <message>
        <source>「%1」は画像ファイルです。
パズルは「ケストラ」で画像から作れます。</source>
        <translation>&quot;%1&quot; is a picture.
Puzzles are made from pictures with Kestra, the puzzle maker.</translation>
    </message>
    <message>
        <source>「%1」はパズルファイルでもプレイファイルでもありません。
パズルファイル（.jzt）は「ケストラ」で画像から作ります。</source>
        <translation>&quot;%1&quot; is neither a puzzle file nor a saved game.
Puzzle files (.jzt) are made from pictures with Kestra, the puzzle maker.</translation>
    </message>
</context>
<context>
    <name>FinishedPictureDialog</name>
    <message>
        <source>完成パズルを保存します。（壁紙には設定しない）</source>
        <translation>Save the finished puzzle (without setting it as the wallpaper)</translation>
    </message>
    <message>
        <source>完成パズルを保存し、壁紙に設定します。</source>
        <translation>Save the finished puzzle and set it as the wallpaper</translation>
    </message>
    <message>
        <source>なにもしない。</source>
        <translation>Do nothing</translation>
    </message>
    <message>
        <source>完成パズル画像</source>
        <translation>Finished Puzzle Picture</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>MessageDialog</name>
    <message>
        <source>添付メッセージ</source>
        <translation>Attached Message</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>PanelDialog</name>
    <message>
        <source>PANEL</source>
        <translation>Panel</translation>
    </message>
    <message>
        <source>パネル選択</source>
        <translation>Panel</translation>
    </message>
    <message>
        <source>パネルに入れません</source>
        <translation>No panel</translation>
    </message>
    <message>
        <source>パネル（ブラウン）選択</source>
        <translation>Brown panel</translation>
    </message>
    <message>
        <source>パネル（ブラック）選択</source>
        <translation>Black panel</translation>
    </message>
    <message>
        <source>パネル（ゴールド）選択</source>
        <translation>Gold panel</translation>
    </message>
    <message>
        <source>糊付け</source>
        <translation>Glue</translation>
    </message>
    <message>
        <source>完成パズルを糊付けしません</source>
        <translation>Don&apos;t glue the finished puzzle</translation>
    </message>
    <message>
        <source>完成パズルを糊付けします</source>
        <translation>Glue the finished puzzle</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>PauseCover</name>
    <message>
        <source>一時停止中です。キーを押すかクリックすると再開します。</source>
        <translation>Paused. Press a key or click to go on.</translation>
    </message>
</context>
<context>
    <name>PreviewWindow</name>
    <message>
        <source>完 成 図</source>
        <translation>Preview</translation>
    </message>
</context>
<context>
    <name>RecordsDialog</name>
    <message>
        <source>記録</source>
        <translation>Records</translation>
    </message>
    <message>
        <source>パズル</source>
        <translation>Puzzle</translation>
    </message>
    <message>
        <source>ピース数</source>
        <translation>Pieces</translation>
    </message>
    <message>
        <source>最高記録</source>
        <translation>Best Time</translation>
    </message>
    <message>
        <source>完成回数</source>
        <translation>Finished</translation>
    </message>
    <message>
        <source>最高記録の日付</source>
        <translation>Date of Best</translation>
    </message>
    <message>
        <source>記録を読めませんでした（%1）。</source>
        <translation>The records could not be read (%1).</translation>
    </message>
    <message>
        <source>完成したパズルはまだありません。</source>
        <translation>No puzzle has been finished yet.</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>SavePrompt</name>
    <message>
        <source>データの変更を保存する</source>
        <translation>Save Changes</translation>
    </message>
    <message>
        <source>データが変更されました。保存しますか？</source>
        <translation>The game has changed. Save it?</translation>
    </message>
    <message>
        <source>はい</source>
        <translation>&amp;Yes</translation>
    </message>
    <message>
        <source>いいえ</source>
        <translation>&amp;No</translation>
    </message>
</context>
<context>
    <name>SdlMusicDevice</name>
    <message>
        <source>MIDI ファイル「%1」が見つかりません。</source>
        <translation>The MIDI file &quot;%1&quot; was not found.</translation>
    </message>
    <message>
        <source>「%1」は BGM にするには大きすぎます。</source>
        <translation>&quot;%1&quot; is too large for background music.</translation>
    </message>
    <message>
        <source>「%1」を開けません（%2）。</source>
        <translation>Cannot open &quot;%1&quot; (%2).</translation>
    </message>
    <message>
        <source>「%1」は MIDI ファイルではないか、壊れています。</source>
        <translation>&quot;%1&quot; is not a MIDI file, or it is damaged.</translation>
    </message>
    <message>
        <source>MIDI の音色ファイル（サウンドフォント）が見つからないため、BGM を演奏できません。パッケージ timgm6mb-soundfont をインストールしてください。</source>
        <translation>Background music cannot be played because no MIDI sound font was found. Please install the package timgm6mb-soundfont.</translation>
    </message>
    <message>
        <source>「%1」を BGM として開けません（%2）。</source>
        <translation>Cannot open &quot;%1&quot; as background music (%2).</translation>
    </message>
    <message>
        <source>音声を出力できないため、BGM を演奏できません（%1）。</source>
        <translation>Background music cannot be played because there is no sound output (%1).</translation>
    </message>
    <message>
        <source>BGM のファイルが開かれていません。</source>
        <translation>No background music file is open.</translation>
    </message>
    <message>
        <source>BGM を演奏できません（%1）。</source>
        <translation>Cannot play the background music (%1).</translation>
    </message>
</context>
<context>
    <name>SdlSoundEffects</name>
    <message>
        <source>音声を出力できないため、効果音は鳴りません（%1）。</source>
        <translation>There will be no sound effects because there is no sound output (%1).</translation>
    </message>
    <message>
        <source>、</source>
        <translation>, </translation>
    </message>
    <message>
        <source>探したフォルダ: %1</source>
        <translation>Folders searched: %1</translation>
    </message>
    <message>
        <source>効果音 %1 を読み込めないため、鳴りません（%2）。</source>
        <translation>The sound effect %1 cannot be read and will not play (%2).</translation>
    </message>
</context>
<context>
    <name>TableOptions</name>
    <message>
        <source>緑(&amp;G)</source>
        <translation>&amp;Green</translation>
    </message>
    <message>
        <source>青(&amp;B)</source>
        <translation>&amp;Blue</translation>
    </message>
    <message>
        <source>茶(&amp;R)</source>
        <translation>B&amp;rown</translation>
    </message>
    <message>
        <source>灰(&amp;A)</source>
        <translation>Gr&amp;ey</translation>
    </message>
    <message>
        <source>黒(&amp;K)</source>
        <translation>Blac&amp;k</translation>
    </message>
    <message>
        <source>テーブルの色(&amp;C)</source>
        <translation>Table &amp;Color</translation>
    </message>
    <message>
        <source>その他の色(&amp;M)…</source>
        <translation>&amp;More Colors…</translation>
    </message>
    <message>
        <source>下絵を表示(&amp;P)</source>
        <translation>Faint &amp;Picture Underneath</translation>
    </message>
    <message>
        <source>テーブルの色</source>
        <translation>Table Color</translation>
    </message>
</context>
<context>
    <name>UnfinishedGames</name>
    <message>
        <source>（名前なし）</source>
        <translation>(untitled)</translation>
    </message>
    <message>
        <source>「%1」は別のウィンドウで開かれています。
そのウィンドウで続きを遊んでください。</source>
        <translation>&quot;%1&quot; is open in another window.
Go on playing it there.</translation>
    </message>
</context>
<context>
    <name>UnfinishedGamesDialog</name>
    <message>
        <source>未完成のゲーム</source>
        <translation>Unfinished Games</translation>
    </message>
    <message>
        <source>パズル</source>
        <translation>Puzzle</translation>
    </message>
    <message>
        <source>完成度</source>
        <translation>Done</translation>
    </message>
    <message>
        <source>プレイ時間</source>
        <translation>Time Played</translation>
    </message>
    <message>
        <source>最後のプレイ</source>
        <translation>Last Played</translation>
    </message>
    <message>
        <source>サイズ</source>
        <translation>Size</translation>
    </message>
    <message>
        <source>再開(&amp;R)</source>
        <translation>&amp;Resume</translation>
    </message>
    <message>
        <source>削除(&amp;D)…</source>
        <translation>&amp;Delete…</translation>
    </message>
    <message>
        <source>新しく始める(&amp;N)…</source>
        <translation>Start &amp;New…</translation>
    </message>
    <message>
        <source>閉じる(&amp;C)</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <source>vorpel: 自動保存されたゲーム「%1」を読めないため、無視します</source>
        <translation>vorpel: Ignoring the automatically saved game &quot;%1&quot;, which cannot be read</translation>
    </message>
    <message>
        <source>ゲームの削除</source>
        <translation>Delete Game</translation>
    </message>
    <message>
        <source>「%1」を一覧から削除しますか？
このゲームの続きはできなくなります。</source>
        <translation>Delete &quot;%1&quot; from the list?
You will not be able to go on with this game.</translation>
    </message>
    <message>
        <source>削除する</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>削除しない</source>
        <translation>Keep</translation>
    </message>
</context>
<context>
    <name>Wallpaper</name>
    <message>
        <source>%1 を起動できません</source>
        <translation>%1 cannot be started</translation>
    </message>
    <message>
        <source>%1 が応答しません</source>
        <translation>%1 does not respond</translation>
    </message>
    <message>
        <source>%1 が失敗しました（終了コード %2）%3</source>
        <translation>%1 failed (exit code %2)%3</translation>
    </message>
    <message>
        <source>：%1</source>
        <translation>: %1</translation>
    </message>
    <message>
        <source>このデスクトップでは壁紙の設定方法がわかりません</source>
        <translation>there is no known way to set the wallpaper on this desktop</translation>
    </message>
</context>
</TS>
