// Image file type choice and name completion for the image save.
#include "ImageFileType.h"

#include "BmpWriter.h"
#include "Exceptions.h"
#include "Format.h"
#include "PngGraphic.h"

namespace {

std::string LowerExtension(const std::string& fileName)
{
    const size_t separator = fileName.find_last_of("/\\");
    const size_t dot = fileName.rfind('.');
    if (dot == std::string::npos || (separator != std::string::npos && dot < separator)) return {};
    std::string extension = fileName.substr(dot);
    for (char& c : extension)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return extension;
}

} // namespace

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

std::string SaveImageFile(const TBitmap24& bitmap, const std::string& fileName, int filterIndex)
{
    const TImageFileType type = GetFileType(fileName, filterIndex);
    const std::string name = AddImageExtension(fileName, type);
    // The picture is read only on this thread while it is saved, so the PNG
    // encoder can read it in place instead of taking a copy first.
    if (type == iftPng)
        SavePngFile(bitmap, name);
    else
        SaveBmpFile(bitmap, name);
    return name;
}
