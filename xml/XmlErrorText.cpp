// The table of the library's error codes and what the user is told.
#include "xml/XmlErrorText.h"

#include "common/Format.h"
#include "common/QuoteText.h"

namespace xmlutil {

namespace {

struct Entry {
    int code;
    const char* text;
};

// clang-format off
constexpr Entry kTexts[] = {
    {XML_ERR_NO_MEMORY,                "メモリが不足しています"},
    {XML_ERR_DOCUMENT_START,           "文書の先頭が XML ではありません"},
    {XML_ERR_DOCUMENT_EMPTY,           "文書が空です"},
    {XML_ERR_DOCUMENT_END,             "ルート要素の後に余分な内容があります"},
    {XML_ERR_INVALID_HEX_CHARREF,      "文字参照が正しくありません"},
    {XML_ERR_INVALID_DEC_CHARREF,      "文字参照が正しくありません"},
    {XML_ERR_INVALID_CHARREF,          "文字参照が XML で使えない文字を指しています"},
    {XML_ERR_INVALID_CHAR,             "XML で使えない文字があります"},
    {XML_ERR_CHARREF_AT_EOF,           "文字参照の途中で文書が終わっています"},
    {XML_ERR_CHARREF_IN_PROLOG,        "ルート要素の前に文字参照があります"},
    {XML_ERR_CHARREF_IN_EPILOG,        "ルート要素の後に文字参照があります"},
    {XML_ERR_ENTITYREF_AT_EOF,         "実体参照の途中で文書が終わっています"},
    {XML_ERR_ENTITYREF_IN_PROLOG,      "ルート要素の前に実体参照があります"},
    {XML_ERR_ENTITYREF_IN_EPILOG,      "ルート要素の後に実体参照があります"},
    {XML_ERR_ENTITYREF_NO_NAME,        "& の後に実体の名前がありません"},
    {XML_ERR_ENTITYREF_SEMICOL_MISSING,"実体参照が ; で終わっていません"},
    {XML_ERR_PEREF_NO_NAME,            "% の後に実体の名前がありません"},
    {XML_ERR_PEREF_SEMICOL_MISSING,    "実体参照が ; で終わっていません"},
    {XML_ERR_UNDECLARED_ENTITY,        "宣言されていない実体を参照しています"},
    {XML_WAR_UNDECLARED_ENTITY,        "宣言されていない実体を参照しています"},
    {XML_ERR_UNPARSED_ENTITY,          "解析対象外の実体を参照しています"},
    {XML_ERR_ENTITY_IS_EXTERNAL,       "外部の実体を参照しています"},
    {XML_ERR_UNKNOWN_ENCODING,         "文字コードの指定が不明です"},
    {XML_ERR_UNSUPPORTED_ENCODING,     "対応していない文字コードです"},
    {XML_ERR_STRING_NOT_STARTED,       "文字列が引用符で始まっていません"},
    {XML_ERR_STRING_NOT_CLOSED,        "文字列の引用符が閉じていません"},
    {XML_ERR_NS_DECL_ERROR,            "名前空間の宣言が正しくありません"},
    {XML_ERR_LT_IN_ATTRIBUTE,          "属性値の中に < があります"},
    {XML_ERR_ATTRIBUTE_NOT_STARTED,    "属性値が引用符で始まっていません"},
    {XML_ERR_ATTRIBUTE_NOT_FINISHED,   "属性値の引用符が閉じていません"},
    {XML_ERR_ATTRIBUTE_WITHOUT_VALUE,  "属性に値がありません"},
    {XML_ERR_ATTRIBUTE_REDEFINED,      "同じ属性が二度書かれています"},
    {XML_ERR_LITERAL_NOT_STARTED,      "リテラルが引用符で始まっていません"},
    {XML_ERR_LITERAL_NOT_FINISHED,     "リテラルの引用符が閉じていません"},
    {XML_ERR_COMMENT_NOT_FINISHED,     "コメントが閉じていません"},
    {XML_ERR_PI_NOT_STARTED,           "処理命令の名前が正しくありません"},
    {XML_ERR_PI_NOT_FINISHED,          "処理命令が閉じていません"},
    {XML_ERR_XMLDECL_NOT_STARTED,      "XML 宣言が正しく始まっていません"},
    {XML_ERR_XMLDECL_NOT_FINISHED,     "XML 宣言が閉じていません"},
    {XML_ERR_DOCTYPE_NOT_FINISHED,     "文書型宣言が閉じていません"},
    {XML_ERR_MISPLACED_CDATA_END,      "]]> が CDATA セクションの外にあります"},
    {XML_ERR_CDATA_NOT_FINISHED,       "CDATA セクションが閉じていません"},
    {XML_ERR_RESERVED_XML_NAME,        "xml で始まる名前は使えません"},
    {XML_ERR_SPACE_REQUIRED,           "空白が必要な所に空白がありません"},
    {XML_ERR_NAME_REQUIRED,            "名前があるべき所に正しい名前がありません"},
    {XML_ERR_LT_REQUIRED,              "< があるべき所にありません"},
    {XML_ERR_GT_REQUIRED,              "タグが > で閉じていません"},
    {XML_ERR_LTSLASH_REQUIRED,         "終了タグ </ があるべき所にありません"},
    {XML_ERR_EQUAL_REQUIRED,           "属性名の後に = がありません"},
    {XML_ERR_TAG_NOT_FINISHED,         "要素が閉じないまま文書が終わっています"},
    {XML_ERR_STANDALONE_VALUE,         "standalone の値は yes か no です"},
    {XML_ERR_ENCODING_NAME,            "文字コードの名前が正しくありません"},
    {XML_ERR_HYPHEN_IN_COMMENT,        "コメントの中に -- があります"},
    {XML_ERR_INVALID_ENCODING,         "指定の文字コードとして読めないバイトがあります"},
    {XML_ERR_VALUE_REQUIRED,           "値がありません"},
    {XML_ERR_NOT_WELL_BALANCED,        "開始タグと終了タグが対応していません"},
    {XML_ERR_EXTRA_CONTENT,            "ルート要素の後に余分な内容があります"},
    {XML_ERR_ENTITY_LOOP,              "実体の参照が循環しています"},
    {XML_ERR_VERSION_MISSING,          "XML 宣言に version がありません"},
    {XML_ERR_UNKNOWN_VERSION,          "対応していない XML のバージョンです"},
    {XML_ERR_VERSION_MISMATCH,         "対応していない XML のバージョンです"},
    {XML_ERR_NAME_TOO_LONG,            "名前が長すぎます"},
    {XML_NS_ERR_UNDEFINED_NAMESPACE,   "宣言されていない名前空間の接頭辞があります"},
    {XML_NS_ERR_QNAME,                 "名前空間付きの名前が正しくありません"},
    {XML_NS_ERR_ATTRIBUTE_REDEFINED,   "同じ属性が二度書かれています"},
    {XML_NS_ERR_EMPTY,                 "名前空間の URI が空です"},
    {XML_NS_ERR_COLON,                 "名前の中のコロンが正しくありません"},
    {XML_NS_ERR_XML_NAMESPACE,         "xml 名前空間の使い方が正しくありません"},
};
// clang-format on

std::string Quoted(const char* s) { return QuoteForMessage(s ? s : ""); }

} // namespace

std::string ErrorText(const xmlError& error)
{
    // The mismatch names both tags: it is the mistake people make most.
    if (error.code == XML_ERR_TAG_NAME_MISMATCH && error.str1 && error.str2)
        return Format("開始タグ <%s>(%d行目)と終了タグ </%s> が対応していません", Quoted(error.str1).c_str(),
                      error.int1, Quoted(error.str2).c_str());
    if (error.code == XML_ERR_TAG_NOT_FINISHED && error.str1)
        return Format("要素 <%s>(%d行目)が閉じないまま文書が終わっています", Quoted(error.str1).c_str(), error.int1);
    for (const Entry& e : kTexts)
        if (e.code == error.code) return e.text;
    return Format("XML として正しくありません(エラー番号 %d)", error.code);
}

} // namespace xmlutil
