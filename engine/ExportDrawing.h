// A picture of the pattern at any size, finer than the window's pixels if
// wished, drawn band by band so that its memory does not grow with its size.
//
// An export of W x H pixels at scale S is the pattern drawn about the same
// centre with the increments divided by S, its point move working in the
// export's own pixels with parameters that keep the continuous picture.
// With anti-aliasing K it is drawn at scale S * K on K W x K H pixels and
// every pixel is the linear-light mean of its K x K samples; the blur, when
// on, smooths the result. Scale 1 and anti-aliasing 1 at the pattern's own
// size give the renderer's picture byte for byte.
#pragma once

#include "bitmap/Bitmap24.h"
#include "engine/RowPainter.h"
#include "engine/UFloatPoint.h"
#include "engine/UFormula.h"
#include "engine/UPointMove.h"
#include "engine/UVelquor.h"
#include "palette/UMcf.h"

#include <functional>
#include <memory>
#include <vector>

struct TExportSize {
    static constexpr int kMaxSide = 65535;
    static constexpr int kMaxScale = 64;
    static constexpr int kMaxAntialias = 8;

    int width = 0;
    int height = 0;
    int scale = 1;
    int antialias = 1;
};

// Throws ERangeError with the user's message for a side outside 1..65535, a
// scale outside 1..64 or an anti-aliasing factor outside 1..8.
void CheckExportSize(const TExportSize& size);
// Scale times the pattern's size; ERangeError when a side passes 65535.
TExportSize DefaultExportSize(int patternWidth, int patternHeight, int scale, int antialias);

// The point move for a drawing `factor` times finer: moves 1 and 4 take a
// and c times the factor and b and d divided by it, the rotation a divided
// by its square root; moves 0 and 3 are unchanged.
std::unique_ptr<TPointMove> ScaledPointMove(const TPointMove& pointMove, int factor);
// A formula of the same kind and colour change, owned by the caller.
std::unique_ptr<TFormula> CopyFormula(const TFormula& formula);

// How rows come out: the bitmap's own blue, green, red top down; the same
// bottom up, as BMP files store them; or red, green, blue top down, as PNG
// files store them (drawn so, with the palette's channels swapped: every
// step after the palette treats the three channels alike).
enum class TExportRows { TopDownBgr, BottomUpBgr, TopDownRgb };

class TExportDrawing {
public:
    // Copies what it draws from the renderer (formula, point move, palette,
    // centre and increments), so the renderer may go on meanwhile. threads 0:
    // one per hardware thread. Throws ERangeError for a size CheckExportSize
    // refuses.
    TExportDrawing(const TVelquor& pattern, bool shadeOff, const TExportSize& size,
                   TExportRows rows = TExportRows::TopDownBgr, const TDrawTuning& tuning = {});
    ~TExportDrawing();
    TExportDrawing(const TExportDrawing&) = delete;
    TExportDrawing& operator=(const TExportDrawing&) = delete;

    int Width() const { return size_.width; }
    int Height() const { return size_.height; }
    int Threads() const { return threads_; }
    // Rows handed out so far.
    int RowsDone() const { return next_; }

    // Output rows per band that keep the drawing's buffers near `bytes`.
    int BandRows(size_t bytes) const;

    // Draws the next `count` rows (fewer at the end) and hands each finished
    // row to finish(j, pixels) for j = 0 .. count - 1 in the band, on the
    // drawing's threads, several at a time; pixels holds the three bytes of
    // Width() pixels in the order asked for. place, when given, names where
    // row j is to go (Width() * 3 bytes the caller owns): the row is drawn
    // there and finish sees that memory. A failure of the drawing is raised
    // with the message of the first failing row of the band; the rows of that
    // band are then not all handed out.
    using TRowSink = std::function<void(int j, const uint8_t* pixels)>;
    using TRowPlace = std::function<uint8_t*(int j)>;
    void NextBand(int count, const TRowSink& finish, const TRowPlace& place = {});

private:
    int PictureRow(int index) const { return bottomUp_ ? size_.height - 1 - index : index; }
    void DrawUnblurred(int index, uint8_t* out, std::vector<uint8_t>& samples) const;

    TExportSize size_;
    bool shadeOff_;
    bool bottomUp_;
    int threads_;
    std::unique_ptr<TFormula> formula_;
    std::unique_ptr<TPointMove> pointMove_;
    TMcf mcf_;
    std::unique_ptr<TRowPainter> painter_;
    // Unblurred output rows of the band; with the blur also the row before
    // it and the one after, the latter two kept for the next band.
    TBitmap24 rows_;
    int next_ = 0;
};
