// The one place that turns the program's "name|pattern" filters into Qt's.
#include "ui/Dialogs.h"

#include <gtest/gtest.h>

TEST(QtFilterTest, EveryFilterOfTheProgram)
{
    struct Case {
        QString filter;
        QString expected;
    };
    const Case cases[] = {
        // A description that names its pattern shows it once.
        {QStringLiteral("Velquorファイル(*.vqp)|*.vqp"), QStringLiteral("Velquorファイル(*.vqp)")},
        {QStringLiteral("MCFﾌｧｲﾙ(*.mcf)|*.mcf|すべてのﾌｧｲﾙ|*"), QStringLiteral("MCFﾌｧｲﾙ(*.mcf);;すべてのﾌｧｲﾙ (*)")},
        {QStringLiteral("ﾋﾞｯﾄﾏｯﾌﾟ(*.bmp)|*.bmp|PNGﾌｧｲﾙ(*.png)|*.png"),
         QStringLiteral("ﾋﾞｯﾄﾏｯﾌﾟ(*.bmp);;PNGﾌｧｲﾙ(*.png)")},
        // Several patterns of one entry are separated by blanks in Qt.
        {QStringLiteral("Images|*.bmp;*.png"), QStringLiteral("Images (*.bmp *.png)")},
        {QStringLiteral("Images(*.bmp;*.png)|*.bmp;*.png"), QStringLiteral("Images(*.bmp *.png)")},
        // Parentheses elsewhere, or naming other patterns, are only words.
        {QStringLiteral("(*.a) files|*.a"), QStringLiteral("(*.a) files (*.a)")},
        {QStringLiteral("Text(*.txt)|*.log"), QStringLiteral("Text(*.txt) (*.log)")},
        // A dangling description without a pattern is dropped.
        {QStringLiteral("A|*.a|B"), QStringLiteral("A (*.a)")},
        {QString(), QString()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.filter.toStdString());
        EXPECT_EQ(QtFilter(c.filter), c.expected);
    }
}
