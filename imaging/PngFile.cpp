// The PNG save functions of the image export.
#include "imaging/PngFile.h"

#include "common/SafeFile.h"
#include "imaging/PngWriteStream.h"

void WritePng(const TBitmap24& bitmap, std::ostream& out, const TPngSettings& settings)
{
    TPngWriteStream encoder(settings);
    encoder.Encode(bitmap, out);
}

void SavePngFile(const TBitmap24& bitmap, const std::string& path, const TPngSettings& settings)
{
    // Checked before a file is touched.
    TPngWriteStream encoder(settings);
    WriteFileReplacing(path, [&](std::ostream& out) { encoder.Encode(bitmap, out); });
}
