// The export as files: read back by independent readers, taller than the
// window allows, with and without the blur, failures and cancels that keep
// the old file.
#include "document/ImageExport.h"

#include "common/Exceptions.h"
#include "document/MainOperations.h"
#include "imaging/ImagingErrors.h"
#include "tests/support/Command.h"
#include "tests/support/Files.h"
#include "tests/support/Pictures.h"
#include "tests/support/TempDir.h"
#include "tests/support/WaitingHost.h"

#include <gtest/gtest.h>

namespace {

const char* const kPython = "/usr/bin/python3";
const char* const kPngCheck = "/usr/bin/pngcheck";

class ImageExportTest : public ::testing::Test {
protected:
    ImageExportTest() : ops_(host_, dir_.Path(), TCanvasUse::DrawInto) { host_.ops = &ops_; }

    // The renderer's picture of the current pattern at any size.
    TBitmap24 Drawn(int width, int height)
    {
        ops_.Pattern().SetSize(width, height);
        host_.StartDraw();
        EXPECT_EQ(ops_.Pattern().ErrorMessage(), "");
        return ops_.ImageBitmap();
    }

    // The pixels of a file as an independent decoder reads them.
    Bytes Decoded(const std::string& path, int width, int height)
    {
        const std::string script = "import sys\nfrom PIL import Image\n"
                                   "im = Image.open(sys.argv[1])\n"
                                   "print(im.format, im.mode, im.size[0], im.size[1])\n"
                                   "open(sys.argv[2], 'wb').write(im.tobytes())\n";
        const CommandResult r = RunCommand(RequireTool(kPython) + " -c " + ShellQuote(script) + " " +
                                           ShellQuote(path) + " " + ShellQuote(dir_ / "out.rgb"));
        EXPECT_EQ(r.exitCode, 0) << r.output;
        const std::string format = path.substr(path.size() - 3) == "png" ? "PNG" : "BMP";
        EXPECT_EQ(r.output, format + " RGB " + std::to_string(width) + " " + std::to_string(height) + "\n");
        const std::string bytes = ReadBytes(dir_ / "out.rgb");
        return Bytes(bytes.begin(), bytes.end());
    }

    void ExpectPngCheckAccepts(const std::string& path)
    {
        const CommandResult check = RunCommand(RequireTool(kPngCheck) + " -v " + ShellQuote(path));
        EXPECT_EQ(check.exitCode, 0) << check.output;
        EXPECT_NE(check.output.find("No errors detected"), std::string::npos) << check.output;
    }

    TExportOptions Options(TExportSize size, TImageFileType format)
    {
        TExportOptions o;
        o.size = size;
        o.format = format;
        o.bandBytes = 2000; // many bands even for small pictures
        return o;
    }

    TempDir dir_;
    TWaitingHost host_;
    TMainOperations ops_;
};

TEST_F(ImageExportTest, ScaleOneFilesHoldTheWindowsPictureWithAndWithoutTheBlur)
{
    ops_.SelectFormula(1, "5");
    ops_.SelectPointMove(2, {0.3L, 0, 0, 0});
    for (bool blur : {false, true}) {
        SCOPED_TRACE(blur);
        ops_.SetShadeOff(blur);
        const TBitmap24 window = Drawn(97, 61);
        for (TImageFileType format : {iftPng, iftBmp}) {
            const std::string path = dir_ / (format == iftPng ? "a.png" : "a.bmp");
            TImageExport(ops_, Options({97, 61, 1, 1}, format)).Run(path);
            if (format == iftPng) ExpectPngCheckAccepts(path);
            else EXPECT_EQ(ReadBytes(path).size(), ExportBmpFileSize(97, 61));
            EXPECT_TRUE(Decoded(path, 97, 61) == ToRgb(window));
        }
    }
}

TEST_F(ImageExportTest, PicturesTallerThanTheWindowAllowsReadBackRowForRow)
{
    ops_.SelectFormula(1, "6");
    ops_.SetArea(0, 0, 0.37L, 0.29L);
    ops_.SetShadeOff(true);
    const TBitmap24 expected = Drawn(5, 10007);
    for (TImageFileType format : {iftPng, iftBmp}) {
        const std::string path = dir_ / (format == iftPng ? "tall.png" : "tall.bmp");
        TImageExport(ops_, Options({5, 10007, 1, 1}, format)).Run(path);
        if (format == iftPng) ExpectPngCheckAccepts(path);
        EXPECT_TRUE(Decoded(path, 5, 10007) == ToRgb(expected)) << path;
    }
}

TEST_F(ImageExportTest, ProgressRunsThroughEveryPercentAndACancelKeepsTheOldFile)
{
    const std::string path = dir_ / "keep.png";
    WriteBytes(path, "old");
    std::vector<int> seen;
    TImageExport(ops_, Options({50, 300, 2, 1}, iftPng)).Run(path, [&](int p) {
        seen.push_back(p);
        return true;
    });
    ASSERT_EQ(seen.size(), 101u);
    for (int i = 0; i <= 100; ++i) EXPECT_EQ(seen[static_cast<size_t>(i)], i);
    const std::string written = ReadBytes(path);

    for (TImageFileType format : {iftPng, iftBmp}) {
        TImageExport cancelled(ops_, Options({50, 300, 1, 2}, format));
        EXPECT_THROW(cancelled.Run(path, [](int p) { return p < 40; }), ESaveCancelled);
        EXPECT_EQ(ReadBytes(path), written);
    }
    EXPECT_EQ(dir_.EntryCount(), 1u);
}

TEST_F(ImageExportTest, ADrawingFailureEndsTheExportWithItsMessageAndKeepsTheOldFile)
{
    const std::string path = dir_ / "keep.bmp";
    WriteBytes(path, "old");
    ops_.SetArea(1e4000L, 0, 1, 1);
    const std::string message = [&] {
        ops_.Pattern().SetSize(4, 4);
        host_.StartDraw();
        return ops_.Pattern().ErrorMessage();
    }();
    ASSERT_NE(message, "");
    for (TImageFileType format : {iftPng, iftBmp}) {
        try {
            TImageExport(ops_, Options({30, 20, 3, 2}, format)).Run(path);
            ADD_FAILURE() << "no failure";
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message(), message);
        }
        EXPECT_EQ(ReadBytes(path), "old");
    }
}

TEST_F(ImageExportTest, BmpFilesBeyondFourGibibytesAreRefusedBeforeAnyDrawing)
{
    EXPECT_THROW(TImageExport(ops_, Options({65535, 65535, 1, 1}, iftBmp)), EInvalidGraphic);
    // The largest picture a PNG export takes is only set up, not drawn.
    EXPECT_NO_THROW(TImageExport(ops_, Options({65535, 65535, 1, 1}, iftPng)));
    EXPECT_EQ(dir_.EntryCount(), 0u);
}

} // namespace
