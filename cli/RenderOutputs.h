// The files velquor-render writes: refused before anything is written when
// writing them would destroy one of its inputs or the other output, and
// devices and pipes written as they are.
#pragma once

#include "bitmap/Bitmap24.h"
#include "common/Exceptions.h"

#include <optional>
#include <string>
#include <vector>

// An output name refused before anything was written (exit status 2).
class ERefusedOutput : public Exception {
    using Exception::Exception;
};

struct TRenderFiles {
    std::optional<std::string> inputDocument;
    std::vector<std::string> palettes;  // every palette file read
    std::optional<std::string> picture; // as it will be written (see PictureName)
    std::optional<std::string> documentOutput;
};

// Throws ERefusedOutput when the picture would land on the input document,
// a palette or the document output, or the document output on a palette, or
// an output names a folder. Files are the same when they are one file on
// disk (device and inode), so links and other spellings count; names that
// do not exist yet are compared as paths. Saving the document over the one
// read is an edit in place and stays allowed.
void CheckOutputs(const TRenderFiles& files);

// An existing character device or named pipe: written as it is.
bool IsDeviceOrPipe(const std::string& path);

// The name the picture is written under: a device or pipe as given, any
// other name completed with the extension of its file type. An existing
// folder is refused (ERefusedOutput).
std::string PictureName(const std::string& given, int filterIndex);

// Writes the picture straight into an existing device or pipe; throws
// EFOpenError with the system's reason when it refuses the bytes.
void WritePictureInto(const TBitmap24& bitmap, const std::string& path, int filterIndex);
