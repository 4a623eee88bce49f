<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja_JP">
<context>
    <name>CMainFrame</name>
    <message>
        <source>「ぼるぺる」のパズルデータ作成</source>
        <translation>Vorpel Puzzle Maker</translation>
    </message>
    <message>
        <source>ファイル(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>画像ファイルを開く(&amp;L)</source>
        <translation>&amp;Open Picture File…</translation>
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
        <source>貼り付け(&amp;P)</source>
        <translation>&amp;Paste</translation>
    </message>
    <message>
        <source>パズルサイズ(&amp;S)</source>
        <translation>Puzzle &amp;Size</translation>
    </message>
    <message>
        <source>ストレッチ(&amp;B)</source>
        <translation>S&amp;tretch</translation>
    </message>
    <message>
        <source>パズルの比率に固定</source>
        <translation>Keep Puzzle Proportions</translation>
    </message>
    <message>
        <source>データの作成</source>
        <translation>&amp;Make Puzzle…</translation>
    </message>
    <message>
        <source>ヘルプ(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>ﾊﾞｰｼﾞｮﾝ情報(&amp;V)</source>
        <translation>&amp;About Kestra</translation>
    </message>
    <message>
        <source>クリップボードに画像がありません</source>
        <translation>There is no picture on the clipboard</translation>
    </message>
    <message>
        <source>「ケストラ」のﾊﾞｰｼﾞｮﾝ情報</source>
        <translation>About Kestra</translation>
    </message>
    <message>
        <source>「ケストラ」 Version 5.1</source>
        <translation>Kestra Version 5.1</translation>
    </message>
    <message>
        <source>「ぼるぺる」で遊ぶジグソーパズルのデータを作ります</source>
        <translation>Makes jigsaw puzzles to play with Vorpel</translation>
    </message>
    <message>
        <source>ﾚｷﾞｭﾗｰ&#x3000;６３ピース（７×９）</source>
        <translation>Regular 63 Pieces (7 × 9)</translation>
    </message>
    <message>
        <source>ﾚｷﾞｭﾗｰ  ８０ピース（１０×８）</source>
        <translation>Regular 80 Pieces (10 × 8)</translation>
    </message>
    <message>
        <source>ﾚｷﾞｭﾗｰ  ８０ピース（８×１０）</source>
        <translation>Regular 80 Pieces (8 × 10)</translation>
    </message>
    <message>
        <source>ﾚｷﾞｭﾗｰ １０８ﾋﾟｰｽ(１２ × ９)</source>
        <translation>Regular 108 Pieces (12 × 9)</translation>
    </message>
    <message>
        <source>ﾚｷﾞｭﾗｰ １０８ﾋﾟｰｽ( ９ ×１２)</source>
        <translation>Regular 108 Pieces (9 × 12)</translation>
    </message>
    <message>
        <source>ｽﾓｰﾙ&#x3000; １３２ピース（１２×１１）</source>
        <translation>Small 132 Pieces (12 × 11)</translation>
    </message>
    <message>
        <source>ｽﾓｰﾙ   ２０８ピース（１６×１３）</source>
        <translation>Small 208 Pieces (16 × 13)</translation>
    </message>
    <message>
        <source>ﾗｰｼﾞ     ４８ピース（８×６）</source>
        <translation>Large 48 Pieces (8 × 6)</translation>
    </message>
    <message>
        <source>ﾗｰｼﾞ     ４８ピース（６×８）</source>
        <translation>Large 48 Pieces (6 × 8)</translation>
    </message>
    <message>
        <source>ビッグ&#x3000;&#x3000; １２ピース（３×４）</source>
        <translation>Big 12 Pieces (3 × 4)</translation>
    </message>
    <message>
        <source>ビッグ&#x3000;&#x3000; １２ピース（４×３）</source>
        <translation>Big 12 Pieces (4 × 3)</translation>
    </message>
    <message>
        <source>ｽﾓｰﾙ   ３００ﾋﾟｰｽ(20 x 15)</source>
        <translation>Small 300 Pieces (20 × 15)</translation>
    </message>
    <message>
        <source>ｽﾓｰﾙ   ４８０ﾋﾟｰｽ(24 x 20)</source>
        <translation>Small 480 Pieces (24 × 20)</translation>
    </message>
    <message>
        <source>特殊  &#x3000;   ３０ﾋﾟｰｽ（6×5）</source>
        <translation>Special 30 Pieces (6 × 5)</translation>
    </message>
    <message>
        <source>ｽｰﾊﾟｰｽﾓｰﾙ&#x3000;750ﾋﾟｰｽ（30×25）</source>
        <translation>Extra Small 750 Pieces (30 × 25)</translation>
    </message>
    <message>
        <source>ｽｰﾊﾟｰｽﾓｰﾙ&#x3000;1000ﾋﾟｰｽ（40×25）</source>
        <translation>Extra Small 1000 Pieces (40 × 25)</translation>
    </message>
    <message>
        <source>枠が小さく %1 倍に拡大されます（ぼやけます）</source>
        <translation>Frame too small: enlarged %1× (soft)</translation>
    </message>
    <message>
        <source>画像の読み込み</source>
        <translation>Loading a Picture</translation>
    </message>
</context>
<context>
    <name>DataFormatDialog</name>
    <message>
        <source>&#x3000;一般用データ（サイズ大）</source>
        <translation>For general use (large file)</translation>
    </message>
    <message>
        <source>&#x3000;配布用データ（サイズ小）</source>
        <translation>For sharing (small file)</translation>
    </message>
    <message>
        <source>データ形式</source>
        <translation>Data Format</translation>
    </message>
</context>
<context>
    <name>MessageDialog</name>
    <message>
        <source>はい</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>いいえ</source>
        <translation>No</translation>
    </message>
    <message>
        <source>メッセージの添付</source>
        <translation>Attach a Message</translation>
    </message>
    <message>
        <source>データを開くとき表示しますか？</source>
        <translation>Show it when the puzzle is opened?</translation>
    </message>
    <message>
        <source>%1 行まで、1 行 %2 バイト（全角 %3 文字）まで</source>
        <translation>Up to %1 lines of %2 bytes each (%3 full-width characters)</translation>
    </message>
    <message>
        <source>%1 行目が %2 バイト（全角 %3 文字）を超えているので、超えた分は切り捨てられます。</source>
        <translation>Line %1 is longer than %2 bytes (%3 full-width characters); the rest of it will be cut off.</translation>
    </message>
    <message>
        <source>%1 行目から後は使われません。</source>
        <translation>Lines from line %1 on will not be used.</translation>
    </message>
    <message>
        <source>文字「%1」はパズルのメッセージに入れられません。別の文字に置き換えてください。</source>
        <translation>The character &quot;%1&quot; cannot be stored in a puzzle message. Please replace it with another character.</translation>
    </message>
    <message>
        <source>このまま使いますか？</source>
        <translation>Use the message cut short?</translation>
    </message>
    <message>
        <source>切り詰めて使う</source>
        <translation>Cut It Short</translation>
    </message>
    <message>
        <source>直す</source>
        <translation>Edit</translation>
    </message>
</context>
<context>
    <name>PreviewWindow</name>
    <message>
        <source>パズル</source>
        <translation>Puzzle</translation>
    </message>
</context>
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
        <source>%1 の後に値がありません。</source>
        <translation>%1 needs a value.</translation>
    </message>
    <message>
        <source>--size は 0 から 15 までの番号です（「%1」は使えません）。</source>
        <translation>--size takes a number from 0 to 15 (not &quot;%1&quot;).</translation>
    </message>
    <message>
        <source>--format は large か small です（「%1」は使えません）。</source>
        <translation>--format is large or small (not &quot;%1&quot;).</translation>
    </message>
    <message>
        <source>メッセージは 3 行までです。</source>
        <translation>A message has at most 3 lines.</translation>
    </message>
    <message>
        <source>--frame は「左,上,右,下」の 4 つの整数です（「%1」は使えません）。</source>
        <translation>--frame takes four integers &quot;left,top,right,bottom&quot; (not &quot;%1&quot;).</translation>
    </message>
    <message>
        <source>「%1」というオプションはありません。</source>
        <translation>There is no option &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>画像ファイルは 1 つだけ指定してください。</source>
        <translation>Name only one picture file.</translation>
    </message>
    <message>
        <source>パズルファイルを作るには --output で出力先を指定してください。</source>
        <translation>To make a puzzle file, name it with --output.</translation>
    </message>
    <message>
        <source>画像ファイルを指定してください。</source>
        <translation>Name a picture file.</translation>
    </message>
    <message>
        <source>枠 %1,%2,%3,%4 が画像（%5 × %6）の中に収まっていません。</source>
        <translation>The frame %1,%2,%3,%4 does not fit inside the picture (%5 × %6).</translation>
    </message>
    <message>
        <source>メモリの確保に失敗しました。処理を中断します。</source>
        <translation>Out of memory; nothing was made.</translation>
    </message>
    <message>
        <source>ファイルの先頭が途中で切れています</source>
        <translation>the file ends inside its header</translation>
    </message>
    <message>
        <source>BMP の印 &quot;BM&quot; がありません</source>
        <translation>the BMP mark &quot;BM&quot; is missing</translation>
    </message>
    <message>
        <source>情報ヘッダーの長さ %1 バイトは BMP にありません</source>
        <translation>BMP has no info header of %1 bytes</translation>
    </message>
    <message>
        <source>情報ヘッダーが途中で切れています</source>
        <translation>the info header is cut short</translation>
    </message>
    <message>
        <source>画像の幅 %1、高さ %2 は正しくありません</source>
        <translation>a width of %1 and a height of %2 are not valid</translation>
    </message>
    <message>
        <source>圧縮形式 %1 には対応していません</source>
        <translation>compression type %1 is not supported</translation>
    </message>
    <message>
        <source>上から下へ並んだ RLE 圧縮は BMP にありません</source>
        <translation>BMP has no top-down RLE compression</translation>
    </message>
    <message>
        <source>ファイルヘッダーのファイル長 %1 が画素の位置 %2 以下です</source>
        <translation>the file length %1 in the file header does not go past the pixel offset %2</translation>
    </message>
    <message>
        <source>パレットの色数 %1 が 256 を超えています</source>
        <translation>the palette&apos;s %1 colors are more than 256</translation>
    </message>
    <message>
        <source>パレットの途中でファイルが終わっています</source>
        <translation>the file ends inside the palette</translation>
    </message>
    <message>
        <source>画素の位置 %1 がヘッダーかパレットの中を指しています</source>
        <translation>the pixel offset %1 points into the header or the palette</translation>
    </message>
    <message>
        <source>画素データの途中でファイルが終わっています</source>
        <translation>the file ends inside the pixel data</translation>
    </message>
    <message>
        <source>画素データが壊れています</source>
        <translation>the pixel data is damaged</translation>
    </message>
    <message>
        <source>データ作成</source>
        <translation>Make Puzzle</translation>
    </message>
    <message>
        <source>データの作成には、５分間程度かかります
パズルデータを作成しますか？</source>
        <translation>Making the puzzle data takes a few seconds.
Make the puzzle data?</translation>
    </message>
    <message>
        <source>ｷｬﾝｾﾙ</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>データ展開中</source>
        <translation>Reading the picture…</translation>
    </message>
    <message>
        <source>パレット展開中</source>
        <translation>Matching the palette…</translation>
    </message>
    <message>
        <source>データ作成中</source>
        <translation>Making the pieces…</translation>
    </message>
    <message>
        <source>警告</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>メモリの確保に失敗しました。
処理を中断します</source>
        <translation>Out of memory.
The work was stopped.</translation>
    </message>
    <message>
        <source>%1（kestra --help で使い方を表示します）</source>
        <translation>%1 (kestra --help shows how to use it)</translation>
    </message>
    <message>
        <source>すべての画像</source>
        <translation>All Pictures</translation>
    </message>
    <message>
        <source>TRUE COLOR または ２５６色 以外の画像は使用できません
画像の読み込みを中止します</source>
        <translation>Only true-color and 256-color pictures can be used.
The picture was not loaded.</translation>
    </message>
    <message>
        <source>クリップボードに画像がありません。</source>
        <translation>There is no picture on the clipboard.</translation>
    </message>
    <message>
        <source>クリップボードの画像</source>
        <translation>clipboard picture</translation>
    </message>
    <message>
        <source>注意: 枠（%1 × %2 ピクセル）はパズル（%3 × %4 ピクセル）より小さいので、%5 倍に拡大されてぼやけます。</source>
        <translation>Note: the frame (%1 × %2 pixels) is smaller than the puzzle (%3 × %4 pixels), so it is enlarged %5× and will look soft.</translation>
    </message>
    <message>
        <source>「%1」は大きすぎて、このコンピューターの空きメモリでは読み込めません。
ほかのプログラムを閉じるか、小さくした画像を使ってください。</source>
        <translation>&quot;%1&quot; is too large to read in this computer&apos;s free memory.
Close other programs, or use a smaller copy of the picture.</translation>
    </message>
    <message>
        <source>「%1」を開けません。
ファイルがあるか、読む権限があるかを確かめてください。</source>
        <translation>&quot;%1&quot; cannot be opened.
Check that the file exists and that you may read it.</translation>
    </message>
    <message>
        <source>「%1」は画像ファイルとして読めません。
BMP、JPEG、PNG などの画像を選んでください。</source>
        <translation>&quot;%1&quot; cannot be read as a picture.
Choose a BMP, JPEG, PNG or similar picture.</translation>
    </message>
    <message>
        <source>「%1」を読み込むメモリが足りません。
ほかのプログラムを閉じてから、もう一度開いてください。</source>
        <translation>There is not enough memory to read &quot;%1&quot;.
Close other programs, then open it again.</translation>
    </message>
    <message>
        <source>「%1」を読み込めませんでした。
もう一度開いてみるか、別の画像を選んでください。</source>
        <translation>&quot;%1&quot; could not be read.
Try opening it again, or choose another picture.</translation>
    </message>
    <message>
        <source>「%1」は BMP ファイルとして読めません。壊れているか、読めない形式です。
画像ソフトで保存し直すか、別の画像を選んでください。</source>
        <translation>&quot;%1&quot; cannot be read as a BMP file: it is damaged, or of a kind that cannot be read.
Save it again with a picture editor, or choose another picture.</translation>
    </message>
    <message>
        <source>「%1」は JPEG ファイルとして読めません。壊れているか、読めない形式です。
画像ソフトで保存し直すか、別の画像を選んでください。</source>
        <translation>&quot;%1&quot; cannot be read as a JPEG file: it is damaged, or of a kind that cannot be read.
Save it again with a picture editor, or choose another picture.</translation>
    </message>
    <message>
        <source>幅 %1 × 高さ %2 ピクセル</source>
        <translation>%1 pixels wide × %2 pixels high</translation>
    </message>
    <message>
        <source>「%1」は大きすぎて使えません。
幅も高さも %2 ピクセルまでの画像を使ってください。</source>
        <translation>&quot;%1&quot; is too large to use.
Use a picture at most %2 pixels wide and high.</translation>
    </message>
    <message>
        <source>ファイルが空です</source>
        <translation>the file is empty</translation>
    </message>
    <message>
        <source>「%1」は小さすぎてパズルを作れません。
幅も高さも %2 ピクセル以上の画像を使ってください。</source>
        <translation>&quot;%1&quot; is too small to make a puzzle from.
Use a picture at least %2 pixels wide and high.</translation>
    </message>
    <message>
        <source>「%1」は読み込んだ後に別の画像に変わっています。
画像を開き直してから、もう一度パズルを作ってください。</source>
        <translation>&quot;%1&quot; has changed to another picture since it was opened.
Open the picture again, then make the puzzle again.</translation>
    </message>
    <message>
        <source>%1（%2）</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>パズルサイズ（--size）:</source>
        <translation>Puzzle sizes (--size):</translation>
    </message>
    <message>
        <source>%1: %2 ピース（%3 × %4）</source>
        <translation>%1: %2 pieces (%3 × %4)</translation>
    </message>
    <message>
        <source>使い方:
  kestra [画像ファイル]
      ウィンドウを開きます。画像ファイルを指定するとそれを読み込みます。
  kestra --output 出力.jzt [オプション] 画像ファイル
      ウィンドウを開かずにパズルファイルを作ります。

オプション:
  --output FILE          作るパズルファイル（.jzt）
  --size N               パズルサイズの番号 0〜15（下の一覧、既定 0）
  --format large|small   一般用データ（サイズ大、既定）か配布用データ（サイズ小）
  --message LINE         添付するメッセージの 1 行（3 回まで、UTF-8）
  --hide-message         パズルを開いたときにメッセージを表示しない
                         （メッセージがなければ表示しません）
  --frame L,T,R,B        パズルにする部分（画像のピクセルで左,上,右,下）。
                         幅も高さも 50 ピクセル以上。既定は画面と同じ、
                         画像の左上に置いた一番大きな枠
  --help                 この説明を表示する

BMP（256 色、TRUE COLOR）、JPEG、PNG などの画像が使えます。
成功すると 0 を返し、失敗すると理由を 1 行表示して 0 以外を返します。
</source>
        <translation>Usage:
  kestra [PICTURE]
      Opens the window, with the picture if one is named.
  kestra --output OUTPUT.jzt [OPTIONS] PICTURE
      Makes a puzzle file without opening a window.

Options:
  --output FILE          the puzzle file to make (.jzt)
  --size N               the puzzle size, 0 to 15 (listed below; default 0)
  --format large|small   data for general use (large file, the default) or
                         for sharing (small file)
  --message LINE         one line of the attached message (up to 3, UTF-8)
  --hide-message         do not show the message when the puzzle is opened
                         (without a message nothing is shown)
  --frame L,T,R,B        the part of the picture to use, in picture pixels
                         (left,top,right,bottom), at least 50 pixels wide and
                         high; by default the largest frame at the picture&apos;s
                         top left, as the window sets it up
  --help                 show this help

Pictures may be BMP (256 colors or true color), JPEG, PNG and others.
Returns 0 on success; on failure, prints the reason on one line and returns
non-zero.
</translation>
    </message>
    <message>
        <source>プレーヤーで開く</source>
        <translation>Open in Player</translation>
    </message>
    <message>
        <source>プレーヤー「%1」が見つかりません。
探した場所:
%2
PATH のフォルダ</source>
        <translation>The player &quot;%1&quot; was not found.
Looked in:
%2
the folders on PATH</translation>
    </message>
    <message>
        <source>プレーヤー「%1」を起動できませんでした。</source>
        <translation>The player &quot;%1&quot; could not be started.</translation>
    </message>
    <message>
        <source>パズルファイル「%1」を作りました。</source>
        <translation>The puzzle file &quot;%1&quot; has been made.</translation>
    </message>
</context>
</TS>
