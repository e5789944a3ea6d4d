// The five point moves: identities, the rotation's landmarks, the linear and
// sine shifts, overflow, and the catalogue.
#include "engine/UPointMove.h"

#include "common/Exceptions.h"

#include <gtest/gtest.h>

namespace {

constexpr long double kHalfPi = 1.5707963267948966192313216916397514L;

std::unique_ptr<TPointMove> Make(int type, TPointMoveParam param = {}, int w = 400, int h = 400)
{
    auto pm = TPointMoveBox::GetPointMove(type);
    pm->SetParam(param);
    pm->SetSize(w, h);
    return pm;
}

TEST(PointMove, NewOnesHaveZeroFieldsAndActAsTheIdentity)
{
    for (int type = 0; type < TPointMoveBox::PointMoveCount(); ++type) {
        auto pm = TPointMoveBox::GetPointMove(type);
        EXPECT_EQ(pm->Param, TPointMoveParam{});
        EXPECT_EQ(pm->Width, 0);
        EXPECT_EQ(pm->Height, 0);
        if (type == 2) continue; // reads the size, see below
        for (auto [x, y] : {std::pair{7, 11}, std::pair{0, 0}, std::pair{-3, 9999}}) {
            EXPECT_EQ(pm->GetX(x, y), x) << type;
            EXPECT_EQ(pm->GetY(x, y), y) << type;
        }
    }
}

TEST(PointMove, ShiftsBySinesAndLinearTerms)
{
    auto pm1 = Make(1, {3, kHalfPi, -2, kHalfPi});
    EXPECT_NEAR(static_cast<double>(pm1->GetX(5, 1)), 8.0, 1e-15);   // 5 + 3 sin(pi/2)
    EXPECT_NEAR(static_cast<double>(pm1->GetY(3, 10)), 12.0, 1e-15); // 10 - 2 sin(3 pi/2)
    auto pm3 = Make(3, {0.5L, 2});
    EXPECT_EQ(pm3->GetX(4, 6), 7.0L);
    EXPECT_EQ(pm3->GetY(4, 6), 14.0L);
    auto pm4 = Make(4, {3, -kHalfPi, 2, kHalfPi});
    EXPECT_NEAR(static_cast<double>(pm4->GetX(5, 1)), 8.0, 1e-15); // abs(sin(-pi/2)) = 1
    EXPECT_NEAR(static_cast<double>(pm4->GetY(3, 10)), 12.0, 1e-15);
}

TEST(PointMoveRotation, KeepsTheCentreAndLandsWhereTheAngleSays)
{
    for (long double a : {0.0L, 0.25L, 1.0L, 3.7L}) {
        auto pm = Make(2, {a});
        EXPECT_EQ(pm->GetX(200, 200), 200.0L);
        EXPECT_EQ(pm->GetY(200, 200), 200.0L);
    }
    // Distance 100 from the centre: rho = 10, theta = 2 pi a.
    auto quarter = Make(2, {0.25L});
    EXPECT_EQ(quarter->GetX(300, 200), 200.0L);
    EXPECT_EQ(quarter->GetY(300, 200), 300.0L);
    auto full = Make(2, {1});
    EXPECT_EQ(full->GetX(300, 200), 300.0L);
    EXPECT_EQ(full->GetY(300, 200), 200.0L);
    // An odd width puts the centre at the truncated half.
    auto odd = Make(2, {0.7L}, 5, 7);
    EXPECT_EQ(odd->GetX(2, 3), 2.0L);
    EXPECT_EQ(odd->GetY(2, 3), 3.0L);
}

TEST(PointMoveRotation, ZeroAngleMapsEveryPixelToItselfAndResultsAreWhole)
{
    auto still = Make(2, {0}, 9, 6);
    auto turned = Make(2, {0.13L}, 9, 6);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 9; ++x) {
            EXPECT_EQ(still->GetX(x, y), x);
            EXPECT_EQ(still->GetY(x, y), y);
            const long double tx = turned->GetX(x, y);
            EXPECT_EQ(tx, static_cast<long double>(static_cast<long long>(tx)));
        }
}

TEST(PointMove, ProductsBeyondTheExtendedRangeFailAsOverflow)
{
    const long double huge = 1e4930L;
    struct Case {
        int type;
        TPointMoveParam param;
        bool onX;
    };
    const Case cases[] = {
        {3, {huge, 0}, true},        // a * y
        {3, {0, huge}, false},       // b * x
        {1, {1, huge, 0, 0}, true},  // b * y inside the sine, not a quiet 0
        {4, {0, 0, 1, huge}, false}, // d * x inside the sine
        {2, {huge * 10}, true},      // the angle beyond the extended range
        {2, {1e400L}, false},        // the angle beyond the double range
    };
    for (const auto& c : cases) {
        auto pm = Make(c.type, c.param);
        try {
            if (c.onX) pm->GetX(300, 9999);
            else pm->GetY(9999, 300);
            ADD_FAILURE() << "type " << c.type;
        } catch (const EOverflow& e) {
            EXPECT_EQ(e.Message(), "浮動小数点数のオーバーフロー");
        }
    }
}

TEST(PointMoveBox, NamesAndUnknownTypeNumbers)
{
    ASSERT_EQ(TPointMoveBox::PointMoveCount(), 5);
    const char* names[] = {
        "x := x, y := y",
        "x := x + a*sin(b*y), y := y + c*sin(d*x)",
        "x := 回転(a), y := 回転(a)",
        "x := x + a*y, y := y + b*x",
        "x := x + a*abs(sin(b*y)), y := y + c*abs(sin(d*x))",
    };
    for (int i = 0; i < 5; ++i) EXPECT_EQ(TPointMoveBox::GetPointMoveName(i), names[i]);
    for (int index : {5, -1}) {
        try {
            TPointMoveBox::GetPointMove(index);
            ADD_FAILURE() << index;
        } catch (const ERangeError& e) {
            EXPECT_EQ(e.Message(), "No Exist PointMove: PointMove[" + std::to_string(index) + "]");
        }
        try {
            TPointMoveBox::GetPointMoveName(index);
            ADD_FAILURE() << index;
        } catch (const ERangeError& e) {
            EXPECT_EQ(e.Message(), "No Exist Point Move Name: GetPointMoveName[" + std::to_string(index) + "]");
        }
    }
}

} // namespace
