// The five point moves (coordinate transforms) that move a pixel position
// before it is mapped onto the plane, and their catalogue.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

// The four parameters a, b, c, d.
struct TPointMoveParam {
    long double a = 0;
    long double b = 0;
    long double c = 0;
    long double d = 0;
    bool operator==(const TPointMoveParam&) const = default;
};

class TPointMove {
public:
    virtual ~TPointMove() = default;
    TPointMoveParam Param;
    int32_t Width = 0;
    int32_t Height = 0;

    virtual long double GetX(int32_t x, int32_t y) const = 0;
    virtual long double GetY(int32_t x, int32_t y) const = 0;

    void SetParam(const TPointMoveParam& param) { Param = param; }
    void SetSize(int32_t width, int32_t height)
    {
        Width = width;
        Height = height;
    }
};

class TPM_0 final : public TPointMove {
public:
    long double GetX(int32_t x, int32_t y) const override;
    long double GetY(int32_t x, int32_t y) const override;
};
class TPM_1 final : public TPointMove {
public:
    long double GetX(int32_t x, int32_t y) const override;
    long double GetY(int32_t x, int32_t y) const override;
};
class TPM_2 final : public TPointMove {
public:
    long double GetX(int32_t x, int32_t y) const override;
    long double GetY(int32_t x, int32_t y) const override;
};
class TPM_3 final : public TPointMove {
public:
    long double GetX(int32_t x, int32_t y) const override;
    long double GetY(int32_t x, int32_t y) const override;
};
class TPM_4 final : public TPointMove {
public:
    long double GetX(int32_t x, int32_t y) const override;
    long double GetY(int32_t x, int32_t y) const override;
};

class TPointMoveBox {
public:
    // A new point move of type index (0..4), all fields zero; otherwise
    // ERangeError "No Exist PointMove: PointMove[%d]".
    static std::unique_ptr<TPointMove> GetPointMove(int32_t index);
    // "No Exist Point Move Name: GetPointMoveName[%d]" outside 0..4.
    static std::string GetPointMoveName(int32_t index);
    static int32_t PointMoveCount() { return 5; }
};
