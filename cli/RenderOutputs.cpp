// Same-file checks and device output of the command-line renderer.
#include "cli/RenderOutputs.h"
#include "common/Texts.h"

#include "cli/RenderMessages.h"
#include "common/ErrorReason.h"
#include "common/Format.h"
#include "common/QuoteText.h"
#include "imaging/BmpWriter.h"
#include "imaging/ImageFileType.h"
#include "imaging/PngFile.h"

#include <cerrno>
#include <filesystem>
#include <fstream>

#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

bool SameFile(const std::string& a, const std::string& b)
{
    struct stat sa {}, sb {};
    const bool hasA = ::stat(a.c_str(), &sa) == 0;
    const bool hasB = ::stat(b.c_str(), &sb) == 0;
    if (hasA && hasB) return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
    if (hasA || hasB) return false;
    // Neither exists yet: both outputs would create the same file.
    std::error_code ea, eb;
    const fs::path pa = fs::weakly_canonical(fs::absolute(a, ea), ea);
    const fs::path pb = fs::weakly_canonical(fs::absolute(b, eb), eb);
    return !ea && !eb && pa == pb;
}

bool IsFolderName(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

[[noreturn]] void Refuse(const char* format, const std::string& a, const std::string& b = {})
{
    throw ERefusedOutput(Format(format, QuotePath(a).c_str(), QuotePath(b).c_str()));
}

} // namespace

void CheckOutputs(const TRenderFiles& files)
{
    using namespace rendertext;
    if (files.picture && IsFolderName(*files.picture)) Refuse(TText::tr(kOutputIsFolder).c_str(), *files.picture);
    if (files.documentOutput && IsFolderName(*files.documentOutput))
        Refuse(TText::tr(kDocumentOutputIsFolder).c_str(), *files.documentOutput);
    if (files.picture) {
        const std::string& picture = *files.picture;
        if (files.inputDocument && SameFile(picture, *files.inputDocument))
            Refuse(TText::tr(kPictureOverDocument).c_str(), picture, *files.inputDocument);
        for (const std::string& palette : files.palettes)
            if (SameFile(picture, palette)) Refuse(TText::tr(kPictureOverPalette).c_str(), picture, palette);
        if (files.documentOutput && SameFile(picture, *files.documentOutput))
            Refuse(TText::tr(kPictureOverDocumentOutput).c_str(), picture, *files.documentOutput);
    }
    if (files.documentOutput)
        for (const std::string& palette : files.palettes)
            if (SameFile(*files.documentOutput, palette))
                Refuse(TText::tr(kDocumentOutputOverPalette).c_str(), *files.documentOutput, palette);
}

bool IsDeviceOrPipe(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && (S_ISCHR(st.st_mode) || S_ISFIFO(st.st_mode));
}

std::string PictureName(const std::string& given, int filterIndex)
{
    // Checked before the extension is added: "folder.bmp" beside the folder
    // is not what was asked for.
    if (IsFolderName(given)) Refuse(TText::tr(rendertext::kOutputIsFolder).c_str(), given);
    if (IsDeviceOrPipe(given)) return given;
    return AddImageExtension(given, GetFileType(given, filterIndex));
}

void WritePictureInto(const TBitmap24& bitmap, const std::string& path, int filterIndex)
{
    const TImageFileType type = GetFileType(path, filterIndex);
    // A device or pipe cannot be replaced, only written; there is no old
    // content to keep.
    std::ofstream out(path, std::ios::binary | std::ios::out);
    const auto refused = [&] {
        throw EFOpenError(Format(TText::tr(rendertext::kCannotWrite).c_str(), QuotePath(path).c_str(), ErrorReason(errno).c_str()));
    };
    if (!out) refused();
    try {
        if (type == iftPng) WritePng(bitmap, out);
        else WriteBmp(bitmap, out);
    } catch (const EWriteError&) {
        refused();
    }
    out.flush();
    if (!out) refused();
}
