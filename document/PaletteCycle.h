// Colour cycling without redrawing: the pattern is drawn once more, on a
// renderer of its own, with a palette whose entry i is the colour value i,
// so each pixel of that picture names the palette entry it took. Every step
// of the cycle then only looks the entries up in the palette turned by the
// offset (and blurs when the pattern does), which gives exactly the bytes a
// drawing with that offset gives, at a small part of a drawing's cost.
#pragma once

#include "bitmap/Bitmap24.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TMainOperations;
class TMcf;

class TPaletteCycle {
public:
    // Starts drawing the entry picture of ops' pattern at once; ops' own
    // renderer is not touched and may draw meanwhile. The palette and the
    // blur switch are taken now.
    explicit TPaletteCycle(const TMainOperations& ops);
    ~TPaletteCycle();
    TPaletteCycle(const TPaletteCycle&) = delete;
    TPaletteCycle& operator=(const TPaletteCycle&) = delete;

    // True once the entry picture is drawn (or failed: see Error).
    bool Ready() const;
    // Blocks until Ready (tests and benchmarks).
    void Wait() const;
    // The drawing's message when the entry picture could not be drawn.
    std::string Error() const;

    // The picture with palette offset o into target, which must have the
    // pattern's size; only once Ready without an error.
    void Paint(int32_t offset, TBitmap24& target) const;

    // Entry i of a palette with offset o as a drawing picks it: 1 + ((i - 1
    // + o) mod high) for i in 1..high, o taken modulo high and never
    // negative; any other i as it is.
    static int32_t OffsetEntry(int32_t i, int32_t offset, int32_t high);

private:
    class THost;
    std::unique_ptr<THost> host_;
    std::unique_ptr<TMainOperations> ops_;
    // Entry i's pixel bytes as blue | green << 8 | red << 16.
    std::vector<uint32_t> entries_;
    // The table of the last step, kept so a step allocates nothing.
    mutable std::vector<uint32_t> turned_;
    bool shadeOff_ = false;
    std::string refusal_;
    static constexpr int32_t kMostEntries = int32_t{1} << 24;
};
