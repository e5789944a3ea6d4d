// The wallpaper command: the file first, then the desktop.
#include "document/Wallpaper.h"

#include "imaging/BmpWriter.h"

void SetWallPaper(const TBitmap24& bitmap, IDesktopPlatform& platform, const std::string& programDir,
                  TWallpaperStyle style)
{
    const std::string path = WallpaperFilePath(programDir);
    SaveBmpFile(bitmap, path);
    ApplyDesktopWallpaper(platform, path, style);
}
