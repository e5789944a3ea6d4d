// Wallpaper file location and the desktop value table.
#include "platform/DesktopPlatform.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#ifndef _WIN32
#include <fcntl.h>
#include <pwd.h>
#include <unistd.h>
#endif

namespace {

const char* const kWallpaperName = "_velquor.bmp";

#ifndef _WIN32

// Tries the file itself: an existing one is opened for writing without
// truncation, a new one is created and removed again, so the test leaves
// nothing behind.
bool CanCreate(const std::string& path)
{
    int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) {
        close(fd);
        unlink(path.c_str());
        return true;
    }
    if (errno != EEXIST) return false;
    fd = open(path.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) return false;
    close(fd);
    return true;
}

std::string UserDataFolder()
{
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    if (dataHome != nullptr && dataHome[0] == '/') return dataHome;
    const char* home = std::getenv("HOME");
    std::string base = (home != nullptr && home[0] != '\0') ? home : "";
    if (base.empty()) {
        if (const passwd* entry = getpwuid(getuid())) base = entry->pw_dir;
    }
    return base + "/.local/share";
}
#endif

} // namespace

bool ApplyDesktopWallpaper(IDesktopPlatform& platform, const std::string& fileName, TWallpaperStyle style)
{
    platform.WriteDesktopValue("TileWallpaper", style == wpsTile ? "1" : "0");
    platform.WriteDesktopValue("Wallpaperstyle", style == wpsStretch ? "2" : "0");
    return platform.SetDesktopWallpaper(fileName);
}

std::string WallpaperFilePath(const std::string& programDir)
{
#ifdef _WIN32
    return programDir + "\\" + kWallpaperName;
#else
    const std::string besideProgram = programDir + "/" + kWallpaperName;
    if (!programDir.empty() && CanCreate(besideProgram)) return besideProgram;
    const std::string folder = UserDataFolder() + "/velquor";
    std::error_code ignored; // a folder that cannot be made shows up as the file's error
    std::filesystem::create_directories(folder, ignored);
    return folder + "/" + kWallpaperName;
#endif
}
