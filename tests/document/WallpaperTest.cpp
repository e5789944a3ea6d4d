// The wallpaper command: value table, order of file and desktop calls, and
// where the wallpaper file goes.
#include "document/Wallpaper.h"
#include "common/Exceptions.h"
#include "imaging/BmpWriter.h"
#include "tests/support/Files.h"
#include "tests/support/Pictures.h"
#include "tests/support/ScopedEnv.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>

namespace {

namespace fs = std::filesystem;

std::string BmpOf(const TBitmap24& bitmap)
{
    std::ostringstream out;
    WriteBmp(bitmap, out);
    return out.str();
}

TBitmap24 Picture()
{
    TBitmap24 bitmap(3, 2);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) SetPixelAt(bitmap, x, y, 0x102030u * (x + 1) + 0x0F * y);
    return bitmap;
}

// Records every call, and what the wallpaper file held at the first one.
class RecordingPlatform : public IDesktopPlatform {
public:
    explicit RecordingPlatform(bool accept = true, std::string watchedFile = {})
        : accept_(accept), watchedFile_(std::move(watchedFile))
    {}
    std::vector<std::string> calls;
    std::optional<std::string> fileAtFirstCall;

    void WriteDesktopValue(const std::string& name, const std::string& value) override { Record(name + "=" + value); }
    bool SetDesktopWallpaper(const std::string& path) override
    {
        Record("wallpaper " + path);
        return accept_;
    }

private:
    void Record(const std::string& call)
    {
        if (calls.empty() && !watchedFile_.empty()) fileAtFirstCall = ReadBytes(watchedFile_);
        calls.push_back(call);
    }
    bool accept_;
    std::string watchedFile_;
};

TEST(Wallpaper, FileIsRewrittenThenValuesThenTheSystemCall)
{
    struct Case {
        TWallpaperStyle style;
        const char* tile;
        const char* stretch;
    };
    const Case cases[] = {{wpsCenter, "0", "0"}, {wpsTile, "1", "0"}, {wpsStretch, "0", "2"}};
    const TBitmap24 picture = Picture();
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.style));
        TempDir programDir;
        const std::string file = programDir / "_velquor.bmp";
        std::ofstream(file) << "the previous wallpaper";
        RecordingPlatform platform(true, file);
        SetWallPaper(picture, platform, programDir.Path(), c.style);
        EXPECT_EQ(platform.calls,
                  (std::vector<std::string>{std::string("TileWallpaper=") + c.tile,
                                            std::string("Wallpaperstyle=") + c.stretch, "wallpaper " + file}));
        ASSERT_TRUE(platform.fileAtFirstCall.has_value());
        EXPECT_TRUE(*platform.fileAtFirstCall == BmpOf(picture)) << "file not rewritten before the desktop calls";
    }
}

TEST(Wallpaper, ApplyReturnsTheDesktopsAnswer)
{
    for (bool accept : {true, false}) {
        RecordingPlatform platform(accept);
        EXPECT_EQ(ApplyDesktopWallpaper(platform, "/x/_velquor.bmp", wpsTile), accept);
        EXPECT_EQ(platform.calls.size(), 3u);
    }
    // The command says so when the desktop refused, naming the written file.
    TempDir programDir;
    RecordingPlatform refusing(false);
    const std::string failure = SetWallPaper(Picture(), refusing, programDir.Path(), wpsCenter);
    EXPECT_NE(failure.find(WallpaperFilePath(programDir.Path())), std::string::npos) << failure;
    RecordingPlatform accepting(true);
    EXPECT_EQ(SetWallPaper(Picture(), accepting, programDir.Path(), wpsCenter), "");
}

TEST(Wallpaper, FailedFileWriteLeavesTheDesktopUntouched)
{
    TempDir scratch;
    std::ofstream(scratch / "plain-file") << "x";
    // Neither the program folder nor the data folder can take the file.
    ScopedEnv dataHome("XDG_DATA_HOME", (scratch / "plain-file").c_str());
    RecordingPlatform platform;
    try {
        SetWallPaper(Picture(), platform, scratch / "no-such-folder", wpsStretch);
        ADD_FAILURE() << "no error for an unwritable wallpaper file";
    } catch (const EFOpenError& e) {
        EXPECT_EQ(e.Message(), "ファイル '" + scratch / "plain-file/velquor/_velquor.bmp" +
                                   "' を作成できません。パスの途中にフォルダーでないものがあります。");
    }
    EXPECT_TRUE(platform.calls.empty());
}

TEST(WallpaperFilePath, BesideTheProgramWhenWritableElseInTheUserDataFolder)
{
    TempDir scratch;
    fs::create_directory(scratch / "program");
    // The probe leaves no file behind.
    EXPECT_EQ(WallpaperFilePath(scratch / "program"), scratch / "program/_velquor.bmp");
    EXPECT_TRUE(fs::is_empty(scratch / "program"));

    {
        ScopedEnv dataHome("XDG_DATA_HOME", (scratch / "data").c_str());
        EXPECT_EQ(WallpaperFilePath(scratch / "missing"), scratch / "data/velquor/_velquor.bmp");
        EXPECT_TRUE(fs::is_directory(scratch / "data/velquor"));
    }
    {
        ScopedEnv dataHome("XDG_DATA_HOME", nullptr);
        ScopedEnv home("HOME", (scratch / "home").c_str());
        EXPECT_EQ(WallpaperFilePath(scratch / "missing"), scratch / "home/.local/share/velquor/_velquor.bmp");
        EXPECT_TRUE(fs::is_directory(scratch / "home/.local/share/velquor"));
    }
    {
        ScopedEnv dataHome("XDG_DATA_HOME", (scratch / "data").c_str());
        RecordingPlatform platform;
        SetWallPaper(Picture(), platform, scratch / "missing", wpsCenter);
        EXPECT_EQ(ReadBytes(scratch / "data/velquor/_velquor.bmp"), BmpOf(Picture()));
        EXPECT_EQ(platform.calls.back(), "wallpaper " + scratch / "data/velquor/_velquor.bmp");
    }
}

} // namespace
