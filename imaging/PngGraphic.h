// A picture in PNG form: holds a copy of a bitmap and the settings to save it with.
#pragma once

#include "bitmap/Bitmap24.h"
#include "imaging/PngSettings.h"

#include <memory>
#include <ostream>
#include <string>

class TPngGraphic {
public:
    // The time stamp starts as the clock at construction (UTC).
    TPngGraphic();
    ~TPngGraphic();

    // Takes a copy of the picture.
    void Assign(const TBitmap24& source);
    // Takes a copy of the other graphic's picture and settings.
    void Assign(const TPngGraphic& source);

    int Width() const { return image_->Width(); }
    int Height() const { return image_->Height(); }
    bool Empty() const { return image_->Empty(); }

    const TBitmap24& Image() const { return *image_; }
    TPngSettings& Settings() { return settings_; }
    const TPngSettings& Settings() const { return settings_; }

    // Throws EPngError for an IDAT size outside 256..100000 before anything is written.
    void SaveToStream(std::ostream& out) const;
    // Creates or replaces the file; a failed save leaves an existing file as it was.
    void SaveToFile(const std::string& path) const;

private:
    std::unique_ptr<TBitmap24> image_;
    TPngSettings settings_;
};

// Encodes bitmap with settings without taking a copy of it first.
void WritePng(const TBitmap24& bitmap, std::ostream& out, const TPngSettings& settings = {});
void SavePngFile(const TBitmap24& bitmap, const std::string& path, const TPngSettings& settings = {});
