// Uncompressed 24-bit BMP files: the image save, the wallpaper file and the
// command-line renderer all write them through here.
#pragma once

#include "bitmap/Bitmap24.h"

#include <ostream>
#include <string>

// 54-byte header, rows bottom-up, each padded with zeros to four bytes.
// Throws EWriteError when the stream refuses the bytes.
void WriteBmp(const TBitmap24& bitmap, std::ostream& out);

// Creates or replaces the file; throws EFOpenError "ファイル '%s' を作成できません。"
// when it cannot be created or written, leaving an existing file unchanged.
void SaveBmpFile(const TBitmap24& bitmap, const std::string& path);
