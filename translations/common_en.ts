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
    <name>ErrorMessage</name>
    <message>
        <source>フォルダーなど、ファイルでないものです。</source>
        <translation>It is a folder or something else that is not a file.</translation>
    </message>
    <message>
        <source>読み込みの途中でファイルが短くなりました。書き終わるのを待って、もう一度開いてください。</source>
        <translation>The file became shorter while it was being read. Wait until it has been written completely, then open it again.</translation>
    </message>
    <message>
        <source>ファイルが見つかりません。</source>
        <translation>The file cannot be found.</translation>
    </message>
    <message>
        <source>このファイルを読む権限がありません。</source>
        <translation>You do not have permission to read this file.</translation>
    </message>
    <message>
        <source>ディスクがいっぱいです。空きを作るか、別の場所に保存してください。</source>
        <translation>The disk is full. Free some space, or save it somewhere else.</translation>
    </message>
    <message>
        <source>このフォルダーに書き込む権限がありません。別のフォルダーに保存してください。</source>
        <translation>You do not have permission to write to this folder. Save it in another folder.</translation>
    </message>
    <message>
        <source>このディスクには書き込めません。別のフォルダーに保存してください。</source>
        <translation>This disk cannot be written to. Save it in another folder.</translation>
    </message>
    <message>
        <source>保存先のフォルダーがありません。別のフォルダーに保存してください。</source>
        <translation>The folder does not exist. Save it in another folder.</translation>
    </message>
    <message>
        <source>別の場所に保存してみてください。</source>
        <translation>Try saving it somewhere else.</translation>
    </message>
    <message>
        <source>「%1」はパズルファイルではありません。</source>
        <translation>&quot;%1&quot; is not a puzzle file.</translation>
    </message>
    <message>
        <source>パズルファイル（.jzt）は「ケストラ」で画像から作ります。</source>
        <translation>Puzzle files (.jzt) are made from pictures with Kestra, the puzzle maker.</translation>
    </message>
    <message>
        <source>「%1」はパズルファイルですが、途中で切れています。</source>
        <translation>&quot;%1&quot; is a puzzle file, but it is cut short.</translation>
    </message>
    <message>
        <source>「%1」はパズルファイルではないか、壊れています。</source>
        <translation>&quot;%1&quot; is not a puzzle file, or it is damaged.</translation>
    </message>
    <message>
        <source>ファイルをもう一度コピーするか、「ケストラ」でパズルを作り直してください。</source>
        <translation>Copy the file again, or make the puzzle again with Kestra.</translation>
    </message>
    <message>
        <source>「%1」のピースは広がりすぎていて、ボードに置けません。</source>
        <translation>The pieces in &quot;%1&quot; are spread too far apart to fit on the board.</translation>
    </message>
    <message>
        <source>「%1」はプレイファイルですが、途中で切れています。</source>
        <translation>&quot;%1&quot; is a saved game, but it is cut short.</translation>
    </message>
    <message>
        <source>「%1」はプレイファイルではないか、壊れています。</source>
        <translation>&quot;%1&quot; is not a saved game, or it is damaged.</translation>
    </message>
    <message>
        <source>パズルファイルを開けば、そのパズルを初めから遊べます。</source>
        <translation>You can open the puzzle file and play the puzzle from the start.</translation>
    </message>
    <message>
        <source>「%1」に保存できませんでした。</source>
        <translation>Could not save &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>パズルデータを作れませんでした。</source>
        <translation>Could not make the puzzle.</translation>
    </message>
    <message>
        <source>「%1」を読み込めませんでした。</source>
        <translation>Could not read &quot;%1&quot;.</translation>
    </message>
</context>
<context>
    <name>ErrorText</name>
    <message>
        <source>「%1」を開けません（%2）。</source>
        <translation>Cannot open &quot;%1&quot; (%2).</translation>
    </message>
    <message>
        <source>「%1」を調べられません（%2）。</source>
        <translation>Cannot get information about &quot;%1&quot; (%2).</translation>
    </message>
    <message>
        <source>「%1」はファイルではありません。</source>
        <translation>&quot;%1&quot; is not a file.</translation>
    </message>
    <message>
        <source>「%1」を読めません（%2）。</source>
        <translation>Cannot read &quot;%1&quot; (%2).</translation>
    </message>
    <message>
        <source>「%1」が読み込み中に短くなりました。</source>
        <translation>&quot;%1&quot; became shorter while it was being read.</translation>
    </message>
    <message>
        <source>「%1」に書き込めませんでした（%2）。</source>
        <translation>Could not write to &quot;%1&quot; (%2).</translation>
    </message>
    <message>
        <source>データが途中で終わっています（位置 %1 で %2 バイト必要ですが、残りは %3 バイトです）。</source>
        <translation>The data ends too early (%2 bytes needed at position %1, but only %3 bytes are left).</translation>
    </message>
    <message>
        <source>この色数（%1 ビット）の画像は扱えません。</source>
        <translation>Pictures with this color depth (%1-bit) are not supported.</translation>
    </message>
    <message>
        <source>画像の大きさか色数が不正です（%1 × %2、%3 ビット）。</source>
        <translation>The picture&apos;s size or color depth is invalid (%1 × %2, %3-bit).</translation>
    </message>
    <message>
        <source>画像が大きすぎます（%1 × %2）。</source>
        <translation>The picture is too large (%1 × %2).</translation>
    </message>
    <message>
        <source>文字コードの変換（%1 → %2）が使えません。</source>
        <translation>The character conversion (%1 → %2) is not available.</translation>
    </message>
    <message>
        <source>文字「%1」はメッセージに使えません（Shift_JIS で表せない文字です）。</source>
        <translation>The character &quot;%1&quot; cannot be used in the message (it has no Shift_JIS form).</translation>
    </message>
    <message>
        <source>メッセージの %1 行目が 100 バイトを超えています。</source>
        <translation>Line %1 of the message is longer than 100 bytes.</translation>
    </message>
    <message>
        <source>メッセージは 3 行までです（%1 行あります）。</source>
        <translation>The message can have at most 3 lines (it has %1).</translation>
    </message>
    <message>
        <source>メッセージの %1 行目: </source>
        <translation>Message line %1: </translation>
    </message>
    <message>
        <source>パズルファイルではありません（長さが %1 バイトしかなく、ヘッダーの 6400 バイトに足りません）。</source>
        <translation>This is not a puzzle file (it is only %1 bytes long, shorter than the 6400-byte header).</translation>
    </message>
    <message>
        <source>パズルファイルが壊れています（色の形式が %1 です。1 か 2 のはずです）。</source>
        <translation>The puzzle file is damaged (the color format is %1; it should be 1 or 2).</translation>
    </message>
    <message>
        <source>パズルファイルが壊れています（データ形式が %1 です。0 か 1 のはずです）。</source>
        <translation>The puzzle file is damaged (the data format is %1; it should be 0 or 1).</translation>
    </message>
    <message>
        <source>パズルファイルが壊れています（サイズ番号 %1 がピースの並び %2 × %3 と合いません）。</source>
        <translation>The puzzle file is damaged (size number %1 does not match the %2 × %3 piece layout).</translation>
    </message>
    <message>
        <source>パズルファイルが壊れています（%1の %2 が %3 です。%4 のはずです）。</source>
        <translation>The puzzle file is damaged (%2 of the %1 is %3; it should be %4).</translation>
    </message>
    <message>
        <source>パズルファイルが途中で切れています（%1に %2 バイト必要ですが、残りは %3 バイトです）。</source>
        <translation>The puzzle file is cut short (the %1 needs %2 bytes, but only %3 are left).</translation>
    </message>
    <message>
        <source>書き込もうとしたパズルの%1が、パズルの大きさ（%2 × %3、%4 ビット）と合いません。</source>
        <translation>The %1 of the puzzle being written does not match the puzzle&apos;s size (%2 × %3, %4-bit).</translation>
    </message>
    <message>
        <source>書き込もうとしたパズルの大きさがどのパズルサイズにも当たりません。</source>
        <translation>The piece layout of the puzzle being written matches none of the puzzle sizes.</translation>
    </message>
    <message>
        <source>パズルデータの%1の大きさか色数がヘッダーと合いません。</source>
        <translation>The size or color depth of the puzzle&apos;s %1 does not match its header.</translation>
    </message>
    <message>
        <source>パズルデータの大きさがどのパズルサイズにも当たりません。</source>
        <translation>The puzzle&apos;s piece layout matches none of the puzzle sizes.</translation>
    </message>
    <message>
        <source>パズルデータの色の形式が不正です。</source>
        <translation>The puzzle&apos;s color format is invalid.</translation>
    </message>
    <message>
        <source>パズルデータのデータ形式が不正です。</source>
        <translation>The puzzle&apos;s data format is invalid.</translation>
    </message>
    <message>
        <source>プレイファイルではないか、壊れています（長さが %1 バイトしかありません）。</source>
        <translation>This is not a saved game, or it is damaged (it is only %1 bytes long).</translation>
    </message>
    <message>
        <source>プレイファイルが途中で切れています（%1 バイト必要ですが、%2 バイトしかありません）。</source>
        <translation>The saved game is cut short (%1 bytes are needed, but it has only %2).</translation>
    </message>
    <message>
        <source>プレイファイルではないか、壊れています（数値 65280 は記録できる範囲を超えています）。</source>
        <translation>This is not a saved game, or it is damaged (the number 65280 is out of the range that can be stored).</translation>
    </message>
    <message>
        <source>プレイファイルではないか、壊れています（%1の情報ヘッダーが %2 × %3、%4 ビットの画像を表していません）。</source>
        <translation>This is not a saved game, or it is damaged (the %1&apos;s info header does not describe a %2 × %3, %4-bit picture).</translation>
    </message>
    <message>
        <source>プレイファイルではないか、壊れています（ピースの並び %1 × %2、セル %3、余白 %4 はどのパズルサイズにも当たりません）。</source>
        <translation>This is not a saved game, or it is damaged (the piece layout %1 × %2, cell %3, margin %4 matches no puzzle size).</translation>
    </message>
    <message>
        <source>プレイファイルではないか、壊れています（色の形式が %1 と %2 です。1 か 2 のはずです）。</source>
        <translation>This is not a saved game, or it is damaged (the color formats are %1 and %2; they should be 1 or 2).</translation>
    </message>
    <message>
        <source>プレイファイルではないか、壊れています（経過時間が不正です）。</source>
        <translation>This is not a saved game, or it is damaged (the elapsed time is invalid).</translation>
    </message>
    <message>
        <source>プレイファイルではないか、壊れています（表示の設定が不正です）。</source>
        <translation>This is not a saved game, or it is damaged (the display settings are invalid).</translation>
    </message>
    <message>
        <source>プレイファイルではないか、壊れています（トレイの向きが不正です）。</source>
        <translation>This is not a saved game, or it is damaged (a rotation in the tray is invalid).</translation>
    </message>
    <message>
        <source>プレイファイルではないか、壊れています（トレイに存在しないピース %1 があります）。</source>
        <translation>This is not a saved game, or it is damaged (the tray holds piece %1, which does not exist).</translation>
    </message>
    <message>
        <source>プレイファイルではないか、壊れています（ボード上のピースの記録が不正です）。</source>
        <translation>This is not a saved game, or it is damaged (the record of pieces on the board is invalid).</translation>
    </message>
    <message>
        <source>プレイファイルではないか、壊れています（ボード上のピースの向きが不正です）。</source>
        <translation>This is not a saved game, or it is damaged (a rotation on the board is invalid).</translation>
    </message>
    <message>
        <source>プレイファイルではないか、壊れています（トレイのピース %1 にボード上の向きがあります）。</source>
        <translation>This is not a saved game, or it is damaged (piece %1 in the tray has a rotation on the board).</translation>
    </message>
    <message>
        <source>プレイファイルではないか、壊れています（ピース %1 がトレイとボードの一か所にだけあるのではありません）。</source>
        <translation>This is not a saved game, or it is damaged (piece %1 is not in exactly one place in the tray or on the board).</translation>
    </message>
    <message>
        <source>プレイファイルではないか、壊れています（重なり順が不正です）。</source>
        <translation>This is not a saved game, or it is damaged (the stacking order is invalid).</translation>
    </message>
    <message>
        <source>プレイファイルではないか、壊れています（ピース %1 が自分のグループに入っていません）。</source>
        <translation>This is not a saved game, or it is damaged (piece %1 is not in its own group).</translation>
    </message>
    <message>
        <source>プレイファイルではないか、壊れています（グループの記録が食い違っています）。</source>
        <translation>This is not a saved game, or it is damaged (the group records contradict each other).</translation>
    </message>
    <message>
        <source>保存できるゲームがありません。</source>
        <translation>There is no game to save.</translation>
    </message>
    <message>
        <source>置き場所の定まらないピースがあるため、保存できません。</source>
        <translation>Cannot save: some pieces have no fixed place.</translation>
    </message>
    <message>
        <source>完成画像を作るためのパズルの画像がありません。</source>
        <translation>The puzzle has no picture to make the finished picture from.</translation>
    </message>
    <message>
        <source>保存する完成画像がありません。</source>
        <translation>There is no finished picture to save.</translation>
    </message>
    <message>
        <source>完成画像が大きすぎて BMP ファイルにできません。</source>
        <translation>The finished picture is too large for a BMP file.</translation>
    </message>
    <message>
        <source>JPEG の圧縮に失敗しました（%1）。</source>
        <translation>JPEG compression failed (%1).</translation>
    </message>
    <message>
        <source>完成画像を保存できませんでした。</source>
        <translation>Could not save the finished picture. </translation>
    </message>
    <message>
        <source>パズルサイズの番号 %1 はありません（0〜15）。</source>
        <translation>There is no puzzle size number %1 (0–15).</translation>
    </message>
    <message>
        <source>パズルにする画像がありません。</source>
        <translation>There is no picture to make a puzzle from.</translation>
    </message>
    <message>
        <source>枠の大きさが正しくありません（幅も高さも 1 ピクセル以上にしてください）。</source>
        <translation>The frame size is invalid (make it at least 1 pixel wide and high).</translation>
    </message>
    <message>
        <source>256 色の画像にパレットがありません。</source>
        <translation>The 256-color picture has no palette.</translation>
    </message>
    <message>
        <source>画像</source>
        <translation>picture</translation>
    </message>
    <message>
        <source>ピース画像</source>
        <translation>piece sheet</translation>
    </message>
    <message>
        <source>マスク</source>
        <translation>mask</translation>
    </message>
    <message>
        <source>型紙マップ</source>
        <translation>template map</translation>
    </message>
    <message>
        <source>ピース画像（向き %1）</source>
        <translation>piece sheet (rotation %1)</translation>
    </message>
    <message>
        <source>プレイファイルのピースが広がりすぎていて、ボードに置けません（ピースのある範囲が幅 %1 × 高さ %2 ピクセルあり、%3 ピクセルを超えています）。</source>
        <translation>The pieces of this saved game are spread too far to lie on the board (they cover %1 × %2 pixels, more than %3 pixels).</translation>
    </message>
    <message>
        <source>ボード上のピース %1 の位置（%2, %3）がプレイファイルに記録できる範囲（0〜%4）の外にあるため、保存できません。</source>
        <translation>The game cannot be saved: piece %1 lies on the board at (%2, %3), outside the range a saved game can hold (0 to %4).</translation>
    </message>
    <message>
        <source>パズルファイルではないか、壊れています（ヘッダーのピースの並び %1 × %2、セル %3、余白 %4 はどのパズルサイズにも当たりません）。</source>
        <translation>This is not a puzzle file, or it is damaged (the piece layout %1 × %2, cell %3, margin %4 in its header matches none of the puzzle sizes).</translation>
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
