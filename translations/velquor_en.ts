<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>TAboutBox</name>
    <message>
        <source>ﾊﾞｰｼﾞｮﾝ情報</source>
        <translation>About Velquor</translation>
    </message>
</context>
<context>
    <name>TExportRunner</name>
    <message>
        <source>%1秒</source>
        <translation>%1 s</translation>
    </message>
    <message>
        <source>%1分%2秒</source>
        <translation>%1 min %2 s</translation>
    </message>
    <message>
        <source>画像を書き出しています</source>
        <translation>Exporting the Image</translation>
    </message>
    <message>
        <source>中止</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>%1%  経過 %2</source>
        <translation>%1%  elapsed %2</translation>
    </message>
    <message>
        <source>  残り 約%1</source>
        <translation>  about %1 left</translation>
    </message>
</context>
<context>
    <name>THelpWindow</name>
    <message>
        <source>Velquor ﾍﾙﾌﾟ</source>
        <translation>Velquor Help</translation>
    </message>
</context>
<context>
    <name>TPaletteBrowser</name>
    <message>
        <source>最近使ったﾊﾟﾚｯﾄ</source>
        <translation>Recent palettes</translation>
    </message>
    <message>
        <source>ﾊﾟﾚｯﾄﾌｫﾙﾀﾞ</source>
        <translation>Palette folder</translation>
    </message>
    <message>
        <source>付属のﾊﾟﾚｯﾄ</source>
        <translation>Shipped palettes</translation>
    </message>
    <message>
        <source>ﾊﾟﾚｯﾄ一覧</source>
        <translation>Palettes</translation>
    </message>
    <message>
        <source>更新(&amp;U)</source>
        <translation>Ref&amp;resh</translation>
    </message>
</context>
<context>
    <name>TPaletteEditor</name>
    <message>
        <source>ﾊﾟﾚｯﾄの編集</source>
        <translation>Edit Palette</translation>
    </message>
    <message>
        <source>区間</source>
        <translation>Segment</translation>
    </message>
    <message>
        <source>色(&amp;C)...</source>
        <translation>&amp;Colour...</translation>
    </message>
    <message>
        <source>終わりの色(&amp;E)...</source>
        <translation>&amp;End Colour...</translation>
    </message>
    <message>
        <source>両端を入れ替え(&amp;W)</source>
        <translation>S&amp;wap Ends</translation>
    </message>
    <message>
        <source>色数</source>
        <translation>Colours</translation>
    </message>
    <message>
        <source>赤の増分</source>
        <translation>Red step</translation>
    </message>
    <message>
        <source>緑の増分</source>
        <translation>Green step</translation>
    </message>
    <message>
        <source>青の増分</source>
        <translation>Blue step</translation>
    </message>
    <message>
        <source>単色を挿入</source>
        <translation>Insert Colour</translation>
    </message>
    <message>
        <source>ｸﾞﾗﾃﾞｰｼｮﾝを挿入</source>
        <translation>Insert Gradient</translation>
    </message>
    <message>
        <source>ﾗﾝﾌﾟを挿入</source>
        <translation>Insert Ramp</translation>
    </message>
    <message>
        <source>削除(&amp;D)</source>
        <translation>&amp;Delete</translation>
    </message>
    <message>
        <source>上へ(&amp;U)</source>
        <translation>&amp;Up</translation>
    </message>
    <message>
        <source>下へ(&amp;N)</source>
        <translation>Dow&amp;n</translation>
    </message>
    <message>
        <source>逆順(&amp;R)</source>
        <translation>&amp;Reverse</translation>
    </message>
    <message>
        <source>保存(&amp;S)</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <source>名前を付けて保存(&amp;A)...</source>
        <translation>Save &amp;As...</translation>
    </message>
    <message>
        <source>了解(&amp;O)</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>ｷｬﾝｾﾙ</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>%1 色</source>
        <translation>Colours: %1</translation>
    </message>
    <message>
        <source>始めの色(&amp;C)...</source>
        <translation>Start &amp;Colour...</translation>
    </message>
    <message>
        <source>終わりの色</source>
        <translation>End Colour</translation>
    </message>
    <message>
        <source>色</source>
        <translation>Colour</translation>
    </message>
</context>
<context>
    <name>TQtDialogs</name>
    <message>
        <source>エラー</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>保存(&amp;S)</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <source>保存しない(&amp;N)</source>
        <translation>Do&amp;n&apos;t Save</translation>
    </message>
</context>
<context>
    <name>TStatusPanels</name>
    <message>
        <source>標準</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>名称未設定</source>
        <translation>Untitled</translation>
    </message>
</context>
<context>
    <name>TText</name>
    <message>
        <source>ゼロによる除算</source>
        <translation>Division by zero</translation>
    </message>
    <message>
        <source>不正な浮動小数点数演算命令</source>
        <translation>Invalid floating-point operation</translation>
    </message>
    <message>
        <source>浮動小数点数のオーバーフロー</source>
        <translation>Floating-point overflow</translation>
    </message>
    <message>
        <source>メモリが不足しています。</source>
        <translation>Not enough memory.</translation>
    </message>
    <message>
        <source>未サポートのFormulaNameです。</source>
        <translation>Unsupported FormulaName.</translation>
    </message>
    <message>
        <source>未サポートのFormulaTypeです。[%d]</source>
        <translation>Unsupported FormulaType. [%d]</translation>
    </message>
    <message>
        <source>幅の指定が不正です。[%d]</source>
        <translation>Invalid width. [%d]</translation>
    </message>
    <message>
        <source>高さの指定が不正です。[%d]</source>
        <translation>Invalid height. [%d]</translation>
    </message>
    <message>
        <source>未サポートのPointMoveTypeです。</source>
        <translation>Unsupported PointMoveType.</translation>
    </message>
    <message>
        <source>[%s]を開けません。</source>
        <translation>Cannot open [%s].</translation>
    </message>
    <message>
        <source>は扱えません。</source>
        <translation>cannot be handled.</translation>
    </message>
    <message>
        <source><byte value="xd"/>
<byte value="xd"/>
ﾍﾙﾌﾟを見るためには実行ﾌｧｲﾙのあるﾌｫﾙﾀﾞの中に<byte value="xd"/>
Velquor.html がなければいけません<byte value="xd"/>
</source>
        <translation><byte value="xd"/>
<byte value="xd"/>
To show the help, the folder of the program<byte value="xd"/>
must hold Velquor.html<byte value="xd"/>
</translation>
    </message>
    <message>
        <source> が見つかりません</source>
        <translation> was not found</translation>
    </message>
    <message>
        <source>Velquor.html が見つかりません</source>
        <translation>Velquor.html was not found</translation>
    </message>
    <message>
        <source>ﾍﾙﾌﾟを表示するﾌﾟﾛｸﾞﾗﾑを起動できません。<byte value="xd"/>
ﾌﾞﾗｳｻﾞで次のﾌｧｲﾙを開いてください:<byte value="xd"/>
</source>
        <translation>No program to show the help can be started.<byte value="xd"/>
Open this file in a browser:<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>ぼかし中 %.1f秒</source>
        <translation>Blurring %.1f s</translation>
    </message>
    <message>
        <source>描画中 %d%% %.1f秒</source>
        <translation>Drawing %d%% %.1f s</translation>
    </message>
    <message>
        <source>描画時間 %.2f秒</source>
        <translation>Drawn in %.2f s</translation>
    </message>
    <message>
        <source>描画中断 %.2f秒</source>
        <translation>Stopped after %.2f s</translation>
    </message>
    <message>
        <source>&apos;%s&apos; は整数ではありません</source>
        <translation>&apos;%s&apos; is not an integer</translation>
    </message>
    <message>
        <source>&apos;%s&apos; は浮動小数点数ではありません</source>
        <translation>&apos;%s&apos; is not a floating-point number</translation>
    </message>
    <message>
        <source>ディスクに空きがありません。</source>
        <translation>The disk is full.</translation>
    </message>
    <message>
        <source>ディスクの使用量が上限に達しています。</source>
        <translation>The disk quota is exceeded.</translation>
    </message>
    <message>
        <source>読み取り専用のファイルシステムです。</source>
        <translation>The file system is read-only.</translation>
    </message>
    <message>
        <source>アクセスが拒否されました。</source>
        <translation>Access was denied.</translation>
    </message>
    <message>
        <source>ファイル名が長すぎます。</source>
        <translation>The file name is too long.</translation>
    </message>
    <message>
        <source>シンボリックリンクが循環しています。</source>
        <translation>The symbolic links form a loop.</translation>
    </message>
    <message>
        <source>フォルダーがありません。</source>
        <translation>The folder does not exist.</translation>
    </message>
    <message>
        <source>パスの途中にフォルダーでないものがあります。</source>
        <translation>A part of the path is not a folder.</translation>
    </message>
    <message>
        <source>同じ名前のフォルダーがあります。</source>
        <translation>A folder of that name exists.</translation>
    </message>
    <message>
        <source>ファイルが大きすぎます。</source>
        <translation>The file is too large.</translation>
    </message>
    <message>
        <source>入出力エラーが発生しました。</source>
        <translation>An input/output error occurred.</translation>
    </message>
    <message>
        <source>開いているファイルが多すぎます。</source>
        <translation>Too many files are open.</translation>
    </message>
    <message>
        <source>ファイルが使用中です。</source>
        <translation>The file is in use.</translation>
    </message>
    <message>
        <source>リンクの数が上限に達しています。</source>
        <translation>The file has too many links.</translation>
    </message>
    <message>
        <source>システムエラー %d が発生しました。</source>
        <translation>System error %d occurred.</translation>
    </message>
    <message>
        <source>ファイルが見つかりません。</source>
        <translation>The file does not exist.</translation>
    </message>
    <message>
        <source>ファイル &apos;%s&apos; を開けません。%s</source>
        <translation>Cannot open the file &apos;%s&apos;. %s</translation>
    </message>
    <message>
        <source>ファイル &apos;%s&apos; を読み込めません。%s</source>
        <translation>Cannot read the file &apos;%s&apos;. %s</translation>
    </message>
    <message>
        <source>ファイル &apos;%s&apos; は大きすぎます。読み込めるのは %s までです。</source>
        <translation>The file &apos;%s&apos; is too large; at most %s can be read.</translation>
    </message>
    <message>
        <source>フォルダー</source>
        <translation>a folder</translation>
    </message>
    <message>
        <source>名前付きパイプ</source>
        <translation>a named pipe</translation>
    </message>
    <message>
        <source>デバイス</source>
        <translation>a device</translation>
    </message>
    <message>
        <source>ソケット</source>
        <translation>a socket</translation>
    </message>
    <message>
        <source>特殊なファイル</source>
        <translation>a special file</translation>
    </message>
    <message>
        <source>&apos;%s&apos; は%sです。読み込めるのは通常のファイルだけです。</source>
        <translation>&apos;%s&apos; is %s; only regular files can be read.</translation>
    </message>
    <message>
        <source>%llu バイト</source>
        <translation>%llu bytes</translation>
    </message>
    <message>
        <source>ファイル &apos;%s&apos; を作成できません。</source>
        <translation>Cannot create the file &apos;%s&apos;.</translation>
    </message>
    <message>
        <source>通常のファイルではありません。</source>
        <translation>It is not a regular file.</translation>
    </message>
    <message>
        <source>不明なエラーが発生しました。</source>
        <translation>An unknown error occurred.</translation>
    </message>
    <message>
        <source>&apos;$%s&apos; は整数ではありません</source>
        <translation>&apos;$%s&apos; is not an integer</translation>
    </message>
    <message>
        <source>パレットの範囲を越えています。最大[%d] 指定[%d]</source>
        <translation>Beyond the palette. Largest [%d], given [%d]</translation>
    </message>
    <message>
        <source>ファイル &apos;%s&apos; を開けません。</source>
        <translation>Cannot open the file &apos;%s&apos;.</translation>
    </message>
    <message>
        <source>%lld行目の形式が不正です。%s</source>
        <translation>Line %lld is malformed. %s</translation>
    </message>
    <message>
        <source>使い方: velquor-render [文書.vqp] [オプション]
模様を描いて BMP または PNG のファイルに書き出します。
文書を指定しなければ起動時の模様を描きます。文書の後に指定した
オプションは文書の値より優先されます。

  --formula N           数式の番号(0～6)
  --formula-expr 式     番号の代わりに x と y の式を自分で書く。例:
                        &quot;x*x + y*y&quot;、&quot;200*sin(x/10) + y^2/50&quot;。
                        数値、pi、e、+ - * / ^(べき乗)、括弧と
                        sin cos tan abs sqrt exp ln floor ceil round
                        min max mod atan2 hypot が使えます。数式の
                        オプションは最後に指定したものが有効です
  --point-move N        座標変換の番号(0～4)
  --params A,B,C,D      座標変換のパラメータ
  --center X,Y          画像の中心に来る平面上の点
  --increment DX,DY     隣の画素までの平面上の距離
  --size 幅x高さ        画像の大きさ(画素数、それぞれ 1～9999)
  --color-change V      数式の値に掛ける倍率
  --palette FILE        パレットファイル(.mcf、Fractint の .map、GIMP の .gpl と .ggr)
  --palette-offset N    パレットを N 色ずらす(0 でそのまま)
  --palette-dir DIR     文書のパレットを探すフォルダー
  --shade-off           描き終えた画像をぼかす
  -o FILE               出力ファイル(省略時は velquor.bmp。ただし
                        --save-document だけを指定したときは画像を
                        書き出しません)。既にあるデバイスや名前付き
                        パイプにはそのまま書き込みます
  --format bmp|png      FILE に .bmp も .png も付いていないときの
                        ファイル形式(省略時は bmp)
  --save-document FILE  模様を文書として保存する
  --help                この説明を表示する

書き出し: 次のどれかを指定すると、画像を独自の大きさで帯ごとに描いて書き出します
(模様の大きさの上限を超えられます):
  --canvas 幅x高さ      画像の大きさ(それぞれ 1～65535。省略時は模様の
                        大きさ×倍率)
  --scale S             S 倍細かく描く: 増分を S で割る(1～64、省略時 1)
  --antialias K         各画素を K x K 点のリニアな光の平均にする
                        (1～8、省略時 1)
  --embed-document      PNG に模様の文書を入れ、模様として開けるようにする

読み込む文書、パレット、保存する文書と同じファイルに画像を書き出す
ことはできません。文書を読み込んだファイルに保存し直すことはできます。
</source>
        <translation>Usage: velquor-render [DOCUMENT.vqp] [OPTIONS]
Draws a pattern and writes it to a BMP or PNG file.
Without a document the start-up pattern is drawn. Options given after
the document override its values.

  --formula N           the formula&apos;s number (0 to 6)
  --formula-expr EXPR   an expression of x and y instead of a number, e.g.
                        &quot;x*x + y*y&quot;, &quot;200*sin(x/10) + y^2/50&quot;.
                        Numbers, pi, e, + - * / ^ (power), brackets and
                        sin cos tan abs sqrt exp ln floor ceil round
                        min max mod atan2 hypot can be used. Of the
                        formula options the last one given counts
  --point-move N        the point move&apos;s number (0 to 4)
  --params A,B,C,D      the point move&apos;s parameters
  --center X,Y          the point of the plane at the picture&apos;s centre
  --increment DX,DY     the plane&apos;s distance from one pixel to the next
  --size WxH            the picture&apos;s size (pixels, each 1 to 9999)
  --color-change V      the multiplier of the formula&apos;s value
  --palette FILE        a palette file (.mcf, Fractint .map, GIMP .gpl and .ggr)
  --palette-offset N    turns the palette by N entries (0 leaves it)
  --palette-dir DIR     the folder where a document&apos;s palette is looked for
  --shade-off           blurs the finished picture
  -o FILE               the output file (velquor.bmp when left out; but
                        with only --save-document no picture is
                        written). An existing device or named pipe is
                        written as it is
  --format bmp|png      the file type when FILE ends in neither .bmp
                        nor .png (bmp when left out)
  --save-document FILE  saves the pattern as a document
  --help                shows this text

Export: any of these draws the picture at a size of its own, band by band
(beyond the pattern&apos;s size limit):
  --canvas WxH          the picture&apos;s size (each 1 to 65535; the pattern&apos;s
                        size times the scale when left out)
  --scale S             draws S times finer: the increment divided by S
                        (1 to 64, 1 when left out)
  --antialias K         each pixel the average of K x K points in linear
                        light (1 to 8, 1 when left out)
  --embed-document      puts the pattern&apos;s document into the PNG, so it
                        opens as the pattern

A picture cannot be written over the document read, a palette or the
document saved. A document may be saved back over the one read.
</translation>
    </message>
    <message>
        <source>(使い方は velquor-render --help で表示されます)</source>
        <translation>(velquor-render --help shows how to use it)</translation>
    </message>
    <message>
        <source>%s の後に値を指定してください。</source>
        <translation>%s needs a value after it.</translation>
    </message>
    <message>
        <source>%s というオプションはありません。</source>
        <translation>There is no option %s.</translation>
    </message>
    <message>
        <source>%s にはカンマで区切った %d 個の数値を指定してください。</source>
        <translation>%s needs %d numbers separated by commas.</translation>
    </message>
    <message>
        <source>--size は 幅x高さ の形で指定してください(例: 400x400)。</source>
        <translation>--size needs the form WIDTHxHEIGHT (for example 400x400).</translation>
    </message>
    <message>
        <source>--canvas は 幅x高さ の形で指定してください(例: 1920x1080)。</source>
        <translation>--canvas needs the form WIDTHxHEIGHT (for example 1920x1080).</translation>
    </message>
    <message>
        <source>--embed-document は PNG ファイルにだけ使えます(.png の名前か --format png を指定してください)。</source>
        <translation>--embed-document works only for PNG files (give a .png name or --format png).</translation>
    </message>
    <message>
        <source>--format には bmp か png を指定してください(&apos;%s&apos; は使えません)。</source>
        <translation>--format needs bmp or png (&apos;%s&apos; cannot be used).</translation>
    </message>
    <message>
        <source>描画できる文書は1つだけです(&apos;%s&apos; と &apos;%s&apos; が指定されました)。</source>
        <translation>Only one document can be drawn (&apos;%s&apos; and &apos;%s&apos; were given).</translation>
    </message>
    <message>
        <source>文書のファイル名が空です。</source>
        <translation>The document&apos;s file name is empty.</translation>
    </message>
    <message>
        <source>-o の出力ファイル名が空です。</source>
        <translation>The output file name of -o is empty.</translation>
    </message>
    <message>
        <source>--save-document のファイル名が空です。</source>
        <translation>The file name of --save-document is empty.</translation>
    </message>
    <message>
        <source>--palette のファイル名が空です。</source>
        <translation>The file name of --palette is empty.</translation>
    </message>
    <message>
        <source>&apos;%s&apos; はフォルダーです。画像を書き出すファイルの名前を指定してください。</source>
        <translation>&apos;%s&apos; is a folder. Give the name of a file to write the picture to.</translation>
    </message>
    <message>
        <source>&apos;%s&apos; はフォルダーです。文書を保存するファイルの名前を指定してください。</source>
        <translation>&apos;%s&apos; is a folder. Give the name of a file to save the document to.</translation>
    </message>
    <message>
        <source>画像の出力先 &apos;%s&apos; は読み込む文書 &apos;%s&apos; と同じファイルです。文書を失わないよう、何も書き出しません。</source>
        <translation>The picture&apos;s output &apos;%s&apos; is the same file as the document read, &apos;%s&apos;. So as not to lose the document, nothing is written.</translation>
    </message>
    <message>
        <source>画像の出力先 &apos;%s&apos; はパレット &apos;%s&apos; と同じファイルです。パレットを失わないよう、何も書き出しません。</source>
        <translation>The picture&apos;s output &apos;%s&apos; is the same file as the palette &apos;%s&apos;. So as not to lose the palette, nothing is written.</translation>
    </message>
    <message>
        <source>画像の出力先 &apos;%s&apos; は文書の保存先 &apos;%s&apos; と同じファイルです。どちらかを失わないよう、何も書き出しません。</source>
        <translation>The picture&apos;s output &apos;%s&apos; is the same file as the document&apos;s output &apos;%s&apos;. So as not to lose either, nothing is written.</translation>
    </message>
    <message>
        <source>文書の保存先 &apos;%s&apos; はパレット &apos;%s&apos; と同じファイルです。パレットを失わないよう、何も書き出しません。</source>
        <translation>The document&apos;s output &apos;%s&apos; is the same file as the palette &apos;%s&apos;. So as not to lose the palette, nothing is written.</translation>
    </message>
    <message>
        <source>&apos;%s&apos; に書き込めません。%s</source>
        <translation>Cannot write to &apos;%s&apos;. %s</translation>
    </message>
    <message>
        <source>描画中 %d%%</source>
        <translation>Drawing %d%%</translation>
    </message>
    <message>
        <source>保存中 %d%%</source>
        <translation>Saving %d%%</translation>
    </message>
    <message>
        <source>書き出し中 %d%%</source>
        <translation>Exporting %d%%</translation>
    </message>
    <message>
        <source>%s を書き出しました。</source>
        <translation>Wrote %s.</translation>
    </message>
    <message>
        <source>色を回せません。ﾊﾟﾚｯﾄの色が多すぎます。</source>
        <translation>The colours cannot be cycled. The palette has too many colours.</translation>
    </message>
    <message>
        <source>&apos;%1&apos; は PNG ファイルではありません。</source>
        <translation>&apos;%1&apos; is not a PNG file.</translation>
    </message>
    <message>
        <source>&apos;%1&apos; に埋め込まれたパターンが壊れています。</source>
        <translation>The pattern embedded in &apos;%1&apos; is damaged.</translation>
    </message>
    <message>
        <source>&apos;%1&apos; にはパターンが埋め込まれていません。</source>
        <translation>&apos;%1&apos; has no pattern embedded in it.</translation>
    </message>
    <message>
        <source>%1が読み込めません。</source>
        <translation>Cannot read %1.</translation>
    </message>
    <message>
        <source>&apos;%1&apos; は正しい論理型ではありません</source>
        <translation>&apos;%1&apos; is not a valid Boolean</translation>
    </message>
    <message>
        <source>他アプリケーションのファイルです。</source>
        <translation>The file belongs to another application.</translation>
    </message>
    <message>
        <source>画像を %1 に書き出しましたが、壁紙に設定できませんでした。<byte value="xd"/>
このﾃﾞｽｸﾄｯﾌﾟには壁紙を設定する方法がありません。</source>
        <translation>The picture was written to %1, but it could not be set as the wallpaper.<byte value="xd"/>
This desktop has no way to set a wallpaper.</translation>
    </message>
    <message>
        <source>書き出す画像の幅の指定が不正です。[%1]</source>
        <translation>Invalid width of the exported picture. [%1]</translation>
    </message>
    <message>
        <source>書き出す画像の高さの指定が不正です。[%1]</source>
        <translation>Invalid height of the exported picture. [%1]</translation>
    </message>
    <message>
        <source>倍率の指定が不正です。[%1]</source>
        <translation>Invalid scale. [%1]</translation>
    </message>
    <message>
        <source>アンチエイリアスの指定が不正です。[%1]</source>
        <translation>Invalid antialiasing. [%1]</translation>
    </message>
    <message>
        <source>x := 回転(a), y := 回転(a)</source>
        <translation>x := rotate(a), y := rotate(a)</translation>
    </message>
    <message>
        <source>式の誤り(%1文字目): %2</source>
        <translation>Error in the expression (character %1): %2</translation>
    </message>
    <message>
        <source>数値、名前、「(」または「-」が必要です</source>
        <translation>A number, a name, &quot;(&quot; or &quot;-&quot; is expected</translation>
    </message>
    <message>
        <source>式が空です</source>
        <translation>The expression is empty</translation>
    </message>
    <message>
        <source>関数 &apos;%1&apos; の後に「(」が必要です</source>
        <translation>&quot;(&quot; is expected after the function &apos;%1&apos;</translation>
    </message>
    <message>
        <source>名前 &apos;%1&apos; は不明です</source>
        <translation>The name &apos;%1&apos; is unknown</translation>
    </message>
    <message>
        <source>括弧の入れ子は%1段までです</source>
        <translation>Brackets can be nested at most %1 deep</translation>
    </message>
    <message>
        <source>対応する「(」のない「)」です</source>
        <translation>&quot;)&quot; without a matching &quot;(&quot;</translation>
    </message>
    <message>
        <source>「,」は関数の引数の区切りにだけ使えます</source>
        <translation>&quot;,&quot; can only separate a function&apos;s arguments</translation>
    </message>
    <message>
        <source>関数 &apos;%1&apos; の引数は%2個です(指定は%3個)</source>
        <translation>The function &apos;%1&apos; takes %2 arguments (%3 given)</translation>
    </message>
    <message>
        <source>「)」が足りません</source>
        <translation>&quot;)&quot; is missing</translation>
    </message>
    <message>
        <source>演算子、「,」または「)」が必要です</source>
        <translation>An operator, &quot;,&quot; or &quot;)&quot; is expected</translation>
    </message>
    <message>
        <source>演算子または「)」が必要です</source>
        <translation>An operator or &quot;)&quot; is expected</translation>
    </message>
    <message>
        <source>演算子が必要です</source>
        <translation>An operator is expected</translation>
    </message>
    <message>
        <source>式は%1文字までです</source>
        <translation>An expression can have at most %1 characters</translation>
    </message>
    <message>
        <source>ASCII以外の文字は使えません</source>
        <translation>Only ASCII characters can be used</translation>
    </message>
    <message>
        <source>文字 &apos;%1&apos; は使えません</source>
        <translation>The character &apos;%1&apos; cannot be used</translation>
    </message>
    <message>
        <source>制御文字(%1)は使えません</source>
        <translation>The control character %1 cannot be used</translation>
    </message>
    <message>
        <source>数値に数字がありません</source>
        <translation>The number has no digits</translation>
    </message>
    <message>
        <source>数値の指数に数字がありません</source>
        <translation>The number&apos;s exponent has no digits</translation>
    </message>
    <message>
        <source>数値が大きすぎます</source>
        <translation>The number is too large</translation>
    </message>
    <message>
        <source>GIMPのグラデーション(.ggr)には保存できません。</source>
        <translation>Cannot save as a GIMP gradient (.ggr).</translation>
    </message>
    <message>
        <source>%1行目で%2</source>
        <translation>On line %1: %2</translation>
    </message>
    <message>
        <source>色の数が上限の %1 色を超えます。</source>
        <translation>There are more colours than the limit of %1.</translation>
    </message>
    <message>
        <source>&apos;%1&apos; のデータ型が不正です</source>
        <translation>The data type of &apos;%1&apos; is invalid</translation>
    </message>
    <message>
        <source>&apos;%1&apos; の設定に失敗しました</source>
        <translation>Failed to store &apos;%1&apos;</translation>
    </message>
    <message>
        <source>属性 &apos;%1&apos; の値にXMLで書けない文字があります</source>
        <translation>The value of the attribute &apos;%1&apos; has characters XML cannot hold</translation>
    </message>
    <message>
        <source>メモリが不足しています</source>
        <translation>Not enough memory</translation>
    </message>
    <message>
        <source>文書の先頭が XML ではありません</source>
        <translation>The document does not start as XML</translation>
    </message>
    <message>
        <source>文書が空です</source>
        <translation>The document is empty</translation>
    </message>
    <message>
        <source>ルート要素の後に余分な内容があります</source>
        <translation>There is extra content after the root element</translation>
    </message>
    <message>
        <source>文字参照が正しくありません</source>
        <translation>Invalid character reference</translation>
    </message>
    <message>
        <source>文字参照が XML で使えない文字を指しています</source>
        <translation>A character reference names a character XML does not allow</translation>
    </message>
    <message>
        <source>XML で使えない文字があります</source>
        <translation>There is a character XML does not allow</translation>
    </message>
    <message>
        <source>文字参照の途中で文書が終わっています</source>
        <translation>The document ends inside a character reference</translation>
    </message>
    <message>
        <source>ルート要素の前に文字参照があります</source>
        <translation>A character reference comes before the root element</translation>
    </message>
    <message>
        <source>ルート要素の後に文字参照があります</source>
        <translation>A character reference comes after the root element</translation>
    </message>
    <message>
        <source>実体参照の途中で文書が終わっています</source>
        <translation>The document ends inside an entity reference</translation>
    </message>
    <message>
        <source>ルート要素の前に実体参照があります</source>
        <translation>An entity reference comes before the root element</translation>
    </message>
    <message>
        <source>ルート要素の後に実体参照があります</source>
        <translation>An entity reference comes after the root element</translation>
    </message>
    <message>
        <source>&amp; の後に実体の名前がありません</source>
        <translation>No entity name after &amp;</translation>
    </message>
    <message>
        <source>実体参照が ; で終わっていません</source>
        <translation>An entity reference does not end with ;</translation>
    </message>
    <message>
        <source>% の後に実体の名前がありません</source>
        <translation>No entity name after %</translation>
    </message>
    <message>
        <source>宣言されていない実体を参照しています</source>
        <translation>A reference to an undeclared entity</translation>
    </message>
    <message>
        <source>解析対象外の実体を参照しています</source>
        <translation>A reference to an unparsed entity</translation>
    </message>
    <message>
        <source>外部の実体を参照しています</source>
        <translation>A reference to an external entity</translation>
    </message>
    <message>
        <source>文字コードの指定が不明です</source>
        <translation>Unknown encoding</translation>
    </message>
    <message>
        <source>対応していない文字コードです</source>
        <translation>Unsupported encoding</translation>
    </message>
    <message>
        <source>文字列が引用符で始まっていません</source>
        <translation>A string does not start with a quotation mark</translation>
    </message>
    <message>
        <source>文字列の引用符が閉じていません</source>
        <translation>A string&apos;s quotation mark is not closed</translation>
    </message>
    <message>
        <source>名前空間の宣言が正しくありません</source>
        <translation>Invalid namespace declaration</translation>
    </message>
    <message>
        <source>属性値の中に &lt; があります</source>
        <translation>An attribute value contains &lt;</translation>
    </message>
    <message>
        <source>属性値が引用符で始まっていません</source>
        <translation>An attribute value does not start with a quotation mark</translation>
    </message>
    <message>
        <source>属性値の引用符が閉じていません</source>
        <translation>An attribute value&apos;s quotation mark is not closed</translation>
    </message>
    <message>
        <source>属性に値がありません</source>
        <translation>An attribute has no value</translation>
    </message>
    <message>
        <source>同じ属性が二度書かれています</source>
        <translation>The same attribute is written twice</translation>
    </message>
    <message>
        <source>リテラルが引用符で始まっていません</source>
        <translation>A literal does not start with a quotation mark</translation>
    </message>
    <message>
        <source>リテラルの引用符が閉じていません</source>
        <translation>A literal&apos;s quotation mark is not closed</translation>
    </message>
    <message>
        <source>コメントが閉じていません</source>
        <translation>A comment is not closed</translation>
    </message>
    <message>
        <source>処理命令の名前が正しくありません</source>
        <translation>Invalid processing instruction name</translation>
    </message>
    <message>
        <source>処理命令が閉じていません</source>
        <translation>A processing instruction is not closed</translation>
    </message>
    <message>
        <source>XML 宣言が正しく始まっていません</source>
        <translation>The XML declaration does not start properly</translation>
    </message>
    <message>
        <source>XML 宣言が閉じていません</source>
        <translation>The XML declaration is not closed</translation>
    </message>
    <message>
        <source>文書型宣言が閉じていません</source>
        <translation>The document type declaration is not closed</translation>
    </message>
    <message>
        <source>]]&gt; が CDATA セクションの外にあります</source>
        <translation>]]&gt; outside a CDATA section</translation>
    </message>
    <message>
        <source>CDATA セクションが閉じていません</source>
        <translation>A CDATA section is not closed</translation>
    </message>
    <message>
        <source>xml で始まる名前は使えません</source>
        <translation>Names starting with xml are reserved</translation>
    </message>
    <message>
        <source>空白が必要な所に空白がありません</source>
        <translation>White space is missing where it is required</translation>
    </message>
    <message>
        <source>名前があるべき所に正しい名前がありません</source>
        <translation>No valid name where a name is required</translation>
    </message>
    <message>
        <source>&lt; があるべき所にありません</source>
        <translation>&lt; is missing where it is required</translation>
    </message>
    <message>
        <source>タグが &gt; で閉じていません</source>
        <translation>A tag is not closed with &gt;</translation>
    </message>
    <message>
        <source>終了タグ &lt;/ があるべき所にありません</source>
        <translation>The end tag &lt;/ is missing where it is required</translation>
    </message>
    <message>
        <source>属性名の後に = がありません</source>
        <translation>No = after an attribute name</translation>
    </message>
    <message>
        <source>要素が閉じないまま文書が終わっています</source>
        <translation>The document ends before an element is closed</translation>
    </message>
    <message>
        <source>standalone の値は yes か no です</source>
        <translation>The value of standalone must be yes or no</translation>
    </message>
    <message>
        <source>文字コードの名前が正しくありません</source>
        <translation>Invalid encoding name</translation>
    </message>
    <message>
        <source>コメントの中に -- があります</source>
        <translation>A comment contains --</translation>
    </message>
    <message>
        <source>指定の文字コードとして読めないバイトがあります</source>
        <translation>There are bytes that cannot be read in the declared encoding</translation>
    </message>
    <message>
        <source>値がありません</source>
        <translation>A value is missing</translation>
    </message>
    <message>
        <source>開始タグと終了タグが対応していません</source>
        <translation>Start and end tags do not match</translation>
    </message>
    <message>
        <source>実体の参照が循環しています</source>
        <translation>Entity references form a loop</translation>
    </message>
    <message>
        <source>XML 宣言に version がありません</source>
        <translation>The XML declaration has no version</translation>
    </message>
    <message>
        <source>対応していない XML のバージョンです</source>
        <translation>Unsupported XML version</translation>
    </message>
    <message>
        <source>名前が長すぎます</source>
        <translation>A name is too long</translation>
    </message>
    <message>
        <source>宣言されていない名前空間の接頭辞があります</source>
        <translation>An undeclared namespace prefix is used</translation>
    </message>
    <message>
        <source>名前空間付きの名前が正しくありません</source>
        <translation>Invalid qualified name</translation>
    </message>
    <message>
        <source>名前空間の URI が空です</source>
        <translation>A namespace URI is empty</translation>
    </message>
    <message>
        <source>名前の中のコロンが正しくありません</source>
        <translation>Invalid colon in a name</translation>
    </message>
    <message>
        <source>xml 名前空間の使い方が正しくありません</source>
        <translation>Invalid use of the xml namespace</translation>
    </message>
    <message>
        <source>開始タグ &lt;%1&gt;(%2行目)と終了タグ &lt;/%3&gt; が対応していません</source>
        <translation>The start tag &lt;%1&gt; (line %2) does not match the end tag &lt;/%3&gt;</translation>
    </message>
    <message>
        <source>要素 &lt;%1&gt;(%2行目)が閉じないまま文書が終わっています</source>
        <translation>The document ends before the element &lt;%1&gt; (line %2) is closed</translation>
    </message>
    <message>
        <source>XML として正しくありません(エラー番号 %1)</source>
        <translation>Not valid XML (error number %1)</translation>
    </message>
    <message>
        <source>要素や文字列が多すぎます(%1 個まで)</source>
        <translation>Too many elements and texts (at most %1)</translation>
    </message>
    <message>
        <source>要素の入れ子が深すぎます(%1 段まで)</source>
        <translation>Elements are nested too deep (at most %1 levels)</translation>
    </message>
    <message>
        <source>実体を宣言した文書は読み込めません</source>
        <translation>Documents that declare entities cannot be read</translation>
    </message>
    <message>
        <source>外部のDTDを参照する文書は読み込めません</source>
        <translation>Documents that refer to an external DTD cannot be read</translation>
    </message>
    <message>
        <source>XMLの解析に失敗しました: %1(%2行目%3列目): %4</source>
        <translation>Failed to parse XML: %1 (line %2, column %3): %4</translation>
    </message>
    <message>
        <source>XMLの解析に失敗しました: %1(%2行目): %3</source>
        <translation>Failed to parse XML: %1 (line %2): %3</translation>
    </message>
    <message>
        <source>XMLの解析に失敗しました: %1: %2</source>
        <translation>Failed to parse XML: %1: %2</translation>
    </message>
    <message>
        <source>文書が大きすぎます(%1 まで)</source>
        <translation>The document is too large (at most %1)</translation>
    </message>
    <message>
        <source>Shift_JISとして読めないバイトがあります</source>
        <translation>There are bytes that cannot be read as Shift_JIS</translation>
    </message>
    <message>
        <source>属性が多すぎます(1つの要素に %1 個まで)</source>
        <translation>Too many attributes (at most %1 per element)</translation>
    </message>
    <message>
        <source>整形式ではありません</source>
        <translation>Not well-formed</translation>
    </message>
    <message>
        <source>XMLの書き出しに失敗しました: 名前 &apos;%1&apos; はShift_JISで書けません</source>
        <translation>Failed to write XML: the name &apos;%1&apos; cannot be written in Shift_JIS</translation>
    </message>
    <message>
        <source>XMLの書き出しに失敗しました: Shift_JISで書けない文字があります</source>
        <translation>Failed to write XML: there are characters Shift_JIS cannot hold</translation>
    </message>
    <message>
        <source>変換(%1,%2) </source>
        <translation>moved(%1,%2) </translation>
    </message>
    <message>
        <source>値=%1 </source>
        <translation>value=%1 </translation>
    </message>
    <message>
        <source>値=%1→%2 ﾊﾟﾚｯﾄ=%3</source>
        <translation>value=%1→%2 entry=%3</translation>
    </message>
</context>
<context>
    <name>TfrmExport</name>
    <message>
        <source>画像を書き出す</source>
        <translation>Export Image</translation>
    </message>
    <message>
        <source>なし</source>
        <translation>None</translation>
    </message>
    <message>
        <source>パターンを埋め込む</source>
        <translation>Embed the pattern</translation>
    </message>
    <message>
        <source>PNG に模様の設定を入れ、開くと模様として開けるようにします。</source>
        <translation>Puts the pattern&apos;s settings into the PNG, so that it opens as the pattern.</translation>
    </message>
    <message>
        <source>幅(&amp;W):</source>
        <translation>&amp;Width:</translation>
    </message>
    <message>
        <source>高さ(&amp;H):</source>
        <translation>&amp;Height:</translation>
    </message>
    <message>
        <source>倍率(&amp;S):</source>
        <translation>&amp;Scale:</translation>
    </message>
    <message>
        <source>アンチエイリアス(&amp;A):</source>
        <translation>&amp;Anti-aliasing:</translation>
    </message>
    <message>
        <source>形式(&amp;F):</source>
        <translation>&amp;Format:</translation>
    </message>
    <message>
        <source>ファイルの大きさ:</source>
        <translation>File size:</translation>
    </message>
    <message>
        <source>中央の等倍表示:</source>
        <translation>The centre at 1:1:</translation>
    </message>
    <message>
        <source>書き出す...</source>
        <translation>Export...</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>BMP には大きすぎます (4 GB まで)</source>
        <translation>Too large for BMP (4 GB at most)</translation>
    </message>
    <message>
        <source>約 </source>
        <translation>about </translation>
    </message>
</context>
<context>
    <name>TfrmFormulaSelect</name>
    <message>
        <source>数式設定</source>
        <translation>Formula Settings</translation>
    </message>
    <message>
        <source>数式指定</source>
        <translation>Formula</translation>
    </message>
    <message>
        <source>例: x*x + y*y</source>
        <translation>e.g. x*x + y*y</translation>
    </message>
    <message>
        <source>座標指定</source>
        <translation>Coordinates</translation>
    </message>
    <message>
        <source>X増分</source>
        <translation>X step</translation>
    </message>
    <message>
        <source>Y増分</source>
        <translation>Y step</translation>
    </message>
    <message>
        <source>表示サイズ</source>
        <translation>Size</translation>
    </message>
    <message>
        <source>色の変化量</source>
        <translation>Colour change</translation>
    </message>
    <message>
        <source>座標変換</source>
        <translation>Point move</translation>
    </message>
    <message>
        <source>了解(&amp;O)</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>閉じる(&amp;C)</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <source>式を入力</source>
        <translation>Type a formula</translation>
    </message>
    <message>
        <source>ﾊﾟﾚｯﾄのずれ</source>
        <translation>Palette offset</translation>
    </message>
</context>
<context>
    <name>TfrmMain</name>
    <message>
        <source>言語の変更は次回の起動から有効になります。</source>
        <translation>The new language takes effect the next time Velquor starts.</translation>
    </message>
    <message>
        <source>ﾌｧｲﾙ(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>背景に設定(&amp;B)</source>
        <translation>Set as &amp;Wallpaper</translation>
    </message>
    <message>
        <source>編集(&amp;E)</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>描画設定(&amp;O)</source>
        <translation>&amp;Drawing</translation>
    </message>
    <message>
        <source>表示(&amp;V)</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>表示倍率(&amp;Z)</source>
        <translation>&amp;Zoom</translation>
    </message>
    <message>
        <source>ﾍﾙﾌﾟ(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>開く(&amp;O)...</source>
        <translation>&amp;Open...</translation>
    </message>
    <message>
        <source>開く|VQPﾌｧｲﾙを開きます。</source>
        <translation>Open|Opens a VQP file.</translation>
    </message>
    <message>
        <source>上書き保存(&amp;S)</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <source>上書き保存|VQPﾌｧｲﾙに上書き保存します。</source>
        <translation>Save|Saves the VQP file in place.</translation>
    </message>
    <message>
        <source>画像を保存(&amp;G)...</source>
        <translation>Save &amp;Image...</translation>
    </message>
    <message>
        <source>画像を保存|画像を保存します。</source>
        <translation>Save Image|Saves the picture.</translation>
    </message>
    <message>
        <source>ｸﾘｯﾌﾟﾎﾞｰﾄﾞに保存(&amp;C)</source>
        <translation>&amp;Copy to Clipboard</translation>
    </message>
    <message>
        <source>ｸﾘｯﾌﾟﾎﾞｰﾄﾞに保存|ｲﾒｰｼﾞをｸﾘｯﾌﾟﾎﾞｰﾄﾞに保存します。</source>
        <translation>Copy to Clipboard|Copies the picture to the clipboard.</translation>
    </message>
    <message>
        <source>中央に表示(&amp;C)</source>
        <translation>&amp;Centred</translation>
    </message>
    <message>
        <source>中央に表示|中央に表示します。</source>
        <translation>Centred|Shows the picture in the middle of the desktop.</translation>
    </message>
    <message>
        <source>拡大して表示(&amp;S)</source>
        <translation>&amp;Stretched</translation>
    </message>
    <message>
        <source>拡大して表示|拡大して表示します。</source>
        <translation>Stretched|Stretches the picture over the whole desktop.</translation>
    </message>
    <message>
        <source>並べて表示(&amp;T)</source>
        <translation>&amp;Tiled</translation>
    </message>
    <message>
        <source>並べて表示|並べて表示します。</source>
        <translation>Tiled|Repeats the picture over the desktop.</translation>
    </message>
    <message>
        <source>閉じる(&amp;C)</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <source>このｿﾌﾄを終了します。</source>
        <translation>Quits Velquor.</translation>
    </message>
    <message>
        <source>元に戻す(&amp;U)</source>
        <translation>&amp;Undo</translation>
    </message>
    <message>
        <source>元に戻す|ﾊﾟﾀｰﾝを一つ前の状態に戻します。</source>
        <translation>Undo|Takes the pattern back one step.</translation>
    </message>
    <message>
        <source>やり直し(&amp;R)</source>
        <translation>&amp;Redo</translation>
    </message>
    <message>
        <source>やり直し|元に戻したﾊﾟﾀｰﾝの変更をやり直します。</source>
        <translation>Redo|Does an undone change of the pattern again.</translation>
    </message>
    <message>
        <source>数式設定(&amp;F)...</source>
        <translation>&amp;Formula Settings...</translation>
    </message>
    <message>
        <source>数式設定|数式設定ﾀﾞｲｱﾛｸﾞを表示します。</source>
        <translation>Formula Settings|Shows the formula settings dialog.</translation>
    </message>
    <message>
        <source>ﾊﾟﾚｯﾄ(&amp;P)...</source>
        <translation>&amp;Palette...</translation>
    </message>
    <message>
        <source>ﾊﾟﾚｯﾄ|MCFﾌｧｲﾙを読み込みます。</source>
        <translation>Palette|Loads an MCF file.</translation>
    </message>
    <message>
        <source>ランダム設定(&amp;R)</source>
        <translation>&amp;Random</translation>
    </message>
    <message>
        <source>ランダム設定|座標指定をランダムに設定します。</source>
        <translation>Random|Sets the coordinates at random.</translation>
    </message>
    <message>
        <source>ぼかす(&amp;S)</source>
        <translation>&amp;Blur</translation>
    </message>
    <message>
        <source>ぼかす|画像をぼかします</source>
        <translation>Blur|Blurs the picture</translation>
    </message>
    <message>
        <source>ｵﾌﾟｼｮﾝ(&amp;O)...</source>
        <translation>&amp;Options...</translation>
    </message>
    <message>
        <source>ｵﾌﾟｼｮﾝ|Velquorの設定を行います。</source>
        <translation>Options|Velquor&apos;s settings.</translation>
    </message>
    <message>
        <source>ﾂｰﾙﾊﾞｰ(&amp;T)</source>
        <translation>&amp;Tool Bar</translation>
    </message>
    <message>
        <source>ﾂｰﾙﾊﾞｰの表示／非表示を切り替えます。</source>
        <translation>Shows or hides the tool bar.</translation>
    </message>
    <message>
        <source>ｽﾃｰﾀｽﾊﾞｰ(&amp;S)</source>
        <translation>&amp;Status Bar</translation>
    </message>
    <message>
        <source>ｽﾃｰﾀｽﾊﾞｰの表示／非表示を切り替えます。</source>
        <translation>Shows or hides the status bar.</translation>
    </message>
    <message>
        <source>ウィンドウに合わせる(&amp;W)</source>
        <translation>Fit to &amp;Window</translation>
    </message>
    <message>
        <source>ウィンドウに合わせる|画像全体がウィンドウに収まるように縮小して表示します。</source>
        <translation>Fit to Window|Shrinks the view until the whole picture fits the window.</translation>
    </message>
    <message>
        <source>等倍(&amp;1)</source>
        <translation>Actual Size (&amp;1)</translation>
    </message>
    <message>
        <source>等倍|画像を1:1で表示します。</source>
        <translation>Actual Size|Shows the picture at 1:1.</translation>
    </message>
    <message>
        <source>拡大(&amp;I)</source>
        <translation>Zoom &amp;In</translation>
    </message>
    <message>
        <source>拡大|表示倍率を2倍にします。</source>
        <translation>Zoom In|Doubles the view scale.</translation>
    </message>
    <message>
        <source>縮小(&amp;O)</source>
        <translation>Zoom &amp;Out</translation>
    </message>
    <message>
        <source>縮小|表示倍率を1/2にします。</source>
        <translation>Zoom Out|Halves the view scale.</translation>
    </message>
    <message>
        <source>画像サイズをウィンドウに合わせる(&amp;F)</source>
        <translation>Picture Size to &amp;Fit the Window</translation>
    </message>
    <message>
        <source>画像サイズをウィンドウに合わせる|ウィンドウの大きさに合わせて画像を描き直します。</source>
        <translation>Picture Size to Fit the Window|Draws the picture again at the size of the window.</translation>
    </message>
    <message>
        <source>表示範囲を戻す(&amp;H)</source>
        <translation>Reset the &amp;View</translation>
    </message>
    <message>
        <source>表示範囲を戻す|中心と増分を起動時の値に戻します。</source>
        <translation>Reset the View|Puts the centre and the increment back to their start-up values.</translation>
    </message>
    <message>
        <source>ヘルプを開きます。</source>
        <translation>Opens the help page.</translation>
    </message>
    <message>
        <source>ﾊﾞｰｼﾞｮﾝ情報(&amp;A)...</source>
        <translation>&amp;About...</translation>
    </message>
    <message>
        <source>このソフトのﾊﾞｰｼﾞｮﾝ情報を表示します。</source>
        <translation>Shows Velquor&apos;s version.</translation>
    </message>
    <message>
        <source>Velquorファイル(*.vqp)|*.vqp</source>
        <translation>Velquor files (*.vqp)|*.vqp</translation>
    </message>
    <message>
        <source>Velquorファイル(*.vqp)|*.vqp|パターンを埋め込んだPNG(*.png)|*.png|すべて(*.vqp;*.png)|*.vqp;*.png</source>
        <translation>Velquor files (*.vqp)|*.vqp|PNG with an embedded pattern (*.png)|*.png|All (*.vqp;*.png)|*.vqp;*.png</translation>
    </message>
    <message>
        <source>ﾋﾞｯﾄﾏｯﾌﾟ(*.bmp)|*.bmp|PNGﾌｧｲﾙ(*.png)|*.png</source>
        <translation>Bitmap (*.bmp)|*.bmp|PNG file (*.png)|*.png</translation>
    </message>
    <message>
        <source>画像を保存しています...</source>
        <translation>Saving the picture...</translation>
    </message>
    <message>
        <source>色を回す(&amp;Y)</source>
        <translation>C&amp;ycle Colours</translation>
    </message>
    <message>
        <source>色を回す|ﾊﾟﾚｯﾄの色を回して画像を動かします。</source>
        <translation>Cycle colours|Turns the palette&apos;s colours round to animate the picture.</translation>
    </message>
    <message>
        <source>色を進める(&amp;N)</source>
        <translation>Colours For&amp;ward</translation>
    </message>
    <message>
        <source>色を進める|ﾊﾟﾚｯﾄの色を1つ進めます。</source>
        <translation>Colours forward|Turns the palette&apos;s colours one entry forward.</translation>
    </message>
    <message>
        <source>色を戻す(&amp;K)</source>
        <translation>Colours Bac&amp;k</translation>
    </message>
    <message>
        <source>色を戻す|ﾊﾟﾚｯﾄの色を1つ戻します。</source>
        <translation>Colours back|Turns the palette&apos;s colours one entry back.</translation>
    </message>
    <message>
        <source>ﾊﾟﾚｯﾄ(*.mcf;*.map;*.gpl;*.ggr)|*.mcf;*.map;*.gpl;*.ggr|MCFﾌｧｲﾙ(*.mcf)|*.mcf|すべてのﾌｧｲﾙ|*</source>
        <translation>Palettes (*.mcf;*.map;*.gpl;*.ggr)|*.mcf;*.map;*.gpl;*.ggr|MCF files (*.mcf)|*.mcf|All files|*</translation>
    </message>
    <message>
        <source>MCFﾌｧｲﾙ(*.mcf)|*.mcf|Fractintﾊﾟﾚｯﾄ(*.map)|*.map|GIMPﾊﾟﾚｯﾄ(*.gpl)|*.gpl</source>
        <translation>MCF files (*.mcf)|*.mcf|Fractint palettes (*.map)|*.map|GIMP palettes (*.gpl)|*.gpl</translation>
    </message>
    <message>
        <source>新規(&amp;N)</source>
        <translation>&amp;New</translation>
    </message>
    <message>
        <source>新規|起動時のﾊﾟﾀｰﾝから新しく始めます。</source>
        <translation>New|Starts again from the start-up pattern.</translation>
    </message>
    <message>
        <source>名前を付けて保存(&amp;A)...</source>
        <translation>Save &amp;As...</translation>
    </message>
    <message>
        <source>名前を付けて保存|VQPﾌｧｲﾙに名前を付けて保存します。</source>
        <translation>Save As|Saves the pattern as a VQP file of a new name.</translation>
    </message>
    <message>
        <source>画像を書き出す(&amp;E)...</source>
        <translation>&amp;Export Image...</translation>
    </message>
    <message>
        <source>画像を書き出す|大きさ、倍率、アンチエイリアスを選んで画像を書き出します。</source>
        <translation>Export Image|Writes the picture at a size, scale and anti-aliasing of your choice.</translation>
    </message>
    <message>
        <source>ﾊﾟﾚｯﾄの編集(&amp;E)...</source>
        <translation>&amp;Edit Palette...</translation>
    </message>
    <message>
        <source>ﾊﾟﾚｯﾄの編集|ﾊﾟﾚｯﾄの色を編集します。</source>
        <translation>Edit Palette|Edits the palette&apos;s colours.</translation>
    </message>
    <message>
        <source>ﾊﾟﾚｯﾄ一覧(&amp;L)</source>
        <translation>Palette &amp;List</translation>
    </message>
    <message>
        <source>ﾊﾟﾚｯﾄ一覧|ﾊﾟﾚｯﾄの一覧を表示／非表示にします。</source>
        <translation>Palette List|Shows or hides the list of palettes.</translation>
    </message>
    <message>
        <source>保存しました: </source>
        <translation>Saved: </translation>
    </message>
    <message>
        <source>変更を保存しますか？</source>
        <translation>Save the changes?</translation>
    </message>
    <message>
        <source>画像の保存を取り消しました。</source>
        <translation>Saving the image was cancelled.</translation>
    </message>
    <message>
        <source>画像を保存しました: </source>
        <translation>Image saved: </translation>
    </message>
    <message>
        <source>PNGﾌｧｲﾙ(*.png)|*.png</source>
        <translation>PNG file (*.png)|*.png</translation>
    </message>
    <message>
        <source>ﾋﾞｯﾄﾏｯﾌﾟ(*.bmp)|*.bmp</source>
        <translation>Bitmap (*.bmp)|*.bmp</translation>
    </message>
    <message>
        <source>画像をｸﾘｯﾌﾟﾎﾞｰﾄﾞにｺﾋﾟｰしました。</source>
        <translation>The picture was copied to the clipboard.</translation>
    </message>
    <message>
        <source>壁紙に設定しました: </source>
        <translation>Set as wallpaper: </translation>
    </message>
    <message>
        <source>ﾊﾟﾚｯﾄを保存</source>
        <translation>Save Palette</translation>
    </message>
    <message>
        <source>最近使ったﾌｧｲﾙ(&amp;R)</source>
        <translation>&amp;Recent Files</translation>
    </message>
    <message>
        <source>%1 が見つかりません。<byte value="xd"/>
最近使ったﾌｧｲﾙの一覧から外しました。</source>
        <translation>%1 was not found.<byte value="xd"/>
It has been removed from the recent files.</translation>
    </message>
    <message>
        <source>画像を書き出しています。終わるか中止してから書き出してください。</source>
        <translation>A picture is being exported. Export again once it has finished or been stopped.</translation>
    </message>
    <message>
        <source>画像の書き出しを中止しました。</source>
        <translation>The export was cancelled.</translation>
    </message>
    <message>
        <source>画像を書き出しました: </source>
        <translation>Exported: </translation>
    </message>
</context>
<context>
    <name>TfrmSettings</name>
    <message>
        <source>言語(&amp;L)</source>
        <translation>&amp;Language</translation>
    </message>
    <message>
        <source>システムの言語</source>
        <translation>System language</translation>
    </message>
    <message>
        <source>次回の起動から有効になります</source>
        <translation>Takes effect from the next start</translation>
    </message>
    <message>
        <source>Velquorの設定</source>
        <translation>Velquor Settings</translation>
    </message>
    <message>
        <source>MCFﾌｧｲﾙの読み込み元</source>
        <translation>Where MCF files are read from</translation>
    </message>
    <message>
        <source>参照(&amp;R)...</source>
        <translation>B&amp;rowse...</translation>
    </message>
    <message>
        <source>VQPファイルの保存先</source>
        <translation>Where VQP files are saved</translation>
    </message>
    <message>
        <source>参照(&amp;B)...</source>
        <translation>&amp;Browse...</translation>
    </message>
    <message>
        <source>了解(&amp;O)</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>ｷｬﾝｾﾙ(&amp;C)</source>
        <translation>&amp;Cancel</translation>
    </message>
    <message>
        <source>%1は存在しません。</source>
        <translation>%1 does not exist.</translation>
    </message>
</context>
</TS>
