// Making the picture the desktop wallpaper: the wallpaper file, then the
// desktop values and the system call of the platform.
#pragma once

#include "bitmap/Bitmap24.h"
#include "platform/DesktopPlatform.h"

#include <string>

// Rewrites the wallpaper file with the picture, then applies it. Returns the
// message to show when the desktop could not take it (empty when it did):
// the file is written all the same, and the user should know where. A
// picture that cannot be written throws EFOpenError and leaves the desktop
// untouched. writtenTo, when given, receives the file's path (beside the
// program, or the user's data folder where that folder is read-only).
std::string SetWallPaper(const TBitmap24& bitmap, IDesktopPlatform& platform, const std::string& programDir,
                         TWallpaperStyle style, std::string* writtenTo = nullptr);
