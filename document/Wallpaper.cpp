// The wallpaper command: the file first, then the desktop.
#include "document/Wallpaper.h"

#include "common/Texts.h"
#include "imaging/BmpWriter.h"

std::string SetWallPaper(const TBitmap24& bitmap, IDesktopPlatform& platform, const std::string& programDir,
                         TWallpaperStyle style, std::string* writtenTo)
{
    const std::string path = WallpaperFilePath(programDir);
    SaveBmpFile(bitmap, path);
    if (writtenTo != nullptr) *writtenTo = path;
    if (ApplyDesktopWallpaper(platform, path, style)) return {};
    return TextArg(TText::tr("画像を %1 に書き出しましたが、壁紙に設定できませんでした。\r\n"
                             "このﾃﾞｽｸﾄｯﾌﾟには壁紙を設定する方法がありません。"),
                   {path});
}
