// Image file type choice and name completion for the image save.
#include "imaging/ImageFileType.h"

#include "common/Exceptions.h"
#include "common/Format.h"
#include "common/Paths.h"
#include "imaging/BmpWriter.h"
#include "imaging/PngFile.h"

TImageFileType GetFileType(const std::string& fileName, int filterIndex)
{
    const std::string extension = LowerExtension(fileName);
    if (extension == ".bmp") return iftBmp;
    if (extension == ".png") return iftPng;
    switch (filterIndex) {
    case 1: return iftBmp;
    case 2: return iftPng;
    default: throw ERangeError(Format("Invalid index number(%d) at GetFileType", filterIndex));
    }
}

std::string AddImageExtension(const std::string& fileName, TImageFileType type)
{
    if (fileName.find('.') != std::string::npos) return fileName;
    return fileName + (type == iftPng ? ".png" : ".bmp");
}

std::string SaveImageFile(const TBitmap24& bitmap, const std::string& fileName, int filterIndex,
                          const TSaveProgress& progress)
{
    const TImageFileType type = GetFileType(fileName, filterIndex);
    const std::string name = AddImageExtension(fileName, type);
    // The picture is read only on this thread while it is saved, so the PNG
    // encoder can read it in place instead of taking a copy first.
    if (type == iftPng) SavePngFile(bitmap, name, {}, progress);
    else SaveBmpFile(bitmap, name, progress);
    return name;
}
