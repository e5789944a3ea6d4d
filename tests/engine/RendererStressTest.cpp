// Many short lives of the renderer in random order: resumed, stopped,
// resumed again at once, terminated, and destroyed in the middle of a
// drawing, with its copies queued for this thread as a window queues them.
// The thread sanitizer run takes thousands of cycles; the everyday run a few.
#include "engine/UVelquor.h"
#include "tests/support/Pictures.h"
#include "tests/support/Stress.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <random>
#include <thread>

namespace {

// Rows that take a while, so some drawings last long enough for progress
// copies.
class SlowMove final : public TPointMove {
public:
    long double GetX(int32_t x, int32_t) const override
    {
        if (x == 0) std::this_thread::sleep_for(std::chrono::microseconds(300));
        return x;
    }
    long double GetY(int32_t, int32_t y) const override { return y; }
};

class StressCycle {
public:
    explicit StressCycle(uint32_t seed) : random_(seed) {}

    void Run()
    {
        canvas_.SetSize(1, 1);
        auto v = std::make_unique<TVelquor>(Chance(2), &canvas_);
        v->SetSize(1, 1);
        v->SetSynchronizer([this](std::function<void()> copy) {
            std::lock_guard<std::mutex> lock(mutex_);
            copies_.push_back(std::move(copy));
        });
        WaitIdle(*v);
        const int actions = 1 + Below(8);
        for (int i = 0; i < actions; ++i) Act(*v);
        switch (Below(3)) {
        case 0: // the window's way out: stop, wait, destroy
            v->Stop();
            WaitIdle(*v);
            break;
        case 1: // terminated first, then destroyed at once
            v->Terminate();
            break;
        default: // destroyed in whatever state the drawing is
            break;
        }
        v.reset();
        Serve(); // copies handed over before the end must do nothing now
    }

private:
    bool Chance(int n) { return Below(n) == 0; }
    int Below(int n) { return static_cast<int>(random_() % static_cast<uint32_t>(n)); }

    void Serve()
    {
        std::deque<std::function<void()>> taken;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            taken.swap(copies_);
        }
        for (auto& copy : taken) copy();
    }

    void WaitIdle(TVelquor& v)
    {
        while (!v.Suspended() && !v.Terminated()) {
            Serve();
            std::this_thread::yield();
        }
    }

    void Act(TVelquor& v)
    {
        switch (Below(6)) {
        case 0: { // new settings, which may change only while idle
            v.Stop();
            WaitIdle(v);
            if (v.Terminated()) return;
            const bool slow = Chance(40);
            const int width = 1 + Below(slow ? 40 : 120);
            const int height = slow ? 1500 : 1 + Below(120);
            v.SetSize(width, height);
            canvas_.SetSize(width, height); // as the window's image bitmap follows the size
            if (slow) v.SetPointMove(std::make_unique<SlowMove>());
            else v.SetPointMove(TPointMoveBox::GetPointMove(Below(5)));
            v.SetFormula(TFormulaBox::GetFormula(Below(7)));
            v.ShadeOff = Chance(2);
            break;
        }
        case 1: v.Resume(); break;
        case 2: v.Stop(); break;
        case 3: // a restart: stop, then resume at once
            v.Stop();
            WaitIdle(v);
            v.Resume();
            break;
        case 4: { // let it draw a while, serving copies
            const auto until = std::chrono::steady_clock::now() + std::chrono::microseconds(Below(3000));
            while (std::chrono::steady_clock::now() < until) Serve();
            break;
        }
        default: { // a whole drawing nobody disturbs: the final copy shows it
            v.Stop();
            WaitIdle(v);
            if (v.Terminated()) return;
            const int copies = v.CopyCount();
            v.Resume();
            WaitIdle(v);
            if (v.Terminated() || !v.ErrorMessage().empty()) return;
            ASSERT_GT(v.CopyCount(), copies);
            ASSERT_EQ(v.FinishedRows(), v.Height());
            for (int y = 0; y < v.Height(); ++y)
                for (int x = 0; x < v.Width(); ++x)
                    ASSERT_EQ(PixelAt(canvas_, x, y), PixelAt(v.Bitmap(), x, y)) << x << "," << y;
            break;
        }
        }
    }

    std::mt19937 random_;
    TBitmap24 canvas_;
    std::mutex mutex_;
    std::deque<std::function<void()>> copies_;
};

TEST(RendererStress, StartStopRestartTerminateAndDestroyInAnyOrder)
{
    const int cycles = StressCycles(60);
    std::printf("%s stress: %d cycles\n", "renderer", cycles);
    for (int i = 0; i < cycles; ++i) {
        SCOPED_TRACE(i);
        StressCycle cycle(static_cast<uint32_t>(i));
        cycle.Run();
        if (HasFatalFailure()) return;
    }
}

} // namespace
