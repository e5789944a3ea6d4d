// Moving about the plane with the mouse and the keys on the picture, the
// history across the window's commands, and the panel that follows the
// pointer. Events go straight to the picture widget.
#include "tests/ui/UiFiles.h"
#include "tests/ui/WindowFixture.h"

#include "document/PlaneMoves.h"
#include "settings/UVelquorRegistry.h"
#include "tests/support/Files.h"
#include "tests/support/Pictures.h"
#include "tests/support/TempDir.h"
#include "tests/support/WaitingHost.h"
#include "ui/GraphView.h"
#include "ui/UFormulaSelect.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRubberBand>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>

#include <cmath>

namespace {

class ExploreTest : public WindowFixture {
protected:
    TGraphView& View() { return *window_->findChild<TGraphView*>(QStringLiteral("ptbGraph")); }
    TPlaneArea Area() { return window_->Operations().Area(); }
    TPatternSnapshot Snapshot() { return window_->Operations().Snapshot(); }
    QString Panel(const char* name) { return window_->findChild<QLabel*>(QString::fromLatin1(name))->text(); }

    // True when the picture took the turn; false passes it on to the
    // scroll area, as the toolkit does with a real wheel.
    bool Wheel(QPointF pos, int angle, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QWheelEvent event(pos, View().mapToGlobal(pos), QPoint(), QPoint(0, angle), Qt::NoButton, modifiers,
                          Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(&View(), &event);
        return event.isAccepted();
    }

    void Mouse(QEvent::Type type, QPoint pos, Qt::MouseButton button, Qt::MouseButtons held,
               Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QMouseEvent event(type, QPointF(pos), View().mapToGlobal(QPointF(pos)), button, held, modifiers);
        QCoreApplication::sendEvent(&View(), &event);
    }

    // Press at from, move to to, release there.
    void Drag(QPoint from, QPoint to, Qt::MouseButton button, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        Mouse(QEvent::MouseButtonPress, from, button, button, modifiers);
        Mouse(QEvent::MouseMove, to, Qt::NoButton, button, modifiers);
        Mouse(QEvent::MouseButtonRelease, to, button, Qt::NoButton, modifiers);
    }

    // The formula dialog's OK with every box given.
    void DialogOk(const QStringList& texts, int formula, int pointMove)
    {
        TfrmFormulaSelect& d = window_->FormulaDialog();
        d.cmbFormula->setCurrentIndex(formula);
        QLineEdit* boxes[] = {d.edtX,           d.edtY,      d.edtDX,     d.edtDY,     d.edtSizeX, d.edtSizeY,
                              d.edtColorChange, d.edtParamA, d.edtParamB, d.edtParamC, d.edtParamD};
        for (int i = 0; i < texts.size(); ++i) boxes[i]->setText(texts[i]);
        d.cmbPointMove->setCurrentIndex(pointMove);
        d.bbnOK->click();
    }

    void SetArea(long double x, long double y, long double dx, long double dy)
    {
        window_->RunCommand([&] {
            window_->StopDraw();
            window_->SetArea(x, y, dx, dy);
            window_->StartDraw();
        });
        WaitUntilIdle();
    }
};

} // namespace

TEST_F(ExploreTest, WheelNotchZoomsAboutThePointer)
{
    CreateShown();
    // Within pixel (100, 50) of the 400 x 400 start-up picture, (0, 0) by (1, 1).
    EXPECT_TRUE(Wheel(QPointF(100.6, 50.2), 120));
    const long double inc = std::exp2l(-0.25L);
    EXPECT_EQ(Area().Incremental, FloatPoint(inc, inc));
    EXPECT_EQ(Area().Center, FloatPoint((100 - 200) * (1 - inc), (50 - 200) * (1 - inc)));
    // The plane point of that pixel, -100 and -150, stays under it.
    EXPECT_NEAR(static_cast<double>(Area().Center.X - 200 * inc + 100 * inc), -100.0, 1e-15);
    EXPECT_NEAR(static_cast<double>(Area().Center.Y - 200 * inc + 50 * inc), -150.0, 1e-15);
    // The move's drawing starts at once.
    EXPECT_TRUE(window_->Drawing());
    WaitUntilIdle();

    // A fine-grained wheel zooms once its steps make a whole notch.
    for (int i = 0; i < 3; ++i) Wheel(QPointF(200, 200), 30);
    EXPECT_EQ(Area().Incremental.X, inc);
    Wheel(QPointF(200, 200), 30);
    EXPECT_EQ(Area().Incremental.X, inc * inc);
    WaitUntilIdle();
    // Four notches in one turn double exactly.
    Wheel(QPointF(200, 200), -480);
    EXPECT_EQ(Area().Incremental, FloatPoint(inc * inc * 2, inc * inc * 2));
    WaitUntilIdle();
    EXPECT_EQ(window_->Operations().History().UndoCount(), 3u);
}

TEST_F(ExploreTest, BurstOfNotchesLeavesOneDrawingOfTheLastArea)
{
    CreateShown();
    TPlaneArea expected = Area();
    for (int i = 0; i < 6; ++i) {
        Wheel(QPointF(30, 370), 120);
        expected = ZoomAbout(expected, {400, 400}, 30, 370, 1);
    }
    EXPECT_EQ(Area(), expected);
    WaitUntilIdle();
    EXPECT_TRUE(dialogs_.errors.isEmpty());

    // What is shown is the last area's picture alone: no earlier drawing's
    // copy landed after it.
    TempDir dir;
    TWaitingHost host;
    TMainOperations ops(host, dir.Path());
    host.ops = &ops;
    ops.SetImageSize(400, 400);
    ops.SetArea(expected.Center.X, expected.Center.Y, expected.Incremental.X, expected.Incremental.Y);
    host.StartDraw();
    EXPECT_TRUE(SamePixels(window_->Operations().ImageBitmap(), ops.ImageBitmap()));
}

TEST_F(ExploreTest, PlainWheelScrollsAPictureThatScrollsAndCtrlWheelZooms)
{
    CreateShown();
    window_->RunCommand([&] {
        window_->StopDraw();
        window_->SetImageSize(2000, 2000);
        window_->StartDraw();
    });
    WaitUntilIdle();
    auto* scroll = window_->findChild<QScrollArea*>(QStringLiteral("scrGraph"));
    ASSERT_TRUE(scroll->verticalScrollBar()->isVisible());
    const TPlaneArea before = Area();
    EXPECT_FALSE(Wheel(QPointF(50, 50), -120));
    EXPECT_EQ(Area(), before);
    EXPECT_FALSE(window_->Drawing());

    EXPECT_TRUE(Wheel(QPointF(1000, 1000), 120, Qt::ControlModifier));
    EXPECT_EQ(Area().Incremental.X, std::exp2l(-0.25L));
    EXPECT_EQ(Area().Center, before.Center); // the picture's centre pixel
    WaitUntilIdle();
}

TEST_F(ExploreTest, LeftDragPansWithThePictureFollowingThePointer)
{
    CreateShown();
    SetArea(1, 2, 0.5L, 0.25L);
    const TBitmap24 old = window_->Operations().ImageBitmap();

    Mouse(QEvent::MouseButtonPress, QPoint(100, 100), Qt::LeftButton, Qt::LeftButton);
    Mouse(QEvent::MouseMove, QPoint(130, 80), Qt::NoButton, Qt::LeftButton);
    // Shown shifted at once; the pattern itself waits for the release.
    EXPECT_EQ(View().Shift(), QPoint(30, -20));
    EXPECT_EQ(Area().Center, FloatPoint(1, 2));
    EXPECT_FALSE(window_->Drawing());

    Mouse(QEvent::MouseButtonRelease, QPoint(130, 80), Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(Area(), (TPlaneArea{{1 - 30 * 0.5L, 2 + 20 * 0.25L}, {0.5L, 0.25L}}));
    EXPECT_EQ(View().Shift(), QPoint());
    // Until the new drawing's rows come, the picture stays where it was
    // dropped, the uncovered part blank.
    const TBitmap24& shown = window_->Operations().ImageBitmap();
    EXPECT_EQ(PixelAt(shown, 130, 80), PixelAt(old, 100, 100));
    EXPECT_EQ(PixelAt(shown, 399, 0), PixelAt(old, 369, 20));
    const QColor blank = View().palette().window().color();
    const uint32_t blankValue = static_cast<uint32_t>(blank.blue() << 16 | blank.green() << 8 | blank.red());
    EXPECT_EQ(PixelAt(shown, 10, 200), blankValue);
    EXPECT_EQ(PixelAt(shown, 200, 390), blankValue);
    EXPECT_TRUE(window_->Drawing());
    WaitUntilIdle();

    // A click is no move.
    Drag(QPoint(5, 5), QPoint(5, 5), Qt::LeftButton);
    EXPECT_FALSE(window_->Drawing());
    EXPECT_EQ(window_->Operations().History().UndoCount(), 2u);
}

TEST_F(ExploreTest, RightOrShiftDragZoomsToTheRectangle)
{
    struct Case {
        Qt::MouseButton button;
        Qt::KeyboardModifiers modifiers;
    };
    for (const Case& c : {Case{Qt::RightButton, Qt::NoModifier}, Case{Qt::LeftButton, Qt::ShiftModifier}}) {
        CreateShown();
        auto* band = window_->findChild<QRubberBand*>(QStringLiteral("bndZoom"));
        Mouse(QEvent::MouseButtonPress, QPoint(200, 150), c.button, c.button, c.modifiers);
        Mouse(QEvent::MouseMove, QPoint(100, 100), Qt::NoButton, c.button, c.modifiers);
        EXPECT_TRUE(band->isVisible());
        EXPECT_EQ(band->geometry(), QRect(100, 100, 100, 50));
        EXPECT_EQ(View().Shift(), QPoint());
        Mouse(QEvent::MouseButtonRelease, QPoint(100, 100), c.button, Qt::NoButton, c.modifiers);
        EXPECT_FALSE(band->isVisible());
        // Its centre (150, 125) becomes the centre; its width fills the picture.
        EXPECT_EQ(Area(), (TPlaneArea{{-50, -75}, {0.25L, 0.25L}}));
        WaitUntilIdle();

        // A rectangle of two pixels is a click.
        Drag(QPoint(10, 10), QPoint(12, 11), c.button, c.modifiers);
        EXPECT_EQ(Area(), (TPlaneArea{{-50, -75}, {0.25L, 0.25L}}));
        EXPECT_FALSE(window_->Drawing());
    }
}

TEST_F(ExploreTest, KeysMoveOnlyWhileThePictureHasTheFocus)
{
    TfrmMain& window = CreateShown();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    auto* area = window.findChild<QScrollArea*>(QStringLiteral("scrGraph"));
    area->setFocus();
    QTest::keyClick(static_cast<QWidget*>(nullptr), Qt::Key_Left);
    QTest::keyClick(static_cast<QWidget*>(nullptr), Qt::Key_Plus);
    EXPECT_EQ(Area(), (TPlaneArea{{0, 0}, {1, 1}}));

    // A click gives the picture the focus (and moves nothing).
    QTest::mouseClick(&View(), Qt::LeftButton, Qt::NoModifier, QPoint(20, 20));
    ASSERT_TRUE(View().hasFocus());
    struct Step {
        Qt::Key key;
        TFloatPoint centre;
    };
    const Step steps[] = {
        {Qt::Key_Left, {-50, 0}}, {Qt::Key_Up, {-50, -50}}, {Qt::Key_Right, {0, -50}}, {Qt::Key_Down, {0, 0}}};
    for (const Step& s : steps) {
        QTest::keyClick(static_cast<QWidget*>(nullptr), s.key);
        // Whether the drawing is still running right after the key depends on
        // how fast it is; the centre and the history below show each move.
        EXPECT_EQ(Area().Center, s.centre) << s.key;
    }
    QTest::keyClick(static_cast<QWidget*>(nullptr), Qt::Key_Plus);
    EXPECT_EQ(Area(), (TPlaneArea{{0, 0}, {std::exp2l(-0.25L), std::exp2l(-0.25L)}}));
    QTest::keyClick(static_cast<QWidget*>(nullptr), Qt::Key_Minus);
    QTest::keyClick(static_cast<QWidget*>(nullptr), Qt::Key_Minus);
    EXPECT_NEAR(static_cast<double>(Area().Incremental.X), std::sqrt(std::sqrt(2.0)), 1e-15);
    EXPECT_EQ(Area().Center, FloatPoint(0, 0));
    WaitUntilIdle();
    EXPECT_EQ(window.Operations().History().UndoCount(), 7u);
}

TEST_F(ExploreTest, UndoAndRedoRestoreEveryFieldAndThePalette)
{
    TfrmMain& window = CreateShown();
    const QString palette = TempPath(QStringLiteral("夕方.mcf"));
    WriteBytes(palette.toStdString(), "000000\nFF8000\n804000\n402000\n");
    ASSERT_TRUE(WritePalette(TempPath(QStringLiteral("pals/森.mcf"))));
    window.Registry().PaletteDirectory = TempPath(QStringLiteral("pals")).toStdString();
    const QString document = TempPath(QStringLiteral("a.vqp"));
    WriteDocument(document, [](TVqd& vqd) {
        vqd.FormulaName = "6";
        vqd.Center = {0.25L, -0.5L};
        vqd.Size = {120, 80};
        vqd.PaletteName = "森";
        vqd.PointMoveType = 2;
        vqd.PointMoveParam = {0.5L, 0, 0, 0};
    });

    // Each step: the pattern, and what the window shows of the palette.
    struct Step {
        TPatternSnapshot pattern;
        QString paletteName;
        int32_t colours;
    };
    std::vector<Step> steps;
    const auto take = [&] {
        WaitUntilIdle();
        steps.push_back({Snapshot(), Panel("stbPanel0"), window.Operations().Pattern().Mcf().High + 1});
    };
    take();
    EXPECT_FALSE(window.actUndo->isEnabled());
    const auto stepDone = [&] {
        take();
        EXPECT_FALSE(SamePattern(steps.back().pattern, steps[steps.size() - 2].pattern));
        EXPECT_EQ(window.Operations().History().UndoCount(), steps.size() - 1);
        EXPECT_TRUE(window.actUndo->isEnabled());
        EXPECT_FALSE(window.actRedo->isEnabled());
    };

    DialogOk({"0.5", "-1.25", "0.125", "0.25", "300", "200", "2", "1", "0.5", "2", "0.25"}, 3, 1);
    stepDone();
    dialogs_.openAnswers.push_back(palette);
    window.actPalette->trigger();
    stepDone();
    window.actRandom->trigger();
    stepDone();
    Drag(QPoint(50, 60), QPoint(70, 50), Qt::LeftButton);
    stepDone();
    dialogs_.openAnswers.push_back(document);
    // The changes so far are let go when the document opens.
    dialogs_.saveQuestionAnswers.push_back(TSaveAnswer::Discard);
    window.actOpen->trigger();
    stepDone();
    window.actShadeOff->trigger();
    stepDone();
    EXPECT_EQ(steps[2].pattern.Palette->FileName, palette.toStdString());
    EXPECT_EQ(steps[2].paletteName, QStringLiteral("夕方"));
    EXPECT_EQ(steps[5].paletteName, QStringLiteral("森"));
    EXPECT_EQ(steps[1].pattern.Width, 300);

    const auto shows = [&](const Step& s) {
        EXPECT_TRUE(SamePattern(Snapshot(), s.pattern));
        EXPECT_EQ(Panel("stbPanel0"), s.paletteName);
        EXPECT_EQ(window.Operations().Pattern().Mcf().High + 1, s.colours);
        EXPECT_EQ(window.actShadeOff->isChecked(), s.pattern.ShadeOff);
        EXPECT_EQ(window.FormulaDialog().edtSizeX->text(), QString::number(s.pattern.Width));
        EXPECT_EQ(window.FormulaDialog().cmbFormula->currentIndex(), std::stoi(s.pattern.FormulaName));
        EXPECT_EQ(window.Operations().ImageBitmap().Height(), s.pattern.Height);
    };
    for (int k = static_cast<int>(steps.size()) - 2; k >= 0; --k) {
        SCOPED_TRACE(testing::Message() << "undo to step " << k);
        window.actUndo->trigger();
        WaitUntilIdle();
        shows(steps[static_cast<size_t>(k)]);
        EXPECT_TRUE(window.actRedo->isEnabled());
    }
    EXPECT_FALSE(window.actUndo->isEnabled());
    EXPECT_TRUE(dialogs_.exceptions.isEmpty());

    for (size_t k = 1; k < steps.size(); ++k) {
        SCOPED_TRACE(testing::Message() << "redo to step " << k);
        window.actRedo->trigger();
        WaitUntilIdle();
        shows(steps[k]);
    }
    EXPECT_FALSE(window.actRedo->isEnabled());

    // A new change after an undo leaves nothing to redo.
    window.actUndo->trigger();
    WaitUntilIdle();
    EXPECT_TRUE(window.actRedo->isEnabled());
    Wheel(QPointF(10, 10), 120);
    EXPECT_FALSE(window.actRedo->isEnabled());
    WaitUntilIdle();
}

TEST_F(ExploreTest, RefusedMoveChangesNothingAndUndoSkipsIt)
{
    TfrmMain& window = CreateShown();
    Drag(QPoint(100, 100), QPoint(90, 120), Qt::LeftButton);
    WaitUntilIdle();
    const TPatternSnapshot dragged = Snapshot();
    DialogOk({"0", "0", "1E4929", "1E4929"}, 0, 0);
    WaitUntilIdle();
    const TPatternSnapshot huge = Snapshot();
    ASSERT_EQ(window.Operations().History().UndoCount(), 2u);

    // Forty notches out would put the picture's edges beyond the range.
    Wheel(QPointF(200, 200), -120 * 40);
    ASSERT_FALSE(dialogs_.exceptions.isEmpty());
    EXPECT_EQ(dialogs_.exceptions.last(), QStringLiteral("浮動小数点数のオーバーフロー."));
    EXPECT_TRUE(SamePattern(Snapshot(), huge));
    EXPECT_FALSE(window.Drawing());
    EXPECT_EQ(window.Operations().History().UndoCount(), 2u);

    window.actUndo->trigger();
    WaitUntilIdle();
    EXPECT_TRUE(SamePattern(Snapshot(), dragged));
}

TEST_F(ExploreTest, PointerPanelShowsThePatternUnderThePointer)
{
    TfrmMain& window = CreateShown();
    const auto hover = [&](QPoint pixel) {
        Mouse(QEvent::MouseMove, pixel, Qt::NoButton, Qt::NoButton);
        return Panel("stbPanel2");
    };
    EXPECT_EQ(hover(QPoint(0, 0)), QStringLiteral("x=-200 y=-200 値=80000→80000 ﾊﾟﾚｯﾄ=118"));
    EXPECT_EQ(hover(QPoint(201, 200)), QStringLiteral("x=1 y=0 値=1→1 ﾊﾟﾚｯﾄ=2"));
    // The panel in use gets the room the hint panel has otherwise.
    const auto widths = [&] {
        window.statusBar()->layout()->activate();
        return std::pair(window.findChild<QLabel*>(QStringLiteral("stbPanel1"))->width(),
                         window.findChild<QLabel*>(QStringLiteral("stbPanel2"))->width());
    };
    EXPECT_LT(widths().first, widths().second);
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(&View(), &leave);
    EXPECT_EQ(Panel("stbPanel2"), QString());
    EXPECT_GT(widths().first, widths().second);

    // With a point move the moved position leads.
    DialogOk({"0", "0", "1", "1", "400", "400", "1", "0.5", "0", "0", "0"}, 0, 3);
    WaitUntilIdle();
    EXPECT_EQ(hover(QPoint(10, 4)), QStringLiteral("変換(12,4) x=-188 y=-196 値=73760→73760 ﾊﾟﾚｯﾄ=101"));
    // The swirl about the centre, probed while its first drawing runs: the
    // pixel (300, 200) lands on (200, 300).
    DialogOk({"0", "0", "1", "1", "400", "400", "1", "0.25", "0", "0", "0"}, 0, 2);
    EXPECT_EQ(hover(QPoint(300, 200)), QStringLiteral("変換(200,300) x=0 y=100 値=10000→10000 ﾊﾟﾚｯﾄ=95"));
    WaitUntilIdle();
    DialogOk({"0", "0", "1", "1", "400", "400", "1", "0.5", "0", "0", "0"}, 0, 3);
    WaitUntilIdle();
    hover(QPoint(10, 4));
    // A move under a resting pointer shows the new point there.
    QTest::keyClick(&View(), Qt::Key_Right);
    EXPECT_EQ(Panel("stbPanel2"), QStringLiteral("変換(12,4) x=-138 y=-196 値=57460→57460 ﾊﾟﾚｯﾄ=57"));
    WaitUntilIdle();
    EXPECT_FALSE(window.Drawing());
}
