// The picture files' padding: an in-place save killed between writing and
// cutting leaves the new picture followed by zeros, and independent readers
// still take the picture from it.
#include "common/SafeFile.h"
#include "imaging/BmpWriter.h"
#include "imaging/PngFile.h"
#include "tests/imaging/ImagingTestSupport.h"
#include "tests/support/Command.h"
#include "tests/support/FileFaults.h"
#include "tests/support/Files.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

namespace {

TEST(InPlaceSave, PicturesKilledBeforeTheCutStillRead)
{
    const std::string python = RequireTool("/usr/bin/python3");
    const TBitmap24 picture = NoisePicture(40, 30, 5);
    const std::string old(200000, 'o'); // longer than either picture
    struct Case {
        const char* name;
        std::function<void(std::ostream&)> write;
    };
    const Case cases[] = {
        {"p.png", [&](std::ostream& out) { WritePng(picture, out); }},
        {"p.bmp", [&](std::ostream& out) { WriteBmp(picture, out); }},
    };
    TempDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = dir.Write(c.name, old);
        // The picture savers' own padding: the default.
        const int status =
            RunInChildProcess([&] { WriteFileReplacing(path, c.write, RefusingNewFiles(DyingBeforeTheCut())); });
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == kDiedBeforeTheCut) << status;
        const std::string bytes = ReadBytes(path);
        ASSERT_EQ(bytes.size(), old.size()) << "not cut yet";
        // Both pictures take under 10 KB: the rest is padding, not the old tail.
        EXPECT_EQ(bytes.substr(10000), std::string(old.size() - 10000, '\0'));

        const std::string script =
            "import sys\nfrom PIL import Image\n"
            "im = Image.open(sys.argv[1])\n"
            "print(im.format, im.size[0], im.size[1])\n"
            "open(sys.argv[2], 'wb').write(im.convert('RGB').tobytes())\n";
        const CommandResult decode = RunCommand(python + " -c " + ShellQuote(script) + " " + ShellQuote(path) + " " +
                                                ShellQuote(dir / "pixels.rgb"));
        ASSERT_EQ(decode.exitCode, 0) << decode.output;
        EXPECT_EQ(decode.output.substr(3), " 40 30\n");
        EXPECT_TRUE(AsBytes(ReadBytes(dir / "pixels.rgb")) == ToRgb(picture));
    }
}

} // namespace
