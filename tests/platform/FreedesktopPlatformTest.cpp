// Setting the wallpaper through gsettings on Linux desktops.
#include "platform/FreedesktopPlatform.h"

#include <gtest/gtest.h>

namespace {

using Argv = std::vector<std::string>;

struct Recorder {
    std::vector<Argv> runs;
    int answer = 0;
    TFreedesktopPlatform::Runner Runner()
    {
        return [this](const Argv& argv) {
            runs.push_back(argv);
            return answer;
        };
    }
};

TEST(FreedesktopPlatform, GsettingsDesktopsGetPictureAndPlacement)
{
    struct Case {
        const char* desktop;
        TWallpaperStyle style;
        const char* schema;
        const char* options;
    };
    const Case cases[] = {
        {"GNOME", wpsCenter, "org.gnome.desktop.background", "centered"},
        {"ubuntu:GNOME", wpsTile, "org.gnome.desktop.background", "wallpaper"},
        {"Unity", wpsStretch, "org.gnome.desktop.background", "stretched"},
        {"Budgie:GNOME", wpsCenter, "org.gnome.desktop.background", "centered"},
        {"X-Cinnamon", wpsTile, "org.cinnamon.desktop.background", "wallpaper"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.desktop);
        Recorder recorder;
        TFreedesktopPlatform platform(c.desktop, true, recorder.Runner());
        EXPECT_TRUE(ApplyDesktopWallpaper(platform, "/home/u/my pics/it's_velquor.bmp", c.style));
        const std::string uri = "'file:///home/u/my%20pics/it%27s_velquor.bmp'";
        std::vector<Argv> expected = {{"gsettings", "set", c.schema, "picture-uri", uri}};
        if (std::string(c.schema) == "org.gnome.desktop.background")
            expected.push_back({"gsettings", "set", c.schema, "picture-uri-dark", uri});
        expected.push_back({"gsettings", "set", c.schema, "picture-options", c.options});
        EXPECT_EQ(recorder.runs, expected);
    }
}

TEST(FreedesktopPlatform, OtherDesktopsAndMissingGsettingsDeclineQuietly)
{
    struct Case {
        const char* desktop;
        bool gsettings;
    };
    for (const Case c : {Case{"KDE", true}, Case{"", true}, Case{"XFCE", true}, Case{"GNOME", false}}) {
        Recorder recorder;
        TFreedesktopPlatform platform(c.desktop, c.gsettings, recorder.Runner());
        EXPECT_FALSE(ApplyDesktopWallpaper(platform, "/tmp/_velquor.bmp", wpsCenter)) << c.desktop;
        EXPECT_TRUE(recorder.runs.empty()) << c.desktop;
    }
}

TEST(FreedesktopPlatform, FailingGsettingsIsReportedAsRefusal)
{
    Recorder recorder;
    recorder.answer = 1;
    TFreedesktopPlatform platform("GNOME", true, recorder.Runner());
    EXPECT_FALSE(ApplyDesktopWallpaper(platform, "/tmp/_velquor.bmp", wpsCenter));
}

TEST(FreedesktopPlatform, RelativePathsBecomeAbsoluteUris)
{
    Recorder recorder;
    TFreedesktopPlatform platform("GNOME", true, recorder.Runner());
    platform.SetDesktopWallpaper("_velquor.bmp");
    ASSERT_FALSE(recorder.runs.empty());
    const std::string uri = recorder.runs[0][4];
    EXPECT_EQ(uri.rfind("'file:///", 0), 0u) << uri;
}

TEST(GVariantString, QuotesAndBackslashesAreEscaped)
{
    EXPECT_EQ(GVariantString("plain"), "'plain'");
    EXPECT_EQ(GVariantString("it's a \\ test"), "'it\\'s a \\\\ test'");
}

} // namespace
