// TPngGraphic and the plain save functions it shares with the image export.
#include "imaging/PngGraphic.h"

#include "imaging/PngWriteStream.h"
#include "common/SafeFile.h"

TPngGraphic::TPngGraphic() : image_(std::make_unique<TBitmap24>())
{
    settings_.timeStamp = CurrentPngTime();
}

TPngGraphic::~TPngGraphic() = default;

void TPngGraphic::Assign(const TBitmap24& source) { *image_ = source; }

void TPngGraphic::Assign(const TPngGraphic& source)
{
    if (&source == this) return;
    *image_ = *source.image_;
    settings_ = source.settings_;
}

void TPngGraphic::SaveToStream(std::ostream& out) const { WritePng(*image_, out, settings_); }

void TPngGraphic::SaveToFile(const std::string& path) const { SavePngFile(*image_, path, settings_); }

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
