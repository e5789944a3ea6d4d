// A palette as the lines of its MCF text, for editing: each line that adds
// colours is a segment (one colour, a #GRAD gradient or a #LINE ramp), and
// the lines that add none (comments, blank lines, ignored keywords) travel
// with the segment after them. Writing the text back keeps every generator a
// generator, and a line whose values were not changed exactly as it was
// written, so the file stays one a person can edit by hand.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

enum class TSegmentKind { Color, Gradient, Ramp };

// One channel of a ramp: (base + nearest(i * step)) mod 256, negative
// remainders giving 0, as the loader computes it.
struct TRampChannel {
    int32_t base = 0;
    double step = 0;
};

struct TPaletteSegment {
    TSegmentKind kind = TSegmentKind::Color;
    // Color: the colour (0x00BBGGRR). Gradient: the start colour.
    int32_t color = 0;
    // Gradient: the end colour, which the gradient itself does not add.
    int32_t endColor = 0;
    // Gradient and ramp: how many colours they add (none when below 1).
    int32_t count = 1;
    TRampChannel red, green, blue; // ramp
    // Colour line: whatever followed the six digits (a remark), kept.
    std::string remark;
    // Lines adding no colour that stood right before this one.
    std::vector<std::string> before;
    // The line as read; written again as long as its values are unchanged.
    std::string source;

    static TPaletteSegment Single(int32_t color);
    static TPaletteSegment Gradient(int32_t start, int32_t end, int32_t count);
    static TPaletteSegment Ramp(TRampChannel red, TRampChannel green, TRampChannel blue, int32_t count);
};

// The values that decide a segment's colours are equal (lines around it,
// remark and source aside).
bool SameColors(const TPaletteSegment& a, const TPaletteSegment& b);

// The MCF line of a segment's values, in the form the program writes.
std::string SegmentLine(const TPaletteSegment& segment);

class TPaletteLines {
public:
    // Reads MCF text; throws the loader's own messages ("%d行目の形式が不正
    // です。%s") for a text the loader refuses, so an editor never opens what
    // the program could not draw.
    static TPaletteLines Parse(const std::string& text);
    // One colour line per colour: a palette that came without lines of its
    // own (the built-in one).
    static TPaletteLines FromColors(const std::vector<int32_t>& colors);

    // Lines adding no colour before the first segment (the file's own
    // comments); they stay at the top whatever the edits.
    std::vector<std::string> header;
    std::vector<TPaletteSegment> segments;
    // Lines adding no colour after the last segment.
    std::vector<std::string> after;

    // The MCF text, one line per segment, lines ending in LF.
    std::string Text() const;
    // The colours the loader makes of Text(), in order. Throws the loader's
    // message when a segment's values make an invalid line (a gradient of
    // count 0).
    std::vector<int32_t> Colors() const;
    // The colours one segment adds, the loader's own computation.
    static std::vector<int32_t> SegmentColors(const TPaletteSegment& segment);

    // Writes Text() to path, replacing the file only once the new one is
    // complete; refuses (the loader's message) a text the loader would not
    // read back, and leaves the old file as it was on any failure.
    void SaveToFile(const std::string& path) const;

    // Edits; positions outside the list are ignored.
    void Insert(size_t at, TPaletteSegment segment);
    void Remove(size_t at);
    // Moves one segment (with its comments) to position to.
    void Move(size_t from, size_t to);
    // The segments in the opposite order, each with its comments.
    void Reverse();
};
