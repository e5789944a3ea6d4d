// The window's drawing control through many short lives in random order:
// drawings started, restarted while they run, stopped, shut down, and the
// renderer destroyed in the middle of a drawing on the thread that serves
// its copies. A program of its own, so the thread sanitizer run builds only
// this of the window's tests; the everyday run takes a few cycles, the
// sanitizer run thousands.
#include "document/MainOperations.h"
#include "tests/support/Stress.h"
#include "ui/DrawControl.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QProgressBar>
#include <QTemporaryDir>
#include <QWidget>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>
#include <random>
#include <thread>

namespace {

class ForwardingHost : public IMainHost {
public:
    TDrawControl* control = nullptr;
    void StopDraw() override { control->Stop(); }
    void StartDraw() override { control->Start(); }
    std::string PaletteDirectory() const override { return {}; }
    void ShowMessage(const std::string&) override {}
    void ErrorDialog(const std::string&) override {}
};

class ControlCycle {
public:
    ControlCycle(uint32_t seed, const std::string& folder) : random_(seed), folder_(folder) {}

    void Run()
    {
        // Never shown: painting is not under test, and Qt paints with threads
        // of its own that the sanitizer cannot follow.
        QWidget window;
        QWidget view(&window);
        QProgressBar progress(&window);
        ForwardingHost host;
        auto ops = std::make_unique<TMainOperations>(host, folder_);
        auto control = std::make_unique<TDrawControl>(window, *ops, view, progress, TDrawControl::THooks{});
        host.control = control.get();
        ops->SetImageSize(1 + Below(100), 1 + Below(100));

        const int actions = 1 + Below(8);
        for (int i = 0; i < actions; ++i) {
            switch (Below(6)) {
            case 0: control->Start(); break; // a restart when one runs
            case 1: control->Stop(); break;
            case 2: ServeFor(std::chrono::microseconds(Below(5000))); break;
            case 3: ops->Random(); break; // stops, changes, starts
            case 4: {
                control->Stop();
                const bool large = Below(30) == 0; // long enough for progress copies
                ops->SelectPointMove(large ? 2 : Below(5), TPointMoveParam{0.25L, 0, 0, 0});
                ops->SetImageSize(large ? 2000 : 1 + Below(150), large ? 1500 : 1 + Below(150));
                break;
            }
            default: { // a whole drawing: the window's bitmap shows the renderer's
                control->Start();
                const TVelquor& pattern = ops->Pattern();
                const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
                while (!pattern.Suspended() && std::chrono::steady_clock::now() < deadline) ServeOnce();
                ASSERT_TRUE(pattern.Suspended()) << "drawing did not end";
                if (!pattern.ErrorMessage().empty()) break;
                const TBitmap24& drawn = pattern.Bitmap();
                const TBitmap24& shown = ops->ImageBitmap();
                ASSERT_EQ(shown.Width(), drawn.Width());
                for (int y = 0; y < drawn.Height(); ++y)
                    ASSERT_EQ(std::memcmp(shown.Row(y), drawn.Row(y), static_cast<size_t>(drawn.Width()) * 3), 0)
                        << "row " << y;
                break;
            }
            }
        }
        switch (Below(3)) {
        case 0: // as the window closes
            control->ShutDown();
            break;
        case 1: // terminated without waiting, then destroyed
            ops->Pattern().Terminate();
            break;
        default: // destroyed mid-drawing by the thread that serves the copies
            break;
        }
        control.reset();
        ops.reset();
        // Copies still queued for the window run now and must do nothing.
        QCoreApplication::processEvents();
    }

private:
    int Below(int n) { return static_cast<int>(random_() % static_cast<uint32_t>(n)); }

    static void ServeOnce()
    {
        QCoreApplication::processEvents();
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    static void ServeFor(std::chrono::microseconds time)
    {
        const auto until = std::chrono::steady_clock::now() + time;
        while (std::chrono::steady_clock::now() < until) ServeOnce();
    }

    std::mt19937 random_;
    std::string folder_;
};

TEST(DrawControlStress, StartRestartStopShutDownAndDestroyInAnyOrder)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const int cycles = StressCycles(30);
    std::printf("%s stress: %d cycles\n", "drawing control", cycles);
    for (int i = 0; i < cycles; ++i) {
        SCOPED_TRACE(i);
        ControlCycle(static_cast<uint32_t>(i), folder.path().toStdString()).Run();
        if (testing::Test::HasFatalFailure()) return;
    }
}

} // namespace
