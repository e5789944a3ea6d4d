// Documents the parser refuses for their shape rather than their syntax, how
// soon it does, and the program's own words for every failure.
#include "xml/XmlBounds.h"
#include "tests/support/Measured.h"
#include "xml/XmlDom.h"
#include "xml/XmlError.h"
#include "xml/XmlParser.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <regex>

namespace {

using ::testing::HasSubstr;

std::string ErrorOf(const std::string& bytes)
{
    TXmlDomImplementation dom;
    TXmlParser parser(dom);
    try {
        parser.ParseBytes(bytes, "doc.xml");
    } catch (const EXmlError& e) {
        return e.Message();
    }
    return "(no error)";
}

std::string Repeat(const std::string& s, size_t n)
{
    std::string out;
    out.reserve(s.size() * n);
    for (size_t i = 0; i < n; ++i) out += s;
    return out;
}

// The words XML itself and our messages use; anything else of two or more
// Latin letters would be the library's English.
std::string WithoutOwnWords(std::string message)
{
    static const std::regex own("doc\\.xml|XML|CDATA|URI|DTD|Shift_JIS|xmlns|xml|version|standalone|yes|no|MiB");
    return std::regex_replace(message, own, "");
}

} // namespace

// Malformed documents of every common kind: each message says where and what
// in Japanese, and not a word of the library's English gets through. The
// element names are single letters so the check can tell them from words.
TEST(XmlMessages, EveryFailureIsJapaneseWithItsPosition)
{
    const std::string deep = Repeat("<a>", 300) + Repeat("</a>", 300);
    const char* const documents[] = {
        "<1/>",
        "<r>",
        "<r><a></r>",
        "<r></s>",
        "<r a=1/>",
        "<r a=\"1/>",
        "<r a/>",
        "<r a='1' a='2'/>",
        "<r a='<'/>",
        "<r><!-- a -- b --></r>",
        "<r><!-- a",
        "<r>&#0;</r>",
        "<r>&#xZZ;</r>",
        "<r>&x</r>",
        "<r>&;</r>",
        "<r>\x01</r>",
        "<r>\xff\xfe</r>",
        "<r>]]></r>",
        "<r><![CDATA[x</r>",
        "<r/><s/>",
        "<r/>x",
        "x<r/>",
        "<?xml version=\"2.0\"?><r/>",
        "<?xml encoding=\"UTF-8\"?><r/>",
        "<?xml version=\"1.0\" encoding=\"no-such\"?><r/>",
        "<?xml version=\"1.0\" standalone=\"maybe\"?><r/>",
        "<?xml version=\"1.0\"><r/>",
        "<r><?xml a?></r>",
        "<a:r/>",
        "<r xmlns:a=\"\"/>",
        "<r a:b=\"1\" xmlns:a=\"u\" xmlns:c=\"u\" c:b=\"2\"/>",
        "<!DOCTYPE r [<!ELEMENT r ANY>",
        "<r>",
        "   ",
        "<r a=\"1\" \x1b[2J/>",
        "\xef\xbb\xbf<?xml version=\"1.0\" encoding=\"UTF-16\"?><r/>",
    };
    std::vector<std::string> all(std::begin(documents), std::end(documents));
    all.push_back(deep);
    for (const std::string& document : all) {
        SCOPED_TRACE(document.substr(0, 60));
        const std::string message = ErrorOf(document);
        ASSERT_EQ(message.rfind("XMLの解析に失敗しました: doc.xml", 0), 0u) << message;
        EXPECT_THAT(message, HasSubstr("行目"));
        EXPECT_FALSE(std::regex_search(WithoutOwnWords(message), std::regex("[A-Za-z]{2,}"))) << message;
        EXPECT_EQ(message.find('\x1b'), std::string::npos) << message;
    }
}

TEST(XmlMessages, ShapeRefusalsSayWhatTheLimitIs)
{
    EXPECT_EQ(ErrorOf(Repeat("<a>", 65) + Repeat("</a>", 65)),
              "XMLの解析に失敗しました: doc.xml(1行目195列目): 要素の入れ子が深すぎます(64 段まで)");
    EXPECT_EQ(ErrorOf("<r>\n  <e" + Repeat(" a=''", 65) + "/></r>"),
              "XMLの解析に失敗しました: doc.xml(2行目3列目): 属性が多すぎます(1つの要素に 64 個まで)");
    EXPECT_THAT(ErrorOf("<r>" + Repeat("<a/>", 100001) + "</r>"), HasSubstr("要素や文字列が多すぎます(100000 個まで)"));
    EXPECT_THAT(ErrorOf(std::string(4 * 1024 * 1024 + 1, ' ')), HasSubstr("文書が大きすぎます(4 MiB まで)"));
}

// What stays within the bounds still reads: a document at the nesting,
// attribute and node limits.
TEST(XmlBounds, DocumentsAtTheLimitsAreRead)
{
    TXmlDomImplementation dom;
    TXmlParser parser(dom);
    std::string attributes;
    for (int i = 0; i < 64; ++i) attributes += " a" + std::to_string(i) + "='x>=\"'";
    EXPECT_NO_THROW(parser.ParseText("<r" + attributes + "/>", "attributes"));
    EXPECT_NO_THROW(parser.ParseText(Repeat("<a>", 64) + Repeat("</a>", 64), "deep"));
    EXPECT_NO_THROW(parser.ParseText("<r>" + Repeat("<a/>", 99998) + "</r>", "many"));
}

// The scan that runs before the library: attributes are counted by their
// '=' outside quotes, and only in start tags.
TEST(XmlBounds, CrowdedStartTagsAreFoundWhereTheyStart)
{
    using xmlbounds::FindCrowdedStartTag;
    struct Case {
        std::string text;
        std::optional<std::pair<int, int>> at;
    };
    const Case cases[] = {
        {"<r a='1' b=\"2\" c='3'/>", std::nullopt},
        {"<r a='1' b='2' c='3' d='4'/>", std::make_pair(1, 1)},
        {"<r a='=====' b=\"=\"/>", std::nullopt},
        {"<!-- <e a=1 b=2 c=3 d=4> --><r/>", std::nullopt},
        {"<r><![CDATA[<e a=1 b=2 c=3 d=4>]]></r>", std::nullopt},
        {"<?p a=1 b=2 c=3 d=4?><r/>", std::nullopt},
        {"<!DOCTYPE r [<!ATTLIST r a CDATA '=' b CDATA '=' c CDATA '=' d CDATA '='>]><r/>", std::nullopt},
        {"<r>a=b=c=d=e</r>", std::nullopt},
        {"<r>\n色<e\n a=1 b=2 c=3 d=4/></r>", std::make_pair(2, 2)},
        {"<r a=1 <e a=1 b=2 c=3 d=4/>", std::make_pair(1, 8)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const auto found = FindCrowdedStartTag(c.text, 3);
        ASSERT_EQ(found.has_value(), c.at.has_value());
        if (found) {
            EXPECT_EQ(std::make_pair(found->line, found->column), *c.at);
        }
    }
}

// Shapes that cost the library time or memory out of proportion to their
// size are refused in time and space proportional to the text. Each text is
// made in the measured child, so the figure is the parse's own.
TEST(XmlBounds, CostlyShapesAreRefusedQuicklyAndSmall)
{
    struct Case {
        const char* what;
        std::function<std::string()> text;
        const char* message;
    };
    const size_t size = xmlbounds::kMaxDocumentBytes;
    const Case cases[] = {
        {"200,000 attributes",
         [] {
             std::string text = "<r";
             for (int i = 0; i < 200000; ++i) text += " a" + std::to_string(i) + "=''";
             return text + "/>";
         },
         "属性が多すぎます"},
        {"a million tiny elements", [&] { return "<r>" + Repeat("<a/>", size / 4 - 2) + "</r>"; },
         "要素や文字列が多すぎます"},
        {"text and elements in turn", [&] { return "<r>" + Repeat("x<a/>", size / 5 - 2) + "</r>"; },
         "要素や文字列が多すぎます"},
        {"attributes on many elements", [&] { return "<r>" + Repeat("<a b='' c=''/>", size / 14 - 2) + "</r>"; },
         "要素や文字列が多すぎます"},
        {"a comment full of double hyphens", [&] { return "<r><!--x" + std::string(size - 20, '-') + "x--></r>"; },
         "コメントの中に -- があります"},
        {"a comment of 4 MiB", [&] { return "<r><!--" + std::string(size - 20, 'x') + "--></r>"; }, nullptr},
        {"a long attribute value", [&] { return "<r a='" + std::string(size - 20, 'x') + "'/>"; }, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const MeasuredRun run = RunMeasured(
            [&] {
                const std::string text = c.text();
                if (text.size() > size) return std::string("too large a case");
                return ErrorOf(text);
            },
            10);
        ASSERT_TRUE(run.finished);
        EXPECT_LT(run.cpuSeconds, 1.0 * kTimeScale);
        if (kMemoryFiguresHold) {
            EXPECT_LT(run.peakKiB, 64 * 1024);
        }
        EXPECT_EQ(run.report.find("too large a case"), std::string::npos);
        if (c.message) EXPECT_THAT(run.report, HasSubstr(c.message));
        else EXPECT_EQ(run.report, "(no error)");
    }
}
