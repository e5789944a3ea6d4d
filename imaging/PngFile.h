// Saving a picture as PNG: to a stream, or to a file that is replaced only
// once the new one is complete.
#pragma once

#include "bitmap/Bitmap24.h"
#include "imaging/PngSettings.h"
#include "imaging/SaveProgress.h"

#include <ostream>
#include <string>

// Encodes bitmap with settings, reading it in place. Throws EPngError for an
// IDAT size outside 256..100000 before anything is written.
void WritePng(const TBitmap24& bitmap, std::ostream& out, const TPngSettings& settings = {});
// Creates or replaces the file; a failed save leaves an existing file as it
// was. progress sees the save as TSaveProgress describes; when it cancels,
// ESaveCancelled is thrown and the old file is kept.
void SavePngFile(const TBitmap24& bitmap, const std::string& path, const TPngSettings& settings = {},
                 const TSaveProgress& progress = {});
