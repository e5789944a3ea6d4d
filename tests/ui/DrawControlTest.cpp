// The drawing control without a window: its hooks around a drawing, the
// progress bar, the end's error message, stopping and shut-down.
#include "tests/ui/UiFiles.h"

#include "document/MainOperations.h"
#include "ui/DrawControl.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QProgressBar>
#include <QTemporaryDir>
#include <QWidget>

#include <chrono>
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

class DrawControlTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(tmp_.isValid());
        TDrawControl::THooks hooks;
        hooks.starting = [this] { startingIdle_.push_back(ops_.Pattern().Suspended()); };
        hooks.finished = [this](const std::string& error) { errors_.push_back(error); };
        control_ = std::make_unique<TDrawControl>(window_, ops_, view_, progress_, hooks);
        host_.control = control_.get();
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
    QWidget view_;
    QProgressBar progress_;
    ForwardingHost host_;
    TMainOperations ops_{host_, tmp_.path().toStdString()};
    std::unique_ptr<TDrawControl> control_;
    std::vector<bool> startingIdle_;
    std::vector<std::string> errors_;
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
    }
}

TEST_F(DrawControlTest, StopReturnsIdleMidwayAndNothingStartsAfterShutDown)
{
    ops_.SetImageSize(3000, 3000);
    // A pattern that takes about a second, far longer than the wait below.
    ops_.SelectFormula(1, "5");
    ops_.SelectPointMove(2, TPointMoveParam{0.25L, 0, 0, 0});
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

} // namespace
