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
        {QStringLiteral("Velquorファイル(*.vqp)|*.vqp"), QStringLiteral("Velquorファイル(*.vqp) (*.vqp)")},
        {QStringLiteral("MCFﾌｧｲﾙ(*.mcf)|*.mcf|すべてのﾌｧｲﾙ|*"),
         QStringLiteral("MCFﾌｧｲﾙ(*.mcf) (*.mcf);;すべてのﾌｧｲﾙ (*)")},
        {QStringLiteral("ﾋﾞｯﾄﾏｯﾌﾟ(*.bmp)|*.bmp|PNGﾌｧｲﾙ(*.png)|*.png"),
         QStringLiteral("ﾋﾞｯﾄﾏｯﾌﾟ(*.bmp) (*.bmp);;PNGﾌｧｲﾙ(*.png) (*.png)")},
        // Several patterns of one entry are separated by blanks in Qt.
        {QStringLiteral("Images|*.bmp;*.png"), QStringLiteral("Images (*.bmp *.png)")},
        // A dangling description without a pattern is dropped.
        {QStringLiteral("A|*.a|B"), QStringLiteral("A (*.a)")},
        {QString(), QString()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.filter.toStdString());
        EXPECT_EQ(QtFilter(c.filter), c.expected);
    }
}
