// Everything that makes the pattern, as one value: what undo and redo bring
// back. The palette is kept itself, colours, name and text, so an edited or
// deleted file does not change the past; snapshots of the same palette share
// one copy.
#pragma once

#include "engine/UFloatPoint.h"
#include "engine/UPointMove.h"
#include "palette/UMcf.h"

#include <cstdint>
#include <memory>
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
    std::shared_ptr<const TMcf> Palette; // null: none recorded
    int32_t PaletteOffset = 0;
};

// Same colours (entries 0..High), name, text and origin.
bool SamePalette(const TMcf& a, const TMcf& b);

// The pattern the program starts with: formula 0, centre (0, 0), increment
// (1, 1), 400 x 400, colour change 1, point move 0, the built-in palette, no
// blur.
TPatternSnapshot StartupPattern();

// True when both draw the same picture. Reals compare by value and sign, and
// two NaNs count as the same, so a pattern always equals itself.
bool SamePattern(const TPatternSnapshot& a, const TPatternSnapshot& b);
