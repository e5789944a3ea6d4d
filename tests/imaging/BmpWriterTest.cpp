// The BMP layout shared by the image save and the wallpaper file.
#include "imaging/BmpWriter.h"
#include "common/Exceptions.h"
#include "tests/imaging/ImagingTestSupport.h"
#include "tests/support/Files.h"
#include "tests/support/Pictures.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

Bytes BmpBytes(const TBitmap24& bitmap)
{
    std::ostringstream out;
    WriteBmp(bitmap, out);
    const std::string s = out.str();
    return Bytes(s.begin(), s.end());
}

uint32_t LittleEndian(const Bytes& b, size_t offset, int bytes)
{
    uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i) value = value << 8 | b.at(offset + i);
    return value;
}

TEST(BmpWriter, OnePixelGivesFiftyEightBytes)
{
    TBitmap24 bitmap(1, 1);
    SetPixelAt(bitmap, 0, 0, 0x000A141E); // red 1E, green 14, blue 0A
    const Bytes expected = {
        'B',  'M',  58,   0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,                                // file header
        40,   0,    0,    0, 1, 0, 0, 0, 1, 0, 0,  0, 1, 0, 24, 0, 0, 0, 0, 0, 4, 0, 0, 0, // info header ...
        0,    0,    0,    0, 0, 0, 0, 0, 0, 0, 0,  0, 0, 0, 0,  0,                         // resolutions, colours
        0x0A, 0x14, 0x1E, 0,                                                               // blue, green, red, padding
    };
    EXPECT_EQ(BmpBytes(bitmap), expected);
}

TEST(BmpWriter, RowsRunBottomUpPaddedWithZeros)
{
    // Small pictures, one that fills the writer's buffer several times, and
    // one whose single row is larger than that buffer.
    const std::pair<int, int> sizes[] = {{1, 3}, {2, 3}, {3, 3}, {4, 3}, {5, 3}, {701, 1500}, {400001, 2}};
    for (const auto& [width, height] : sizes) {
        SCOPED_TRACE(testing::Message() << width << " x " << height);
        TBitmap24 bitmap = NoisePicture(width, height, static_cast<uint32_t>(width));
        // Whatever the bitmap keeps in its own padding must not reach the file
        // (rows with clean padding go out as they are).
        for (int y = 0; y < height; y += 2)
            for (size_t i = static_cast<size_t>(width) * 3; i < bitmap.Stride(); ++i) bitmap.Row(y)[i] = 0xEE;
        const Bytes file = BmpBytes(bitmap);
        const size_t stride = (static_cast<size_t>(width) * 3 + 3) / 4 * 4;
        ASSERT_EQ(file.size(), 54 + stride * height);
        EXPECT_EQ(LittleEndian(file, 2, 4), file.size());
        EXPECT_EQ(LittleEndian(file, 18, 4), static_cast<uint32_t>(width));
        EXPECT_EQ(LittleEndian(file, 22, 4), static_cast<uint32_t>(height));
        EXPECT_EQ(LittleEndian(file, 34, 4), stride * height);
        for (int y = 0; y < height; ++y) {
            const uint8_t* row = file.data() + 54 + (height - 1 - y) * stride;
            EXPECT_TRUE(std::equal(row, row + width * 3, bitmap.Row(y))) << "row " << y;
            for (size_t i = static_cast<size_t>(width) * 3; i < stride; ++i) EXPECT_EQ(row[i], 0);
        }
    }
}

TEST(BmpWriter, SaveReplacesAFileAndReportsOneItCannotCreate)
{
    TempDir dir;
    const std::string path = dir / "picture.bmp";
    WriteBytes(path, "an older and longer file than the new picture, replaced without a question");
    const TBitmap24 bitmap = NoisePicture(2, 2, 21);
    SaveBmpFile(bitmap, path);
    EXPECT_EQ(AsBytes(ReadBytes(path)), BmpBytes(bitmap));

    const std::string missing = dir / "no/such/folder.bmp";
    try {
        SaveBmpFile(bitmap, missing);
        ADD_FAILURE() << "saved into a missing folder";
    } catch (const EFOpenError& e) {
        EXPECT_EQ(e.Message(), "ファイル '" + missing + "' を作成できません。フォルダーがありません。");
    }
}

} // namespace
