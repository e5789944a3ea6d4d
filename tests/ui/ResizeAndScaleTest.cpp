// The window as a workspace: resizable from its start-up size, a smaller
// picture centred on a neutral background, the view scale with the moves and
// the pointer's panel right at every scale, and the picture following the
// window.
#include "tests/ui/WindowFixture.h"

#include "document/PlaneMoves.h"
#include "document/PointerText.h"
#include "document/ViewScale.h"
#include "engine/PixelProbe.h"
#include "ui/GraphView.h"

#include <QAction>
#include <QLabel>
#include <QMouseEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>

namespace {

class ResizeAndScaleTest : public WindowFixture {
protected:
    TGraphView& View() { return window_->GraphView(); }
    QScrollArea& Area() { return *window_->findChild<QScrollArea*>(QStringLiteral("scrGraph")); }
    TPlaneArea Plane() { return window_->Operations().Area(); }
    TPictureSize Size() { return window_->Operations().PictureSize(); }

    void Resize(QSize size)
    {
        window_->resize(size);
        QCoreApplication::processEvents();
    }
    void SetImageSize(int width, int height)
    {
        window_->RunCommand([&] {
            window_->StopDraw();
            window_->SetImageSize(width, height);
            window_->StartDraw();
        });
        WaitUntilIdle();
    }
    void Mouse(QEvent::Type type, QPointF pos, Qt::MouseButton button, Qt::MouseButtons held)
    {
        QMouseEvent event(type, pos, View().mapToGlobal(pos), button, held, Qt::NoModifier);
        QCoreApplication::sendEvent(&View(), &event);
    }
    void Drag(QPointF from, QPointF to, Qt::MouseButton button)
    {
        Mouse(QEvent::MouseButtonPress, from, button, button);
        Mouse(QEvent::MouseMove, to, Qt::NoButton, button);
        Mouse(QEvent::MouseButtonRelease, to, button, Qt::NoButton);
        WaitUntilIdle();
    }
    void Wheel(QPointF pos, Qt::KeyboardModifiers modifiers)
    {
        QWheelEvent event(pos, View().mapToGlobal(pos), QPoint(), QPoint(0, 120), Qt::NoButton, modifiers,
                          Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(&View(), &event);
        WaitUntilIdle();
    }
};

TEST_F(ResizeAndScaleTest, FromTheStartUpSizeTheUserMayResizeAndASmallPictureSitsCentred)
{
    TfrmMain& window = CreateShown();
    const int bars = ToolBarHeight() + StatusBarHeight();
    ASSERT_EQ(window.ClientSize(), QSize(400, 400 + bars));
    EXPECT_LT(window.minimumWidth(), window.width());
    EXPECT_LT(window.minimumHeight(), window.height());
    EXPECT_EQ(window.maximumSize(), QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
    EXPECT_TRUE(window.windowFlags() & Qt::WindowMaximizeButtonHint);

    Resize(QSize(900, 700));
    EXPECT_EQ(window.size(), QSize(900, 700));
    EXPECT_EQ(View().size(), QSize(400, 400)) << "the picture keeps its size";
    const QRect viewport = Area().viewport()->rect();
    const QPoint offCentre = View().geometry().center() - viewport.center();
    EXPECT_LE(offCentre.manhattanLength(), 1) << "rounding may leave one pixel";
    EXPECT_EQ(Area().horizontalScrollBar()->maximum(), 0);
    // Around it a neutral background, not the window's white or grey.
    const QImage shot = Area().viewport()->grab().toImage();
    const QColor around = shot.pixelColor(3, 3);
    EXPECT_EQ(around.rgb(), Area().palette().color(QPalette::Dark).rgb());
    EXPECT_NE(around, QColor(Qt::white));

    // Smaller than the picture, it scrolls.
    Resize(QSize(300, 250));
    EXPECT_GT(Area().horizontalScrollBar()->maximum(), 0);
    EXPECT_GT(Area().verticalScrollBar()->maximum(), 0);

    // A new picture size fits the window to the picture again.
    SetImageSize(320, 200);
    EXPECT_EQ(window.ClientSize(), QSize(std::max(320, window.minimumWidth()), 200 + bars));
}

TEST_F(ResizeAndScaleTest, FitShowsTheWholeLargePictureAndTheStepsGoByTwo)
{
    TfrmMain& window = CreateShown();
    SetImageSize(3000, 2000);
    Resize(QSize(700, 600));
    window.actViewFit->trigger();
    const QSize area = Area().size();
    EXPECT_DOUBLE_EQ(View().Scale(), std::min(area.width() / 3000.0, area.height() / 2000.0));
    EXPECT_LE(View().width(), area.width());
    EXPECT_LE(View().height(), area.height());
    EXPECT_EQ(Area().horizontalScrollBar()->maximum(), 0);
    // The fit follows the window.
    Resize(QSize(500, 600));
    EXPECT_LE(View().width(), Area().size().width());

    const double fitted = View().Scale();
    window.actViewZoomIn->trigger();
    EXPECT_EQ(View().Scale(), ViewScaleUp(fitted));
    window.actViewActual->trigger();
    EXPECT_EQ(View().Scale(), 1.0);
    EXPECT_EQ(View().size(), QSize(3000, 2000));
    window.actViewZoomOut->trigger();
    window.actViewZoomOut->trigger();
    EXPECT_EQ(View().Scale(), 0.25);
    EXPECT_EQ(View().size(), QSize(750, 500));
    // Only the view changed: the picture, its bitmap and the pattern stay.
    EXPECT_EQ(Size().Width, 3000);
    EXPECT_EQ(window.Operations().ImageBitmap().Width(), 3000);
    EXPECT_EQ(window.Operations().History().UndoCount(), 1u) << "only the size change is a step";
}

TEST_F(ResizeAndScaleTest, MovesAndThePointerPanelAtAQuarterLandOnThePictureTheyPointAt)
{
    TfrmMain& window = CreateShown();
    SetImageSize(1200, 1000);
    window.actViewActual->trigger();
    window.actViewZoomOut->trigger();
    window.actViewZoomOut->trigger();
    ASSERT_EQ(View().Scale(), 0.25);

    // The shown position (10.5, 20.5) lies over picture pixel (42, 82).
    {
        QMouseEvent move(QEvent::MouseMove, QPointF(10.5, 20.5), View().mapToGlobal(QPointF(10.5, 20.5)),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&View(), &move);
        const TVelquor& pattern = window.Operations().Pattern();
        const auto pm = TPointMoveBox::GetPointMove(0);
        pm->SetSize(pattern.Width(), pattern.Height());
        const QString expected = QString::fromStdString(PointerText(ProbePixel(pattern, *pm, 42, 82), false,
                                                                     pattern.Incremental.X, pattern.Incremental.Y));
        EXPECT_EQ(window.findChild<QLabel*>(QStringLiteral("stbPanel2"))->text(), expected);
    }

    TPlaneArea before = Plane();
    Wheel(QPointF(10.5, 20.5), Qt::ControlModifier);
    EXPECT_EQ(Plane(), ZoomAbout(before, Size(), 42, 82, 1));

    before = Plane();
    Drag(QPointF(40.2, 40.2), QPointF(50.2, 45.2), Qt::LeftButton);
    EXPECT_EQ(Plane(), Pan(before, 40, 20)) << "ten shown pixels are forty of the picture";

    before = Plane();
    Drag(QPointF(10.5, 10.5), QPointF(30.5, 20.5), Qt::RightButton);
    EXPECT_EQ(Plane(), ZoomToRect(before, Size(), 42, 42, 80, 40));

    // Enlarged four times, a shown pixel is a quarter of a picture pixel.
    window.actViewActual->trigger();
    window.actViewZoomIn->trigger();
    window.actViewZoomIn->trigger();
    ASSERT_EQ(View().Scale(), 4.0);
    before = Plane();
    Drag(QPointF(100.5, 100.5), QPointF(140.5, 120.5), Qt::LeftButton);
    EXPECT_EQ(Plane(), Pan(before, 10, 5));
}

TEST_F(ResizeAndScaleTest, PictureFollowsTheWindowWithOneDrawingPerResize)
{
    TfrmMain& window = CreateShown();
    const size_t steps = window.Operations().History().UndoCount();
    window.actFollowWindow->trigger();
    ASSERT_TRUE(window.actFollowWindow->isChecked());
    WaitUntilIdle();
    EXPECT_EQ(QSize(Size().Width, Size().Height), Area().size()) << "the picture takes its area at once";

    // A burst of sizes while the user drags the window's edge: one new size,
    // after the pause, for the last one.
    const size_t afterOn = window.Operations().History().UndoCount();
    for (const int w : {600, 650, 700, 720}) Resize(QSize(w, 560));
    EXPECT_NE(Size().Width, Area().size().width()) << "not before the pause";
    QTest::qWait(450);
    WaitUntilIdle();
    EXPECT_EQ(QSize(Size().Width, Size().Height), Area().size());
    EXPECT_EQ(View().Scale(), 1.0);
    EXPECT_EQ(window.Operations().History().UndoCount(), afterOn + 1);
    EXPECT_GE(afterOn, steps);

    // A new size from the formula dialog leaves the window as it is.
    const QSize windowSize = window.size();
    SetImageSize(300, 200);
    EXPECT_EQ(window.size(), windowSize);

    // Switched off, the window no longer redraws on a resize.
    window.actFollowWindow->trigger();
    Resize(QSize(500, 500));
    QTest::qWait(450);
    EXPECT_EQ(Size().Width, 300);
}

} // namespace
