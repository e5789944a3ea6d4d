// Choosing the format and the name of a saved image from what the user typed.
#pragma once

#include "bitmap/Bitmap24.h"
#include "imaging/SaveProgress.h"

#include <string>

enum TImageFileType { iftBmp = 0, iftPng = 1 };

// The typed extension (".bmp" or ".png", any case) wins; otherwise the save
// dialog's 1-based filter index decides: 1 BMP, 2 PNG. Any other index throws
// ERangeError "Invalid index number(%d) at GetFileType".
TImageFileType GetFileType(const std::string& fileName, int filterIndex);

// Appends ".bmp" or ".png" unless the name holds a full stop anywhere, even
// in a folder name.
std::string AddImageExtension(const std::string& fileName, TImageFileType type);

// Writes the picture in the chosen format under the completed name and
// returns that name. Errors of the writers pass through. progress sees the
// save as TSaveProgress describes; when it cancels, ESaveCancelled is thrown
// and a file of that name stays as it was.
std::string SaveImageFile(const TBitmap24& bitmap, const std::string& fileName, int filterIndex,
                          const TSaveProgress& progress = {});
