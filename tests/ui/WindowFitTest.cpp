// The main window's size for a picture: exact where it fits, the screen's
// available area with scroll bars where it does not, never narrower than
// its menu bar.
#include "ui/WindowFit.h"
#include "tests/ui/WindowFixture.h"

#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>

TEST(FitWindowTest, SizesAndBars)
{
    struct Case {
        const char* name;
        int imageWidth, imageHeight;
        TFitResult expected;
    };
    // Menu 20, bars 44, at least 300 wide, 1000 x 700 available, bars 15.
    const Case cases[] = {
        {"fits exactly as before", 400, 400, {400, 464, false, false}},
        {"fits to the last pixel", 1000, 636, {1000, 700, false, false}},
        {"one row too many", 985, 637, {1000, 700, false, true}},
        {"one row too many, and its bar takes the last columns", 1000, 637, {1000, 700, true, true}},
        {"too wide only", 2000, 100, {1000, 179, true, false}},
        {"too wide, and the bar makes it too high", 2000, 630, {1000, 700, true, true}},
        {"too high, and the bar makes it too wide", 990, 2000, {1000, 700, true, true}},
        {"both", 9999, 9999, {1000, 700, true, true}},
        {"narrow picture keeps the menu usable", 1, 1, {300, 65, false, false}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TFitInput in;
        in.imageWidth = c.imageWidth;
        in.imageHeight = c.imageHeight;
        in.menuHeight = 20;
        in.barsHeight = 44;
        in.minWidth = 300;
        in.availableWidth = 1000;
        in.availableHeight = 700;
        in.scrollBarWidth = 15;
        const TFitResult fit = FitWindow(in);
        EXPECT_EQ(fit.width, c.expected.width);
        EXPECT_EQ(fit.height, c.expected.height);
        EXPECT_EQ(fit.horizontalBar, c.expected.horizontalBar);
        EXPECT_EQ(fit.verticalBar, c.expected.verticalBar);
    }
}

using WindowSizeTest = WindowFixture;

TEST_F(WindowSizeTest, HugePictureScrollsInsideTheScreen)
{
    TfrmMain& window = CreateShown();
    window.SetImageSize(9999, 9999);
    const QRect available = window.screen()->availableGeometry();
    EXPECT_LE(window.frameGeometry().width(), available.width());
    EXPECT_LE(window.frameGeometry().height(), available.height());
    EXPECT_TRUE(available.contains(window.frameGeometry()));
    auto* area = window.findChild<QScrollArea*>(QStringLiteral("scrGraph"));
    ASSERT_NE(area, nullptr);
    EXPECT_TRUE(area->horizontalScrollBar()->isVisible());
    EXPECT_TRUE(area->verticalScrollBar()->isVisible());
    EXPECT_EQ(area->horizontalScrollBar()->maximum(), 9999 - area->viewport()->width());
    EXPECT_EQ(area->verticalScrollBar()->maximum(), 9999 - area->viewport()->height());
    EXPECT_TRUE(window.statusBar()->isVisible());

    // Back to a size that fits: exactly the picture and bars again.
    window.SetImageSize(400, 200);
    EXPECT_EQ(window.ClientSize(), QSize(400, 200 + ToolBarHeight() + StatusBarHeight()));
    EXPECT_FALSE(area->horizontalScrollBar()->isVisible());
    EXPECT_FALSE(area->verticalScrollBar()->isVisible());
}

TEST_F(WindowSizeTest, TinyPictureKeepsMenusAndBarsUsable)
{
    TfrmMain& window = CreateShown();
    window.SetImageSize(1, 1);
    EXPECT_GE(window.width(), window.menuBar()->sizeHint().width());
    EXPECT_EQ(window.menuBar()->height(), window.menuBar()->sizeHint().height()) << "menu bar wraps";
    EXPECT_EQ(window.ClientSize().height(), 1 + ToolBarHeight() + StatusBarHeight());
    EXPECT_EQ(window.findChild<QWidget*>(QStringLiteral("ptbGraph"))->size(), QSize(1, 1));
}
