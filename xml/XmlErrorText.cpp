// The table of the library's error codes and what the user is told.
#include "xml/XmlErrorText.h"

#include "common/QuoteText.h"
#include "common/Texts.h"

namespace xmlutil {

namespace {

struct Entry {
    int code;
    const char* text;
};

// clang-format off
constexpr Entry kTexts[] = {
    {XML_ERR_NO_MEMORY,                TText::Noop("メモリが不足しています")},
    {XML_ERR_DOCUMENT_START,           TText::Noop("文書の先頭が XML ではありません")},
    {XML_ERR_DOCUMENT_EMPTY,           TText::Noop("文書が空です")},
    {XML_ERR_DOCUMENT_END,             TText::Noop("ルート要素の後に余分な内容があります")},
    {XML_ERR_INVALID_HEX_CHARREF,      TText::Noop("文字参照が正しくありません")},
    {XML_ERR_INVALID_DEC_CHARREF,      TText::Noop("文字参照が正しくありません")},
    {XML_ERR_INVALID_CHARREF,          TText::Noop("文字参照が XML で使えない文字を指しています")},
    {XML_ERR_INVALID_CHAR,             TText::Noop("XML で使えない文字があります")},
    {XML_ERR_CHARREF_AT_EOF,           TText::Noop("文字参照の途中で文書が終わっています")},
    {XML_ERR_CHARREF_IN_PROLOG,        TText::Noop("ルート要素の前に文字参照があります")},
    {XML_ERR_CHARREF_IN_EPILOG,        TText::Noop("ルート要素の後に文字参照があります")},
    {XML_ERR_ENTITYREF_AT_EOF,         TText::Noop("実体参照の途中で文書が終わっています")},
    {XML_ERR_ENTITYREF_IN_PROLOG,      TText::Noop("ルート要素の前に実体参照があります")},
    {XML_ERR_ENTITYREF_IN_EPILOG,      TText::Noop("ルート要素の後に実体参照があります")},
    {XML_ERR_ENTITYREF_NO_NAME,        TText::Noop("& の後に実体の名前がありません")},
    {XML_ERR_ENTITYREF_SEMICOL_MISSING,TText::Noop("実体参照が ; で終わっていません")},
    {XML_ERR_PEREF_NO_NAME,            TText::Noop("% の後に実体の名前がありません")},
    {XML_ERR_PEREF_SEMICOL_MISSING,    TText::Noop("実体参照が ; で終わっていません")},
    {XML_ERR_UNDECLARED_ENTITY,        TText::Noop("宣言されていない実体を参照しています")},
    {XML_WAR_UNDECLARED_ENTITY,        TText::Noop("宣言されていない実体を参照しています")},
    {XML_ERR_UNPARSED_ENTITY,          TText::Noop("解析対象外の実体を参照しています")},
    {XML_ERR_ENTITY_IS_EXTERNAL,       TText::Noop("外部の実体を参照しています")},
    {XML_ERR_UNKNOWN_ENCODING,         TText::Noop("文字コードの指定が不明です")},
    {XML_ERR_UNSUPPORTED_ENCODING,     TText::Noop("対応していない文字コードです")},
    {XML_ERR_STRING_NOT_STARTED,       TText::Noop("文字列が引用符で始まっていません")},
    {XML_ERR_STRING_NOT_CLOSED,        TText::Noop("文字列の引用符が閉じていません")},
    {XML_ERR_NS_DECL_ERROR,            TText::Noop("名前空間の宣言が正しくありません")},
    {XML_ERR_LT_IN_ATTRIBUTE,          TText::Noop("属性値の中に < があります")},
    {XML_ERR_ATTRIBUTE_NOT_STARTED,    TText::Noop("属性値が引用符で始まっていません")},
    {XML_ERR_ATTRIBUTE_NOT_FINISHED,   TText::Noop("属性値の引用符が閉じていません")},
    {XML_ERR_ATTRIBUTE_WITHOUT_VALUE,  TText::Noop("属性に値がありません")},
    {XML_ERR_ATTRIBUTE_REDEFINED,      TText::Noop("同じ属性が二度書かれています")},
    {XML_ERR_LITERAL_NOT_STARTED,      TText::Noop("リテラルが引用符で始まっていません")},
    {XML_ERR_LITERAL_NOT_FINISHED,     TText::Noop("リテラルの引用符が閉じていません")},
    {XML_ERR_COMMENT_NOT_FINISHED,     TText::Noop("コメントが閉じていません")},
    {XML_ERR_PI_NOT_STARTED,           TText::Noop("処理命令の名前が正しくありません")},
    {XML_ERR_PI_NOT_FINISHED,          TText::Noop("処理命令が閉じていません")},
    {XML_ERR_XMLDECL_NOT_STARTED,      TText::Noop("XML 宣言が正しく始まっていません")},
    {XML_ERR_XMLDECL_NOT_FINISHED,     TText::Noop("XML 宣言が閉じていません")},
    {XML_ERR_DOCTYPE_NOT_FINISHED,     TText::Noop("文書型宣言が閉じていません")},
    {XML_ERR_MISPLACED_CDATA_END,      TText::Noop("]]> が CDATA セクションの外にあります")},
    {XML_ERR_CDATA_NOT_FINISHED,       TText::Noop("CDATA セクションが閉じていません")},
    {XML_ERR_RESERVED_XML_NAME,        TText::Noop("xml で始まる名前は使えません")},
    {XML_ERR_SPACE_REQUIRED,           TText::Noop("空白が必要な所に空白がありません")},
    {XML_ERR_NAME_REQUIRED,            TText::Noop("名前があるべき所に正しい名前がありません")},
    {XML_ERR_LT_REQUIRED,              TText::Noop("< があるべき所にありません")},
    {XML_ERR_GT_REQUIRED,              TText::Noop("タグが > で閉じていません")},
    {XML_ERR_LTSLASH_REQUIRED,         TText::Noop("終了タグ </ があるべき所にありません")},
    {XML_ERR_EQUAL_REQUIRED,           TText::Noop("属性名の後に = がありません")},
    {XML_ERR_TAG_NOT_FINISHED,         TText::Noop("要素が閉じないまま文書が終わっています")},
    {XML_ERR_STANDALONE_VALUE,         TText::Noop("standalone の値は yes か no です")},
    {XML_ERR_ENCODING_NAME,            TText::Noop("文字コードの名前が正しくありません")},
    {XML_ERR_HYPHEN_IN_COMMENT,        TText::Noop("コメントの中に -- があります")},
    {XML_ERR_INVALID_ENCODING,         TText::Noop("指定の文字コードとして読めないバイトがあります")},
    {XML_ERR_VALUE_REQUIRED,           TText::Noop("値がありません")},
    {XML_ERR_NOT_WELL_BALANCED,        TText::Noop("開始タグと終了タグが対応していません")},
    {XML_ERR_EXTRA_CONTENT,            TText::Noop("ルート要素の後に余分な内容があります")},
    {XML_ERR_ENTITY_LOOP,              TText::Noop("実体の参照が循環しています")},
    {XML_ERR_VERSION_MISSING,          TText::Noop("XML 宣言に version がありません")},
    {XML_ERR_UNKNOWN_VERSION,          TText::Noop("対応していない XML のバージョンです")},
    {XML_ERR_VERSION_MISMATCH,         TText::Noop("対応していない XML のバージョンです")},
    {XML_ERR_NAME_TOO_LONG,            TText::Noop("名前が長すぎます")},
    {XML_NS_ERR_UNDEFINED_NAMESPACE,   TText::Noop("宣言されていない名前空間の接頭辞があります")},
    {XML_NS_ERR_QNAME,                 TText::Noop("名前空間付きの名前が正しくありません")},
    {XML_NS_ERR_ATTRIBUTE_REDEFINED,   TText::Noop("同じ属性が二度書かれています")},
    {XML_NS_ERR_EMPTY,                 TText::Noop("名前空間の URI が空です")},
    {XML_NS_ERR_COLON,                 TText::Noop("名前の中のコロンが正しくありません")},
    {XML_NS_ERR_XML_NAMESPACE,         TText::Noop("xml 名前空間の使い方が正しくありません")},
};
// clang-format on

std::string Quoted(const char* s) { return QuoteForMessage(s ? s : ""); }

} // namespace

std::string ErrorText(const xmlError& error)
{
    // The mismatch names both tags: it is the mistake people make most.
    if (error.code == XML_ERR_TAG_NAME_MISMATCH && error.str1 && error.str2)
        return TextArg(TText::tr("開始タグ <%1>(%2行目)と終了タグ </%3> が対応していません"),
                       {Quoted(error.str1), std::to_string(error.int1), Quoted(error.str2)});
    if (error.code == XML_ERR_TAG_NOT_FINISHED && error.str1)
        return TextArg(TText::tr("要素 <%1>(%2行目)が閉じないまま文書が終わっています"),
                       {Quoted(error.str1), std::to_string(error.int1)});
    for (const Entry& e : kTexts)
        if (e.code == error.code) return TText::tr(e.text);
    return TextArg(TText::tr("XML として正しくありません(エラー番号 %1)"), {std::to_string(error.code)});
}

} // namespace xmlutil
