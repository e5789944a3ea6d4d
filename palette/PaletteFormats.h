// Palette files of other programs: Fractint maps (.map), GIMP palettes
// (.gpl) and GIMP gradients (.ggr), read into a TMcf; maps and GIMP palettes
// are also written from one.
//
// Every reader goes through the stream line by line (lines end at CR, LF or
// CR LF), so memory stays that of the palette. Its colours become entries
// 0, 1, 2 ... in file order, FileName the name given and Text the colours as
// MCF colour lines. A faulty line throws EConvertError
// "%d行目の形式が不正です。%s" with its number and text, as MCF does, and
// the palette stays as it was.
#pragma once

#include "palette/UMcf.h"

#include <istream>
#include <string>

// Lines of three decimal numbers 0..255 (blanks before and between them);
// whatever follows the third number is ignored; blank lines are skipped.
void LoadMapStream(TMcf& mcf, std::istream& in, const std::string& fileName);
// "GIMP Palette" on line 1; "Name:" and "Columns:" lines, "#" comments and
// blank lines; "R G B name" colour lines with numbers 0..255.
void LoadGplStream(TMcf& mcf, std::istream& in, const std::string& fileName);
// "GIMP Gradient", an optional "Name:" line, the segment count, then one
// line per segment: left, middle and right position, the two end colours as
// RGBA, the blending (0..5) and colouring (0..2) types, optionally the two
// end colour kinds (0..4). The segments must span 0..1 in order. The
// palette is 256 colours sampled at i / 255; the alpha has no effect.
void LoadGgrStream(TMcf& mcf, std::istream& in, const std::string& fileName);

// A Fractint map of entries 0..High, one "R G B" line each.
std::string MapText(const TMcf& mcf);
// A GIMP palette of entries 0..High named name (UTF-8), each colour named by
// its hexadecimal value.
std::string GplText(const TMcf& mcf, const std::string& name);
