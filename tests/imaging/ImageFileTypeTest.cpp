// Format and name of a saved image from the typed name and the dialog's filter.
#include "imaging/ImageFileType.h"
#include "common/Exceptions.h"
#include "tests/imaging/ImagingTestSupport.h"
#include "tests/support/Files.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

TEST(ImageFileType, TypedExtensionWinsOverFilterAndNamesAreCompleted)
{
    struct Case {
        const char* typed; // relative to the save folder
        int filter;
        TImageFileType type;
        const char* written;
    };
    const Case cases[] = {
        {"picture", 1, iftBmp, "picture.bmp"},
        {"picture", 2, iftPng, "picture.png"},
        {"picture.PNG", 1, iftPng, "picture.PNG"},
        {"picture.Bmp", 2, iftBmp, "picture.Bmp"},
        {"picture.jpg", 2, iftPng, "picture.jpg"},
        {"picture.jpg", 1, iftBmp, "picture.jpg"},
        {"my.images/picture", 1, iftBmp, "my.images/picture"},
        {"my.png/picture", 1, iftBmp, "my.png/picture"}, // a folder's full stop is no extension
        {"picture.", 2, iftPng, "picture."},
    };
    TempDir dir;
    std::filesystem::create_directory(dir / "my.images");
    std::filesystem::create_directory(dir / "my.png");
    const TBitmap24 bitmap = NoisePicture(3, 2, 31);
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.typed) + " filter " + std::to_string(c.filter));
        const std::string typed = dir / c.typed;
        EXPECT_EQ(GetFileType(typed, c.filter), c.type);
        EXPECT_EQ(AddImageExtension(typed, c.type), dir / c.written);
        EXPECT_EQ(SaveImageFile(bitmap, typed, c.filter), dir / c.written);
        const Bytes file = AsBytes(ReadBytes(dir / c.written));
        ASSERT_GE(file.size(), 8u);
        if (c.type == iftPng)
            EXPECT_EQ(Bytes(file.begin(), file.begin() + 8), (Bytes{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A}));
        else EXPECT_EQ(Bytes(file.begin(), file.begin() + 2), (Bytes{'B', 'M'}));
        std::filesystem::remove(dir / c.written);
    }
}

TEST(ImageFileType, BackslashSeparatesFoldersToo)
{
    EXPECT_EQ(GetFileType("C:\\my.png\\picture", 1), iftBmp);
    EXPECT_EQ(GetFileType("C:\\images\\picture.png", 1), iftPng);
}

TEST(ImageFileType, UnknownFilterIndexIsARangeErrorAndWritesNothing)
{
    TempDir dir;
    for (int index : {0, 3, -1}) {
        try {
            SaveImageFile(NoisePicture(1, 1, 1), dir / "picture", index);
            ADD_FAILURE() << "accepted filter " << index;
        } catch (const ERangeError& e) {
            EXPECT_EQ(e.Message(), "Invalid index number(" + std::to_string(index) + ") at GetFileType");
        }
    }
    EXPECT_TRUE(dir.Entries().empty());
    EXPECT_EQ(GetFileType("picture.png", 3), iftPng); // a typed extension needs no filter
}

} // namespace
