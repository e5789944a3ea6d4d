// The drawing control without a window: its hooks around a drawing, the
// progress bar and text, what each copy repaints, the end's error message,
// stopping and shut-down.
#include "tests/ui/UiFiles.h"

#include "document/MainOperations.h"
#include "ui/DrawControl.h"
#include "ui/DrawStatus.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QPaintEvent>
#include <QProgressBar>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

// The operations reach the control as the window's host forwards to it.
class ForwardingHost : public IMainHost {
public:
    TDrawControl* control = nullptr;
    void StopDraw() override { control->Stop(); }
    void StartDraw() override { control->Start(); }
    std::string PaletteDirectory() const override { return {}; }
    void ShowMessage(const std::string&) override {}
    void ErrorDialog(const std::string&) override {}
};

// Remembers the part of itself each paint was asked for.
class PaintRecorder : public QWidget {
public:
    std::vector<QRect> painted;

protected:
    void paintEvent(QPaintEvent* event) override
    {
        painted.push_back(event->rect());
        if (onPaint) onPaint();
    }

public:
    std::function<void()> onPaint;
};

class DrawControlTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(tmp_.isValid());
        TDrawControl::THooks hooks;
        hooks.starting = [this] { startingIdle_.push_back(ops_.Pattern().Suspended()); };
        hooks.finished = [this](const std::string& error) { errors_.push_back(error); };
        hooks.status = [this](const std::string& text) { statuses_.push_back(text); };
        control_ = std::make_unique<TDrawControl>(window_, ops_, view_, progress_, hooks);
        host_.control = control_.get();
        view_.onPaint = [this] { paintedWhileDrawing_ = control_->Drawing(); };
    }

    void TearDown() override { control_->ShutDown(); }

    void WaitUntilIdle()
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (control_->Drawing() && std::chrono::steady_clock::now() < deadline) {
            QCoreApplication::processEvents();
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        ASSERT_FALSE(control_->Drawing()) << "drawing did not end";
    }

    QTemporaryDir tmp_;
    QWidget window_;
    PaintRecorder view_;
    QProgressBar progress_;
    ForwardingHost host_;
    TMainOperations ops_{host_, tmp_.path().toStdString()};
    std::unique_ptr<TDrawControl> control_;
    std::vector<bool> startingIdle_;
    std::vector<std::string> errors_;
    std::vector<std::string> statuses_;
    bool paintedWhileDrawing_ = false;
};

TEST_F(DrawControlTest, HooksFrameEachDrawingAndTheEndCarriesTheRenderersMessage)
{
    struct Case {
        const char* palette; // nullptr: the standard palette
        bool fails;
    };
    // A palette of one colour makes every pixel fail.
    ASSERT_TRUE(WriteFile(tmp_.filePath(QStringLiteral("one.mcf")), "FF0000\n"));
    const Case cases[] = {{nullptr, false}, {"one.mcf", true}};
    ops_.SetImageSize(120, 80);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fails ? "failing" : "standard");
        if (c.palette != nullptr)
            ops_.Pattern().Mcf().LoadFromFile(tmp_.filePath(QString::fromLatin1(c.palette)).toStdString());
        startingIdle_.clear();
        errors_.clear();
        progress_.setValue(50);
        control_->Start();
        EXPECT_EQ(startingIdle_, std::vector<bool>{true});
        EXPECT_TRUE(control_->Drawing());
        EXPECT_FALSE(progress_.isHidden());
        EXPECT_EQ(progress_.value(), 0);
        EXPECT_TRUE(errors_.empty());
        WaitUntilIdle();
        ASSERT_EQ(errors_.size(), 1u);
        EXPECT_EQ(errors_.front(), ops_.Pattern().ErrorMessage());
        EXPECT_EQ(errors_.front().empty(), !c.fails);
        EXPECT_TRUE(progress_.isHidden());
        ASSERT_GE(statuses_.size(), 2u);
        EXPECT_EQ(statuses_.front(), "描画中 0% 0.0秒");
        EXPECT_EQ(statuses_.back().rfind(c.fails ? "描画中断 " : "描画時間 ", 0), 0u) << statuses_.back();
        statuses_.clear();
    }
}

TEST_F(DrawControlTest, StopReturnsIdleMidwayAndNothingStartsAfterShutDown)
{
    // Formula 5 under point move 2 takes about a second at this size, far
    // longer than the wait below.
    ops_.SelectFormula(1, "5");
    ops_.SelectPointMove(2, TPointMoveParam{0.25L, 0, 0, 0});
    ops_.SetImageSize(3000, 3000);
    control_->Start();
    for (int i = 0; i < 20; ++i) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    ASSERT_FALSE(ops_.Pattern().Suspended());
    control_->Stop();
    EXPECT_TRUE(ops_.Pattern().Suspended());
    EXPECT_LT(ops_.Pattern().FinishedRows(), 3000);

    control_->ShutDown();
    EXPECT_FALSE(control_->Drawing());
    startingIdle_.clear();
    // The operations' own drawing start goes through the host as well.
    ops_.Random();
    control_->Start();
    EXPECT_TRUE(startingIdle_.empty());
    EXPECT_FALSE(control_->Drawing());
    EXPECT_TRUE(ops_.Pattern().Suspended());
}

TEST_F(DrawControlTest, ShutDownRightAfterAStartReturns)
{
    // The window closed just after a move: the worker may not even have woken
    // for the drawing yet. Each round must end, drawing stopped.
    ops_.SetImageSize(2000, 2000);
    for (int round = 0; round < 50; ++round) {
        SCOPED_TRACE(round);
        auto ops = std::make_unique<TMainOperations>(host_, tmp_.path().toStdString());
        // Slow enough that a whole drawing never fits between the two calls.
        ops->SelectPointMove(2, TPointMoveParam{0.25L, 0, 0, 0});
        ops->SetImageSize(2000, 2000);
        TDrawControl control(window_, *ops, view_, progress_, {});
        host_.control = &control;
        control.Start();
        const auto started = std::chrono::steady_clock::now();
        control.ShutDown();
        EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(10));
        EXPECT_TRUE(ops->Pattern().Terminated());
        EXPECT_FALSE(control.Drawing());
        EXPECT_LT(ops->Pattern().FinishedRows(), 2000);
        host_.control = control_.get();
    }
}

TEST_F(DrawControlTest, EachCopyRepaintsOnlyTheRowsItBrought)
{
    // Slow enough for several progress copies (one every 200 ms).
    ops_.SelectPointMove(2, TPointMoveParam{0.25L, 0, 0, 0});
    ops_.SetImageSize(3000, 3000);
    view_.setFixedSize(3000, 3000);
    view_.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view_));
    while (view_.painted.empty()) QCoreApplication::processEvents();
    view_.painted.clear(); // the paint of the widget being shown
    control_->Start();
    const auto started = std::chrono::steady_clock::now();
    while (ops_.Pattern().CopyCount() < 2 && !ops_.Pattern().Suspended()) {
        QCoreApplication::processEvents();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        ASSERT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(60));
    }
    control_->Stop();
    WaitUntilIdle();
    // A whole-widget paint is an expose of the shown widget arriving late on
    // a loaded machine, or the complete copy of a drawing that ended early;
    // neither is a progress copy.
    std::erase(view_.painted, QRect(0, 0, 3000, 3000));
    ASSERT_FALSE(view_.painted.empty()) << "no progress copy came in; draw a slower picture";
    int next = 0;
    for (const QRect& band : view_.painted) {
        EXPECT_EQ(band.left(), 0);
        EXPECT_EQ(band.width(), 3000);
        EXPECT_EQ(band.top(), next) << "a copy repainted rows it had shown before";
        next = band.bottom() + 1;
    }
    EXPECT_LE(next, 3000);
}

TEST_F(DrawControlTest, TheCompletePictureShowsBeforeThePollNoticesTheEnd)
{
    ops_.SetImageSize(200, 100);
    view_.setFixedSize(200, 100);
    view_.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view_));
    while (view_.painted.empty()) QCoreApplication::processEvents();
    view_.painted.clear();
    control_->Start();
    const auto started = std::chrono::steady_clock::now();
    while (view_.painted.empty()) {
        QCoreApplication::processEvents();
        ASSERT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(60));
    }
    EXPECT_EQ(view_.painted.back(), QRect(0, 0, 200, 100));
    EXPECT_TRUE(paintedWhileDrawing_) << "the picture waited for the poll";
    WaitUntilIdle();
}

TEST_F(DrawControlTest, ProgressTextWhileDrawing)
{
    ops_.SelectPointMove(2, TPointMoveParam{0.25L, 0, 0, 0});
    ops_.SetImageSize(3000, 3000);
    control_->Start();
    while (statuses_.size() < 2 && control_->Drawing()) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    control_->Stop();
    WaitUntilIdle();
    ASSERT_GE(statuses_.size(), 3u) << "the drawing ended before the first poll";
    EXPECT_EQ(statuses_[1].rfind("描画中 ", 0), 0u) << statuses_[1];
    EXPECT_EQ(statuses_.back().rfind("描画中断 ", 0), 0u) << statuses_.back();
}

TEST(DrawStatusTest, Texts)
{
    EXPECT_EQ(DrawingProgressText(0, 400, false, 0.0), "描画中 0% 0.0秒");
    EXPECT_EQ(DrawingProgressText(199, 400, false, 1.25), "描画中 49% 1.2秒");
    EXPECT_EQ(DrawingProgressText(9998, 9999, false, 40.0), "描画中 99% 40.0秒");
    EXPECT_EQ(DrawingProgressText(400, 400, true, 3.0), "ぼかし中 3.0秒");
    EXPECT_EQ(DrawingDoneText(true, 0.004), "描画時間 0.00秒");
    EXPECT_EQ(DrawingDoneText(false, 12.345), "描画中断 12.35秒");
    EXPECT_EQ(DrawingPercent(5, 0), 0);
}

// A renderer terminated right after a start may leave without ever being
// idle again; waiting for it must still end.
TEST_F(DrawControlTest, StopEndsWhenTheWorkerLeftWithoutBecomingIdle)
{
    ops_.SetImageSize(50, 50);
    TVelquor& pattern = ops_.Pattern();
    pattern.WaitUntilSuspended();
    pattern.Terminate();
    pattern.Resume(); // wakes the worker, which leaves at once
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!pattern.Ended() && std::chrono::steady_clock::now() < deadline) std::this_thread::yield();
    ASSERT_TRUE(pattern.Ended());
    ASSERT_FALSE(pattern.Suspended());
    control_->Stop(); // returns instead of waiting for an idle that never comes
    EXPECT_FALSE(control_->Drawing());
}

} // namespace
