// The rendering object: the pattern it draws, failures, stopping, copies onto
// the target and the life of its worker.
#include "engine/UVelquor.h"
#include "tests/support/Pictures.h"

#include "common/Exceptions.h"
#include "engine/ImageEffect.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <future>
#include <mutex>
#include <thread>

namespace {

constexpr uint32_t kMarker = 0xABABAB;

// A point move that reports each row as it begins, optionally dawdling, so
// tests can act at a known row instead of at a time.
class HookedMove final : public TPointMove {
public:
    std::function<void(int32_t)> onRow;
    std::chrono::milliseconds delay{0};

    long double GetX(int32_t x, int32_t y) const override
    {
        if (x == 0) {
            if (onRow) onRow(y);
            if (delay.count() > 0) std::this_thread::sleep_for(delay);
        }
        return x;
    }
    long double GetY(int32_t, int32_t y) const override { return y; }
};

class VelquorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        velquor = std::make_unique<TVelquor>(false, &canvas);
        velquor->WaitUntilSuspended();
    }

    void Size(int w, int h)
    {
        velquor->SetSize(w, h);
        canvas.SetSize(w, h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) SetPixelAt(canvas, x, y, kMarker);
    }

    void Draw()
    {
        velquor->Resume();
        velquor->WaitUntilSuspended();
    }

    bool CanvasUntouched() const
    {
        for (int y = 0; y < canvas.Height(); ++y)
            for (int x = 0; x < canvas.Width(); ++x)
                if (PixelAt(canvas, x, y) != kMarker) return false;
        return true;
    }

    bool CanvasShowsBitmap() const
    {
        const TBitmap24& b = velquor->Bitmap();
        for (int y = 0; y < b.Height(); ++y)
            for (int x = 0; x < b.Width(); ++x)
                if (PixelAt(canvas, x, y) != PixelAt(b, x, y)) return false;
        return true;
    }

    HookedMove* InstallHookedMove()
    {
        auto move = std::make_unique<HookedMove>();
        HookedMove* raw = move.get();
        velquor->SetPointMove(std::move(move));
        return raw;
    }

    TBitmap24 canvas;
    std::unique_ptr<TVelquor> velquor;
};

TEST_F(VelquorTest, DrawsTheStartUpPattern)
{
    EXPECT_EQ(velquor->Width(), 0);
    EXPECT_EQ(velquor->Formula().ColorChange, 1.0);
    EXPECT_EQ(velquor->GetPaletteName(), "標準");
    Size(400, 400);
    Draw();
    EXPECT_EQ(velquor->ErrorMessage(), "");
    const TBitmap24& b = velquor->Bitmap();
    ASSERT_EQ(b.Width(), 400);
    ASSERT_EQ(b.Height(), 400);
    const uint8_t* centre = b.Row(200) + 200 * 3;
    EXPECT_EQ(centre[0], 0x02);
    EXPECT_EQ(centre[1], 0x04);
    EXPECT_EQ(centre[2], 0x08);
    const TMcf& mcf = velquor->Mcf();
    EXPECT_EQ(PixelAt(b, 201, 200), static_cast<uint32_t>(mcf.GetColor(2)));
    EXPECT_EQ(PixelAt(b, 0, 0), static_cast<uint32_t>(mcf.GetColor(118))); // v = 80000
    EXPECT_EQ(velquor->FinishedRows(), 400);
    EXPECT_TRUE(CanvasShowsBitmap());
}

// Evaluates one pixel the long way, the whole expression at once.
uint32_t ExpectedPixel(const TFormula& f, const TPointMove& pm, const TMcf& mcf, TFloatPoint centre, TFloatPoint inc,
                       int w, int h, int col, int row)
{
    const long double mx = pm.GetX(col, row), my = pm.GetY(col, row);
    const long double x = centre.X - w * inc.X / 2 + mx * inc.X;
    const long double y = centre.Y - h * inc.Y / 2 + my * inc.Y;
    const int32_t v = f.Calc(static_cast<double>(x), static_cast<double>(y));
    EXPECT_GE(v, 0);
    TRgb rgb;
    rgb.SetValue(mcf.GetColor(v % mcf.High + 1));
    return static_cast<uint32_t>(rgb.GetValue());
}

TEST_F(VelquorTest, MatchesAPixelByPixelEvaluationForEveryFormulaAndPointMove)
{
    const int w = 23, h = 17;
    const TFloatPoint centre{1.25L, -2.5L}, inc{0.37L, 0.21L};
    const TPointMoveParam param{0.3L, 0.7L, -0.4L, 0.2L};
    Size(w, h);
    velquor->Center = centre;
    velquor->Incremental = inc;
    velquor->SetColorChange(3.3);
    for (int ft = 0; ft < TFormulaBox::FormulaCount(); ++ft)
        for (int pt = 0; pt < TPointMoveBox::PointMoveCount(); ++pt) {
            velquor->SetFormula(TFormulaBox::GetFormula(ft));
            auto pm = TPointMoveBox::GetPointMove(pt);
            pm->SetParam(param);
            velquor->SetPointMove(std::move(pm));
            Draw();
            ASSERT_EQ(velquor->ErrorMessage(), "");
            auto f = TFormulaBox::GetFormula(ft);
            f->ColorChange = 3.3;
            auto ref = TPointMoveBox::GetPointMove(pt);
            ref->SetParam(param);
            ref->SetSize(w, h);
            int wrong = 0;
            for (int row = 0; row < h; ++row)
                for (int col = 0; col < w; ++col)
                    if (PixelAt(velquor->Bitmap(), col, row) !=
                        ExpectedPixel(*f, *ref, velquor->Mcf(), centre, inc, w, h, col, row))
                        ++wrong;
            EXPECT_EQ(wrong, 0) << "formula " << ft << ", point move " << pt;
        }
}

// A formula of our own goes through its virtual Calc.
class ColumnFormula final : public TFormula {
public:
    int32_t Calc(double x, double) const override { return static_cast<int32_t>(x) * 1000; }
};

TEST_F(VelquorTest, DrawsFormulasAndPointMovesOfOtherClasses)
{
    Size(6, 2);
    velquor->Center = {3, 1}; // column c at x = c
    velquor->SetFormula(std::make_unique<ColumnFormula>());
    InstallHookedMove();
    Draw();
    ASSERT_EQ(velquor->ErrorMessage(), "");
    for (int x = 0; x < 6; ++x)
        EXPECT_EQ(PixelAt(velquor->Bitmap(), x, 1), static_cast<uint32_t>(velquor->Mcf().GetColor(x * 1000 % 127 + 1)));
}

TEST_F(VelquorTest, NegatedRowIncrementMirrorsTheImage)
{
    Size(40, 40);
    velquor->Center = {3, 5};
    Draw();
    const TBitmap24 before = velquor->Bitmap();
    velquor->Incremental = {1, -1};
    Draw();
    for (int r = 1; r < 40; ++r)
        for (int x = 0; x < 40; ++x)
            ASSERT_EQ(PixelAt(velquor->Bitmap(), x, r), PixelAt(before, x, 40 - r)) << x << "," << r;
}

TEST_F(VelquorTest, ValueNegativeAs32BitIntegerStaysInsideThePalette)
{
    Size(1, 1);
    velquor->SetFormula(TFormulaBox::GetFormula(3)); // x + y
    velquor->Center = {3e9L + 0.5L, 0.5L};           // the only pixel sits at (3e9, 0)
    Draw();
    ASSERT_EQ(velquor->ErrorMessage(), "");
    // |-1294967296 mod 127| + 1
    EXPECT_EQ(PixelAt(velquor->Bitmap(), 0, 0), static_cast<uint32_t>(velquor->Mcf().GetColor(113)));
}

TEST_F(VelquorTest, NewFormulaTakesTheCurrentColourChange)
{
    velquor->SetColorChange(2);
    velquor->SetFormula(TFormulaBox::GetFormula(3));
    EXPECT_EQ(velquor->ColorChange(), 2.0);
    EXPECT_EQ(velquor->Formula().ColorChange, 2.0);
    Size(3, 1);
    velquor->Center = {0, 0.5L};
    Draw();
    // Column 2 sits at (0.5, 0): 2 * 0.5 = 1, index 2.
    EXPECT_EQ(PixelAt(velquor->Bitmap(), 2, 0), static_cast<uint32_t>(velquor->Mcf().GetColor(2)));
}

TEST_F(VelquorTest, RefusesSizesBelowOne)
{
    velquor->SetSize(10, 20);
    const std::tuple<int, int, const char*> cases[] = {
        {0, 5, "Size Error X(0)"}, {5, -1, "Size Error Y(-1)"}, {0, 0, "Size Error X(0)"}, {-3, 9, "Size Error X(-3)"}};
    for (const auto& [w, h, message] : cases) {
        try {
            velquor->SetSize(w, h);
            ADD_FAILURE() << w << "x" << h;
        } catch (const ERangeError& e) {
            EXPECT_EQ(e.Message(), message);
        }
        EXPECT_EQ(velquor->Width(), 10);
        EXPECT_EQ(velquor->Height(), 20);
    }
}

TEST_F(VelquorTest, FailedDrawingsKeepTheMessageAndMakeNoCopy)
{
    TempDir dir;
    const std::string one = dir.Write("one.mcf", "FF0000\n");
    const std::string none = dir.Write("none.mcf", "* nothing\n");
    struct Case {
        std::function<void(TVelquor&)> breakIt;
        const char* message;
    };
    const Case cases[] = {
        {[&](TVelquor& v) { v.LoadPalette(one); }, "ゼロによる除算"},
        {[&](TVelquor& v) { v.LoadPalette(none); }, "パレットの範囲を越えています。最大[-1] 指定[1]"},
        {[](TVelquor& v) { v.SetColorChange(1e300); }, "不正な浮動小数点数演算命令"},
        {[](TVelquor& v) {
             v.Incremental = {1e4930L, 1};
         },
         "浮動小数点数のオーバーフロー"},
        {[](TVelquor& v) {
             v.Incremental = {1e308L, 1};
         },
         "浮動小数点数のオーバーフロー"}, // too large for a double
    };
    for (const auto& c : cases) {
        Size(20, 10);
        c.breakIt(*velquor);
        const int copies = velquor->CopyCount();
        Draw();
        EXPECT_EQ(velquor->ErrorMessage(), c.message);
        EXPECT_EQ(velquor->CopyCount(), copies);
        EXPECT_TRUE(CanvasUntouched());

        // Repaired, the same object draws again and forgets the failure.
        velquor->Mcf().SetDefault();
        velquor->SetColorChange(1);
        velquor->Incremental = {1, 1};
        Draw();
        EXPECT_EQ(velquor->ErrorMessage(), "");
        EXPECT_EQ(velquor->CopyCount(), copies + 1);
        EXPECT_TRUE(CanvasShowsBitmap());
    }
}

TEST_F(VelquorTest, AFailureLowerDownKeepsTheRowsAboveIt)
{
    Size(10, 100);
    velquor->SetFormula(TFormulaBox::GetFormula(3)); // x + y
    velquor->Incremental = {1, 1e17L};
    velquor->Center = {0, 50e17L}; // row r lies at y = r * 1e17; from row 93 on beyond 2^63
    Draw();
    EXPECT_EQ(velquor->ErrorMessage(), "不正な浮動小数点数演算命令");
    EXPECT_EQ(velquor->FinishedRows(), 93);
    EXPECT_NE(PixelAt(velquor->Bitmap(), 0, 92), 0u);
}

// A point move that fails at rows 3 and 40 and dawdles at row 1, so on
// several threads row 40 fails long before row 3 is reached.
class TwoFailuresMove final : public TPointMove {
public:
    long double GetX(int32_t x, int32_t y) const override
    {
        if (x == 0 && y == 1) std::this_thread::sleep_for(std::chrono::milliseconds(100));
        if (x == 0 && y == 3) throw ERangeError("row 3");
        if (x == 0 && y == 40) throw ERangeError("row 40");
        return x;
    }
    long double GetY(int32_t, int32_t y) const override { return y; }
};

// Whichever thread meets its failure first, the drawing reports the one a
// single thread would have met first, and every row above it is finished.
TEST_F(VelquorTest, TheTopmostFailureWinsOnEveryNumberOfThreads)
{
    for (int threads : {1, 2, 4}) {
        Size(10, 64);
        velquor->SetPointMove(std::make_unique<TwoFailuresMove>());
        velquor->SetTuning({threads, TPainterKind::Fastest});
        Draw();
        EXPECT_EQ(velquor->ErrorMessage(), "row 3") << threads;
        EXPECT_EQ(velquor->FinishedRows(), 3) << threads;
    }
}

TEST_F(VelquorTest, DrawsAgainAfterTheFailingPaletteIsReplaced)
{
    TempDir dir;
    Size(8, 8);
    velquor->LoadPalette(dir.Write("one.mcf", "FF0000\n"));
    Draw();
    ASSERT_EQ(velquor->ErrorMessage(), "ゼロによる除算");
    velquor->LoadPalette(dir.Write("two.mcf", "000000\n00FF00\n"));
    EXPECT_EQ(velquor->GetPaletteName(), "two");
    Draw();
    EXPECT_EQ(velquor->ErrorMessage(), "");
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) ASSERT_EQ(PixelAt(velquor->Bitmap(), x, y), 0x00FF00u); // always entry 1
}

TEST_F(VelquorTest, ShadeOffBlursOnlyAFinishedImage)
{
    Size(30, 20);
    velquor->Center = {4.5L, -3};
    Draw();
    TBitmap24 expected = velquor->Bitmap();
    ApplyShadeOff(expected);
    velquor->ShadeOff = true;
    Draw();
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 30; ++x) ASSERT_EQ(PixelAt(velquor->Bitmap(), x, y), PixelAt(expected, x, y));
    EXPECT_TRUE(CanvasShowsBitmap());
}

// Stop and Terminate both end a drawing after the row during which they came.
TEST_F(VelquorTest, StopsAfterTheCurrentRowWithoutShadeOffOrFinalCopy)
{
    for (bool terminate : {false, true}) {
        auto v = std::make_unique<TVelquor>(true, &canvas);
        ASSERT_TRUE(v->Suspended());
        v->SetSize(50, 40);
        canvas.SetSize(50, 40);
        v->Center = {2, 7};
        v->Resume();
        v->WaitUntilSuspended();
        const TBitmap24 plain = v->Bitmap();

        auto move = std::make_unique<HookedMove>();
        TVelquor* raw = v.get();
        move->onRow = [raw, terminate](int32_t row) {
            if (row == 5) terminate ? raw->Terminate() : raw->Stop();
        };
        v->SetPointMove(std::move(move));
        v->ShadeOff = true;
        std::atomic<int> finalCopies{0};
        v->SetSynchronizer([&](const std::function<void()>& method) {
            if (raw->FinishedRows() == 40) ++finalCopies;
            method();
        });
        v->Resume();
        v->WaitUntilSuspended();
        EXPECT_TRUE(v->Suspended()) << terminate;
        // Row 5 is finished; a row other threads were drawing meanwhile may be too.
        const int threads = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
        EXPECT_GE(v->FinishedRows(), 6) << terminate;
        EXPECT_LE(v->FinishedRows(), 5 + threads) << terminate;
        EXPECT_LT(v->FinishedRows(), 40) << terminate;
        EXPECT_EQ(v->ErrorMessage(), "");
        EXPECT_EQ(finalCopies.load(), 0);
        for (int y = 0; y < 6; ++y)
            for (int x = 0; x < 50; ++x) ASSERT_EQ(PixelAt(v->Bitmap(), x, y), PixelAt(plain, x, y)); // not blurred
        EXPECT_EQ(v->Terminated(), terminate);
    }
}

TEST_F(VelquorTest, StopRightAfterResumeIsNotLost)
{
    // Far more rows than can be drawn between the two calls.
    Size(4, 200000);
    velquor->Resume();
    velquor->Stop();
    velquor->WaitUntilSuspended();
    EXPECT_LT(velquor->FinishedRows(), 200000);
    EXPECT_GE(velquor->FinishedRows(), 1);
    EXPECT_EQ(velquor->CopyCount(), 0);
    EXPECT_FALSE(velquor->Busy());
}

TEST_F(VelquorTest, ResumeRightAfterSuspendedIsNeverLost)
{
    Size(8, 8);
    for (int i = 0; i < 200; ++i) {
        velquor->Resume();
        velquor->WaitUntilSuspended();
    }
    EXPECT_EQ(velquor->CopyCount(), 200);
    EXPECT_EQ(velquor->FinishedRows(), 8);
}

TEST_F(VelquorTest, NotSuspendedFromResumeUntilTheDrawingEnds)
{
    Size(8, 8);
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    InstallHookedMove()->onRow = [released](int32_t row) {
        if (row == 0) released.wait();
    };
    velquor->Resume();
    EXPECT_FALSE(velquor->Suspended());
    EXPECT_TRUE(velquor->Busy());
    release.set_value();
    velquor->WaitUntilSuspended();
    EXPECT_TRUE(velquor->Suspended());
    EXPECT_FALSE(velquor->Busy());
    EXPECT_EQ(velquor->FinishedRows(), 8);
}

TEST_F(VelquorTest, ResumeWhileDrawingIsIgnored)
{
    Size(10, 30);
    HookedMove* move = InstallHookedMove();
    move->onRow = [this](int32_t row) {
        if (row == 3) velquor->Resume();
    };
    Draw();
    EXPECT_TRUE(velquor->Suspended());
    EXPECT_EQ(velquor->CopyCount(), 1);
}

TEST_F(VelquorTest, AShortDrawingMakesExactlyOneCopy)
{
    Size(50, 50);
    Draw();
    EXPECT_EQ(velquor->CopyCount(), 1);
    EXPECT_TRUE(CanvasShowsBitmap());
}

TEST_F(VelquorTest, ALongDrawingAlsoMakesProgressCopies)
{
    const int threads = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    const int rows = 150 * threads;
    Size(20, rows);
    InstallHookedMove()->delay = std::chrono::milliseconds(3); // at least 450 ms in all
    Draw();
    EXPECT_GE(velquor->CopyCount(), 2);
    EXPECT_LE(velquor->CopyCount(), rows + 1);
    EXPECT_TRUE(CanvasShowsBitmap());
}

TEST_F(VelquorTest, WithoutATargetNothingIsCopied)
{
    TVelquor v(false, nullptr);
    v.WaitUntilSuspended();
    v.SetSize(16, 16);
    v.Resume();
    v.WaitUntilSuspended();
    EXPECT_EQ(v.ErrorMessage(), "");
    EXPECT_EQ(v.CopyCount(), 0);
    EXPECT_EQ(v.Bitmap().Width(), 16);
}

// The copies run where the synchroniser sends them: here a queue served by
// the test's own thread, as a window's event loop would serve it.
TEST_F(VelquorTest, CopiesRunThroughTheSynchroniser)
{
    std::mutex m;
    std::condition_variable cv;
    std::deque<std::function<void()>> queue;
    velquor->SetSynchronizer([&](const std::function<void()>& method) {
        std::promise<void> done;
        {
            std::lock_guard<std::mutex> lock(m);
            queue.push_back([&] {
                method();
                done.set_value();
            });
        }
        cv.notify_one();
        done.get_future().wait();
    });
    Size(20, 100 * static_cast<int>(std::max(1u, std::thread::hardware_concurrency())));
    InstallHookedMove()->delay = std::chrono::milliseconds(4); // at least 400 ms in all
    const std::thread::id self = std::this_thread::get_id();
    int served = 0;
    bool allHere = true;
    bool unfinishedCopied = false;
    velquor->Resume();
    while (!velquor->Suspended()) {
        std::unique_lock<std::mutex> lock(m);
        cv.wait_for(lock, std::chrono::milliseconds(5), [&] { return !queue.empty(); });
        while (!queue.empty()) {
            auto task = std::move(queue.front());
            queue.pop_front();
            lock.unlock();
            allHere = allHere && std::this_thread::get_id() == self;
            task();
            ++served;
            // The worker waits for us, so the count of finished rows holds
            // still: the first unfinished row has not been copied.
            const int finished = velquor->FinishedRows();
            if (finished < canvas.Height())
                for (int x = 0; x < canvas.Width(); ++x)
                    unfinishedCopied = unfinishedCopied || PixelAt(canvas, x, finished) != kMarker;
            lock.lock();
        }
    }
    EXPECT_TRUE(allHere);
    EXPECT_FALSE(unfinishedCopied);
    EXPECT_GE(served, 2); // progress and final
    EXPECT_EQ(velquor->CopyCount(), served);
    EXPECT_TRUE(CanvasShowsBitmap());
}

// Each progress copy moves the rows finished since the copy before; the final
// copy the rest, or after a blur the whole picture. CopiedRows() names them.
TEST_F(VelquorTest, ProgressCopiesMoveOnlyTheRowsFinishedSinceTheLastCopy)
{
    for (bool blur : {false, true}) {
        std::vector<TRowRange> ranges;
        bool rowsMatched = true;
        velquor->SetSynchronizer([&](const std::function<void()>& method) {
            method();
            const TRowRange r = velquor->CopiedRows();
            ranges.push_back(r);
            // The worker waits for us: every row copied so far is final.
            for (int y = 0; y < r.last; ++y)
                for (int x = 0; x < canvas.Width(); ++x)
                    rowsMatched = rowsMatched && PixelAt(canvas, x, y) == PixelAt(velquor->Bitmap(), x, y);
        });
        const int rows = 100 * static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
        Size(20, rows);
        InstallHookedMove()->delay = std::chrono::milliseconds(4); // at least 400 ms in all
        velquor->ShadeOff = blur;
        Draw();
        ASSERT_GE(ranges.size(), 2u) << blur;
        EXPECT_TRUE(rowsMatched) << blur;
        EXPECT_EQ(ranges.front().first, 0) << blur;
        for (size_t i = 1; i + 1 < ranges.size(); ++i) {
            EXPECT_EQ(ranges[i].first, ranges[i - 1].last) << blur << ", copy " << i;
            EXPECT_LT(ranges[i].first, ranges[i].last) << blur << ", copy " << i;
        }
        const TRowRange final = ranges.back();
        EXPECT_EQ(final.first, blur ? 0 : ranges[ranges.size() - 2].last) << blur;
        EXPECT_EQ(final.last, rows) << blur;
        EXPECT_EQ(velquor->CopiedRows(), final);
        EXPECT_TRUE(CanvasShowsBitmap()) << blur;
        velquor->SetPointMove(TPointMoveBox::GetPointMove(0));
    }
}

TEST_F(VelquorTest, DrawingIntoTheCanvasNeedsNoSecondBitmapAndNoCopies)
{
    for (bool blur : {false, true}) {
        Size(45, 31);
        velquor->Center = {2.5L, -7};
        velquor->Incremental = {0.3L, 0.4L};
        velquor->ShadeOff = blur;
        Draw();
        const TBitmap24 copied = velquor->Bitmap();

        TBitmap24 target(45, 31);
        TVelquor direct(false, &target, TCanvasUse::DrawInto);
        direct.WaitUntilSuspended();
        direct.SetSize(45, 31);
        direct.Center = velquor->Center;
        direct.Incremental = velquor->Incremental;
        direct.ShadeOff = blur;
        direct.Resume();
        direct.WaitUntilSuspended();
        EXPECT_EQ(direct.ErrorMessage(), "");
        EXPECT_EQ(&direct.Bitmap(), &target);
        EXPECT_EQ(direct.CopyCount(), 0);
        EXPECT_TRUE(SamePixels(target, copied)) << blur;
    }
}

// Threads and painters change the speed only: the same picture, blurred or not.
TEST_F(VelquorTest, TuningChangesNothingButTheSpeed)
{
    const TPointMoveParam param{1.5L, 0.2L, -2, 0.1L};
    for (int move : {0, 1, 2}) {
        Size(57, 23);
        velquor->Center = {0.25L, 0};
        velquor->Incremental = {0.5L, 0.5L};
        velquor->SetColorChange(0.5);
        auto pm = TPointMoveBox::GetPointMove(move);
        pm->SetParam(param);
        velquor->SetPointMove(std::move(pm));
        velquor->ShadeOff = move == 1;
        velquor->SetTuning({1, TPainterKind::PerPixel});
        Draw();
        const TBitmap24 plain = velquor->Bitmap();
        for (int threads : {1, 2, 3, 0})
            for (TPainterKind kind : {TPainterKind::Fastest, TPainterKind::Portable, TPainterKind::PerPixel}) {
                velquor->SetTuning({threads, kind});
                Draw();
                EXPECT_EQ(velquor->ErrorMessage(), "");
                EXPECT_TRUE(SamePixels(velquor->Bitmap(), plain))
                    << "point move " << move << ", " << threads << " threads, painter " << static_cast<int>(kind);
            }
    }
}

TEST(VelquorLife, DestroyingDuringALargeDrawingReturns)
{
    std::promise<void> started;
    std::atomic<int> lastRow{-1};
    std::once_flag once;
    {
        auto v = std::make_unique<TVelquor>(false, nullptr);
        v->WaitUntilSuspended();
        v->SetSize(400, 4000);
        auto move = std::make_unique<HookedMove>();
        move->delay = std::chrono::milliseconds(1); // four seconds at the least to finish
        move->onRow = [&](int32_t row) {
            lastRow = row;
            std::call_once(once, [&] { started.set_value(); });
        };
        v->SetPointMove(std::move(move));
        v->Resume();
        started.get_future().wait();
        v.reset();
    }
    EXPECT_LT(lastRow.load(), 3999);
}

// Copies queued for the test's own thread, as a window's event loop would
// queue them; nothing runs them unless the test does.
struct CopyQueue {
    std::mutex mutex;
    std::deque<std::function<void()>> copies;

    TVelquor::Synchronizer Synchronizer()
    {
        return [this](std::function<void()> copy) {
            std::lock_guard<std::mutex> lock(mutex);
            copies.push_back(std::move(copy));
        };
    }
    size_t Size()
    {
        std::lock_guard<std::mutex> lock(mutex);
        return copies.size();
    }
    void RunAll()
    {
        std::deque<std::function<void()>> taken;
        {
            std::lock_guard<std::mutex> lock(mutex);
            taken.swap(copies);
        }
        for (auto& copy : taken) copy();
    }
};

// Ends the test program if what it guards does not finish in time, so a
// deadlock fails with a message instead of hanging the run.
class Watchdog {
public:
    explicit Watchdog(const char* what)
        : thread_([this, what] {
              std::unique_lock<std::mutex> lock(mutex_);
              if (!done_.wait_for(lock, std::chrono::seconds(30), [this] { return finished_; })) {
                  std::fprintf(stderr, "deadlock: %s did not return\n", what);
                  std::abort();
              }
          })
    {}
    ~Watchdog()
    {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            finished_ = true;
        }
        done_.notify_all();
        thread_.join();
    }

private:
    std::mutex mutex_;
    std::condition_variable done_;
    bool finished_ = false;
    std::thread thread_;
};

// The thread that serves the copies destroys the renderer while the worker
// waits for one of them: the renderer abandons the copy instead of waiting
// for a thread that will never run it, and the copy run late does nothing.
TEST(VelquorLife, DestroyedOnTheCopyingThreadDuringADrawingReturns)
{
    TBitmap24 canvas(50, 2000);
    for (int y = 0; y < canvas.Height(); ++y)
        for (int x = 0; x < canvas.Width(); ++x) SetPixelAt(canvas, x, y, kMarker);
    CopyQueue queue;
    auto v = std::make_unique<TVelquor>(false, &canvas);
    v->WaitUntilSuspended();
    v->SetSize(50, 2000);
    v->SetSynchronizer(queue.Synchronizer());
    auto move = std::make_unique<HookedMove>();
    move->delay = std::chrono::milliseconds(1); // two seconds and more in all
    v->SetPointMove(std::move(move));
    v->Resume();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (queue.Size() == 0 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    ASSERT_EQ(queue.Size(), 1u) << "the worker waits for its first progress copy";
    {
        Watchdog watchdog("destroying the renderer");
        v.reset();
    }
    queue.RunAll();
    for (int y = 0; y < canvas.Height(); ++y)
        for (int x = 0; x < canvas.Width(); ++x) ASSERT_EQ(PixelAt(canvas, x, y), kMarker);
}

TEST(VelquorLife, ResumedAfterTerminateTheWorkerEnds)
{
    TVelquor v(false, nullptr);
    v.WaitUntilSuspended();
    v.SetSize(4, 4);
    v.Terminate();
    EXPECT_FALSE(v.Ended());
    v.Resume();
    v.WaitUntilSuspended(); // returns because the worker has left its loop
    EXPECT_FALSE(v.Suspended());
    EXPECT_TRUE(v.Ended());
    EXPECT_EQ(v.FinishedRows(), 0);
    v.Resume(); // nothing left to wake
}

} // namespace
