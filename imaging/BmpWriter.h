// Uncompressed 24-bit BMP files: the image save, the wallpaper file and the
// command-line renderer all write them through here.
#pragma once

#include "bitmap/Bitmap24.h"
#include "imaging/SaveProgress.h"

#include <cstddef>
#include <cstdint>
#include <ostream>
#include <string>

constexpr size_t kBmpHeaderSize = 54;
// The file and information headers of a 24-bit BMP of that size (rows
// bottom-up, each padded to four bytes). Throws EInvalidGraphic "Write Image
// (BMP): Image Too Large" when the file would pass the 4 GiB its header can
// describe.
void MakeBmpHeader(uint8_t* header, int width, int height);

// 54-byte header, rows bottom-up, each padded with zeros to four bytes.
// Throws EWriteError when the stream refuses the bytes. progress sees the
// rows as TSaveProgress describes; returns false when it cancelled, leaving
// an incomplete file in out.
bool WriteBmp(const TBitmap24& bitmap, std::ostream& out, const TSaveProgress& progress = {});

// Creates or replaces the file; throws EFOpenError "ファイル '%s' を作成できません。"
// when it cannot be created or written, and ESaveCancelled when progress
// cancelled, leaving an existing file unchanged either way.
void SaveBmpFile(const TBitmap24& bitmap, const std::string& path, const TSaveProgress& progress = {});
