#include "tests/support/Pictures.h"

#include "tests/support/WaitingHost.h"

#include <cstring>
#include <random>
#include <stdexcept>

Bytes ToRgb(const TBitmap24& bitmap)
{
    Bytes rgb(static_cast<size_t>(bitmap.Width()) * bitmap.Height() * 3);
    uint8_t* out = rgb.data();
    for (int y = 0; y < bitmap.Height(); ++y) {
        const uint8_t* p = bitmap.Row(y);
        for (int x = 0; x < bitmap.Width(); ++x, p += 3, out += 3) {
            out[0] = p[2];
            out[1] = p[1];
            out[2] = p[0];
        }
    }
    return rgb;
}

TBitmap24 NoisePicture(int width, int height, uint32_t seed)
{
    TBitmap24 bitmap(width, height);
    std::mt19937 random(seed);
    for (int y = 0; y < height; ++y) {
        uint8_t* p = bitmap.Row(y);
        for (int x = 0; x < width * 3; ++x) p[x] = static_cast<uint8_t>(random());
    }
    return bitmap;
}

TBitmap24 PatternPicture(int width, int height)
{
    TBitmap24 bitmap(width, height);
    for (int y = 0; y < height; ++y) {
        uint8_t* p = bitmap.Row(y);
        for (int x = 0; x < width; ++x, p += 3) {
            const long dx = x - width / 2, dy = y - height / 3;
            const long v = (dx * dx + dy * dy) / 37 + (x * y) / 101;
            p[0] = static_cast<uint8_t>(v);
            p[1] = static_cast<uint8_t>(v * 3 + y);
            p[2] = static_cast<uint8_t>(255 - v / 2);
        }
    }
    return bitmap;
}

TBitmap24 RenderedPicture(int width, int height)
{
    TWaitingHost host;
    TMainOperations ops(host, {});
    host.ops = &ops;
    ops.SelectFormula(1, "5");
    ops.SelectPointMove(2, TPointMoveParam{0.25L, 0, 0, 0});
    ops.SetArea(0, 0, 0.25L, 0.25L);
    ops.SetImageSize(width, height);
    host.StartDraw();
    if (!ops.Pattern().ErrorMessage().empty()) throw std::runtime_error(ops.Pattern().ErrorMessage());
    return ops.ImageBitmap();
}

bool SamePixels(const TBitmap24& a, const TBitmap24& b)
{
    if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
    for (int y = 0; y < a.Height(); ++y)
        if (std::memcmp(a.Row(y), b.Row(y), static_cast<size_t>(a.Width()) * 3) != 0) return false;
    return true;
}

uint32_t PixelAt(const TBitmap24& bitmap, int x, int y)
{
    const uint8_t* p = bitmap.Row(y) + static_cast<size_t>(x) * 3;
    return static_cast<uint32_t>(p[2]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[0]) << 16;
}

void SetPixelAt(TBitmap24& bitmap, int x, int y, uint32_t color)
{
    uint8_t* p = bitmap.Row(y) + static_cast<size_t>(x) * 3;
    p[0] = static_cast<uint8_t>(color >> 16);
    p[1] = static_cast<uint8_t>(color >> 8);
    p[2] = static_cast<uint8_t>(color);
}
