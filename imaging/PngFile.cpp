// The PNG save functions of the image export.
#include "imaging/PngFile.h"

#include "common/SafeFile.h"
#include "imaging/ImagingErrors.h"
#include "imaging/PngWriteStream.h"

void WritePng(const TBitmap24& bitmap, std::ostream& out, const TPngSettings& settings)
{
    TPngWriteStream encoder(settings);
    encoder.Encode(bitmap, out);
}

void SavePngFile(const TBitmap24& bitmap, const std::string& path, const TPngSettings& settings,
                 const TSaveProgress& progress)
{
    // Checked before a file is touched.
    TPngWriteStream encoder(settings);
    encoder.SetProgressObserver(progress);
    // Leaving the writer by an exception is what makes the safe write drop
    // the new file and keep the old one.
    WriteFileReplacing(path, [&](std::ostream& out) {
        if (!encoder.Encode(bitmap, out)) throw ESaveCancelled("Write Image: Cancelled");
    });
}
