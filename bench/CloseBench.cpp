// How long ending the program takes in the middle of a large drawing: the
// renderer is stopped and destroyed while a 4000 x 4000 picture is drawn,
// exactly as the window does when it closes.
#include "engine/UVelquor.h"

#include <chrono>
#include <cstdio>
#include <memory>
#include <thread>

int main()
{
    using Clock = std::chrono::steady_clock;
    constexpr int kSize = 4000;
    for (const int formula : {0, 5}) {
        for (const int delayMs : {100, 500, 1000}) {
            TBitmap24 canvas(kSize, kSize);
            auto renderer = std::make_unique<TVelquor>(false, &canvas);
            renderer->WaitUntilSuspended();
            renderer->SetSize(kSize, kSize);
            renderer->SetFormula(TFormulaBox::GetFormula(formula));
            auto move = TPointMoveBox::GetPointMove(2);
            move->SetParam(TPointMoveParam{0.25L, 0, 0, 0});
            renderer->SetPointMove(std::move(move));
            renderer->Resume();
            std::this_thread::sleep_for(std::chrono::milliseconds(delayMs));

            const int rowsBefore = renderer->FinishedRows();
            const auto start = Clock::now();
            renderer->Stop();
            renderer->WaitUntilSuspended();
            renderer->Terminate();
            renderer.reset();
            const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
            std::printf("formula %d, point move 2, closed after %4d ms at row %4d of %d: ended in %6.2f ms\n", formula,
                        delayMs, rowsBefore, kSize, ms);
        }
    }
    return 0;
}
