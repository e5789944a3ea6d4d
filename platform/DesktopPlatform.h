// The desktop's side of the wallpaper: where the wallpaper file goes, the
// desktop values for the chosen style and the system call, behind a seam.
#pragma once

#include <memory>
#include <string>

enum TWallpaperStyle { wpsCenter = 0, wpsTile = 1, wpsStretch = 2 };

// What the wallpaper needs from the desktop. On Windows: string values under
// HKEY_CURRENT_USER\Control Panel\Desktop and SystemParametersInfoA.
class IDesktopPlatform {
public:
    virtual ~IDesktopPlatform() = default;
    // Writes one desktop value ("TileWallpaper", "Wallpaperstyle"); throws when
    // the value cannot be stored.
    virtual void WriteDesktopValue(const std::string& name, const std::string& value) = 0;
    // Asks the desktop to show the file; true when it accepted.
    virtual bool SetDesktopWallpaper(const std::string& path) = 0;
};

// The platform of the running system: Windows, a freedesktop session, or one
// that quietly declines.
std::unique_ptr<IDesktopPlatform> MakeDesktopPlatform();

// Writes "TileWallpaper" ("1" only for tile) and "Wallpaperstyle" ("2" only
// for stretch), then sets the wallpaper; returns whether the desktop accepted.
bool ApplyDesktopWallpaper(IDesktopPlatform& platform, const std::string& fileName, TWallpaperStyle style);

// "_velquor.bmp" in programDir when a file can be created there, otherwise in
// the user's data folder ($XDG_DATA_HOME or ~/.local/share, then "velquor"),
// which is created if needed.
std::string WallpaperFilePath(const std::string& programDir);
