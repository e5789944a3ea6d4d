// Readable feedback: every hint and the pointer's whole readout fit the
// status bar at the start-up size, and after a message from the formula
// dialog the box that failed has the focus with its text selected.
#include "tests/ui/WindowFixture.h"

#include "ui/GraphView.h"
#include "ui/UFormulaSelect.h"

#include <QAction>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QStatusTipEvent>

namespace {

class StatusAndFocusTest : public WindowFixture {
protected:
    QLabel& Panel(const char* name) { return *window_->findChild<QLabel*>(QString::fromLatin1(name)); }
    std::string Layout()
    {
        std::string out;
        for (QWidget* w : window_->statusBar()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            out += " " + w->objectName().toStdString() + (w->isVisible() ? "" : "(hidden)") + ":" +
                   std::to_string(w->x()) + "+" + std::to_string(w->width()) + "/" +
                   std::to_string(w->sizeHint().width());
        return out;
    }
    // The label shows its whole text: it is as wide as its text needs.
    void ExpectWhole(QLabel& label)
    {
        window_->statusBar()->layout()->activate();
        EXPECT_TRUE(label.isVisible()) << label.text().toStdString();
        EXPECT_GE(label.width(), label.sizeHint().width()) << label.text().toStdString() << Layout();
        EXPECT_LE(label.geometry().right(), window_->statusBar()->width()) << label.text().toStdString();
    }
};

TEST_F(StatusAndFocusTest, EveryHintAndTheWholePointerReadoutFitAtTheStartUpSize)
{
    TfrmMain& window = CreateShown();
    ASSERT_EQ(window.width(), 400);
    QLabel& hint = Panel("stbPanel1");
    int hints = 0;
    for (QAction* action : window.findChildren<QAction*>()) {
        if (action->statusTip().isEmpty()) continue;
        QStatusTipEvent tip(action->statusTip());
        QCoreApplication::sendEvent(&window, &tip);
        ASSERT_EQ(hint.text(), action->statusTip());
        ExpectWhole(hint);
        ++hints;
    }
    EXPECT_GT(hints, 20) << "the hints were not found";
    QStatusTipEvent none{QString()};
    QCoreApplication::sendEvent(&window, &none);
    EXPECT_TRUE(Panel("stbPanel0").isVisible()) << "the palette's name is back once the hint has gone";

    // Pixels 0.84 apart, and a row whose point is zero but for the last bits
    // of its arithmetic.
    window.RunCommand([&] {
        window.StopDraw();
        window.SetArea(-123.456789L, 1e-17L, 0.8408964152537145L, 0.8408964152537145L);
        window.StartDraw();
    });
    WaitUntilIdle();
    TGraphView& view = window.GraphView();
    QMouseEvent move(QEvent::MouseMove, QPointF(3.5, 200.5), view.mapToGlobal(QPointF(3.5, 200.5)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&view, &move);
    QLabel& pointer = Panel("stbPanel2");
    EXPECT_TRUE(pointer.text().startsWith(QStringLiteral("x=-289.1 y=0 値="))) << pointer.text().toStdString();
    EXPECT_TRUE(pointer.text().contains(QStringLiteral("→")) && pointer.text().contains(QStringLiteral("ﾊﾟﾚｯﾄ=")))
        << "the value before and after the rounding and the entry";
    ExpectWhole(pointer);
}

TEST_F(StatusAndFocusTest, TheBoxThatFailedGetsTheFocusBackWithItsTextSelected)
{
    TfrmMain& window = CreateShown();
    TfrmFormulaSelect& dialog = window.FormulaDialog();
    struct Case {
        QLineEdit* TfrmFormulaSelect::*box;
        const char* text;
    };
    const Case cases[] = {
        {&TfrmFormulaSelect::edtDX, "abc"},        // no number
        {&TfrmFormulaSelect::edtSizeX, "0"},       // a width out of range
        {&TfrmFormulaSelect::edtSizeY, "-5"},      // a height out of range
        {&TfrmFormulaSelect::edtParamC, "1.2.3"},  // the last boxes too
        {&TfrmFormulaSelect::edtColorChange, "x"}, //
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        window.actFunction->trigger();
        WaitUntilIdle();
        QLineEdit* box = dialog.*c.box;
        box->setText(QString::fromLatin1(c.text));
        dialog.bbnOK->setFocus();
        const qsizetype before = dialogs_.exceptions.size();
        dialog.bbnOK->click();
        ASSERT_EQ(dialogs_.exceptions.size(), before + 1);
        EXPECT_EQ(dialog.focusWidget(), box);
        EXPECT_EQ(box->selectedText(), QString::fromLatin1(c.text));
        // Put right for the next case: the next refresh rewrites the boxes.
        window.StartDraw();
        WaitUntilIdle();
    }
}

} // namespace
