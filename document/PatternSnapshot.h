// Everything that makes the pattern, as one value: what undo and redo bring
// back. The palette is kept by its file (empty for the built-in one).
#pragma once

#include "engine/UFloatPoint.h"
#include "engine/UPointMove.h"

#include <cstdint>
#include <string>

struct TPatternSnapshot {
    int32_t FormulaType = 1;
    std::string FormulaName = "0";
    int32_t PointMoveType = 0;
    TPointMoveParam PointMoveParam;
    TFloatPoint Center;
    TFloatPoint Incremental;
    int32_t Width = 0;
    int32_t Height = 0;
    double ColorChange = 1.0;
    bool ShadeOff = false;
    std::string PaletteFile;
};

// True when both draw the same picture. Reals compare by value and sign, and
// two NaNs count as the same, so a pattern always equals itself.
bool SamePattern(const TPatternSnapshot& a, const TPatternSnapshot& b);
