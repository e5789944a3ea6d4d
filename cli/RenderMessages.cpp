// velquor-render's own texts.
#include "cli/RenderMessages.h"

#include "common/Texts.h"

namespace rendertext {

const char* const kPrefix = "velquor-render: ";

const char* const kUsage = TText::Noop(
    "使い方: velquor-render [文書.vqp] [オプション]\n"
    "模様を描いて BMP または PNG のファイルに書き出します。\n"
    "文書を指定しなければ起動時の模様を描きます。文書の後に指定した\n"
    "オプションは文書の値より優先されます。\n"
    "\n"
    "  --formula N           数式の番号(0～6)\n"
    "  --formula-expr 式     番号の代わりに x と y の式を自分で書く。例:\n"
    "                        \"x*x + y*y\"、\"200*sin(x/10) + y^2/50\"。\n"
    "                        数値、pi、e、+ - * / ^(べき乗)、括弧と\n"
    "                        sin cos tan abs sqrt exp ln floor ceil round\n"
    "                        min max mod atan2 hypot が使えます。数式の\n"
    "                        オプションは最後に指定したものが有効です\n"
    "  --point-move N        座標変換の番号(0～4)\n"
    "  --params A,B,C,D      座標変換のパラメータ\n"
    "  --center X,Y          画像の中心に来る平面上の点\n"
    "  --increment DX,DY     隣の画素までの平面上の距離\n"
    "  --size 幅x高さ        画像の大きさ(画素数、それぞれ 1～9999)\n"
    "  --color-change V      数式の値に掛ける倍率\n"
    "  --palette FILE        パレットファイル(.mcf、Fractint の .map、GIMP の .gpl と .ggr)\n"
    "  --palette-offset N    パレットを N 色ずらす(0 でそのまま)\n"
    "  --palette-dir DIR     文書のパレットを探すフォルダー\n"
    "  --shade-off           描き終えた画像をぼかす\n"
    "  -o FILE               出力ファイル(省略時は velquor.bmp。ただし\n"
    "                        --save-document だけを指定したときは画像を\n"
    "                        書き出しません)。既にあるデバイスや名前付き\n"
    "                        パイプにはそのまま書き込みます\n"
    "  --format bmp|png      FILE に .bmp も .png も付いていないときの\n"
    "                        ファイル形式(省略時は bmp)\n"
    "  --save-document FILE  模様を文書として保存する\n"
    "  --help                この説明を表示する\n"
    "\n"
    "書き出し: 次のどれかを指定すると、画像を独自の大きさで帯ごとに描いて書き出します\n"
    "(模様の大きさの上限を超えられます):\n"
    "  --canvas 幅x高さ      画像の大きさ(それぞれ 1～65535。省略時は模様の\n"
    "                        大きさ×倍率)\n"
    "  --scale S             S 倍細かく描く: 増分を S で割る(1～64、省略時 1)\n"
    "  --antialias K         各画素を K x K 点のリニアな光の平均にする\n"
    "                        (1～8、省略時 1)\n"
    "  --embed-document      PNG に模様の文書を入れ、模様として開けるようにする\n"
    "\n"
    "読み込む文書、パレット、保存する文書と同じファイルに画像を書き出す\n"
    "ことはできません。文書を読み込んだファイルに保存し直すことはできます。\n");

const char* const kSeeHelp = TText::Noop("(使い方は velquor-render --help で表示されます)");

const char* const kNeedsValue = TText::Noop("%s の後に値を指定してください。");
const char* const kUnknownOption = TText::Noop("%s というオプションはありません。");
const char* const kNeedsNumbers = TText::Noop("%s にはカンマで区切った %d 個の数値を指定してください。");
const char* const kSizeForm = TText::Noop("--size は 幅x高さ の形で指定してください(例: 400x400)。");
const char* const kCanvasForm = TText::Noop("--canvas は 幅x高さ の形で指定してください(例: 1920x1080)。");
const char* const kEmbedNeedsPng = TText::Noop("--embed-document は PNG ファイルにだけ使えます(.png の名前か --format png を指定してください)。");
const char* const kFormatValue = TText::Noop("--format には bmp か png を指定してください('%s' は使えません)。");
const char* const kOneDocument = TText::Noop("描画できる文書は1つだけです('%s' と '%s' が指定されました)。");
const char* const kEmptyDocument = TText::Noop("文書のファイル名が空です。");
const char* const kEmptyOutput = TText::Noop("-o の出力ファイル名が空です。");
const char* const kEmptyDocumentOutput = TText::Noop("--save-document のファイル名が空です。");
const char* const kEmptyPalette = TText::Noop("--palette のファイル名が空です。");

const char* const kOutputIsFolder = TText::Noop("'%s' はフォルダーです。画像を書き出すファイルの名前を指定してください。");
const char* const kDocumentOutputIsFolder = TText::Noop("'%s' はフォルダーです。文書を保存するファイルの名前を指定してください。");
const char* const kPictureOverDocument = TText::Noop("画像の出力先 '%s' は読み込む文書 '%s' と同じファイルです。文書を失わないよう、何も書き出しません。");
const char* const kPictureOverPalette = TText::Noop("画像の出力先 '%s' はパレット '%s' と同じファイルです。パレットを失わないよう、何も書き出しません。");
const char* const kPictureOverDocumentOutput = TText::Noop("画像の出力先 '%s' は文書の保存先 '%s' と同じファイルです。どちらかを失わないよう、何も書き出しません。");
const char* const kDocumentOutputOverPalette = TText::Noop("文書の保存先 '%s' はパレット '%s' と同じファイルです。パレットを失わないよう、何も書き出しません。");
const char* const kCannotWrite = TText::Noop("'%s' に書き込めません。%s");

const char* const kDrawing = TText::Noop("描画中 %d%%");
const char* const kSaving = TText::Noop("保存中 %d%%");
const char* const kExporting = TText::Noop("書き出し中 %d%%");
const char* const kWrote = TText::Noop("%s を書き出しました。");

} // namespace rendertext
