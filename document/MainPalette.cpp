// The palette operations the browser and the editor add: the built-in
// palette chosen again, and a palette held as MCF text.
#include "document/MainOperations.h"

#include <sstream>

void TMainOperations::UseBuiltInPaletteAndDraw()
{
    host_.StopDraw();
    pattern_->Mcf().SetDefault();
    paletteFile_.clear();
    paletteText_.clear();
    host_.PaletteNameChanged(pattern_->GetPaletteName());
    host_.StartDraw();
}

void TMainOperations::SetPaletteText(const std::string& mcfText, const std::string& fileName)
{
    std::istringstream in(mcfText);
    // The loader changes nothing unless the whole text reads.
    pattern_->Mcf().LoadFromStream(in, fileName);
    paletteFile_ = fileName;
    paletteText_ = mcfText;
    host_.PaletteNameChanged(pattern_->GetPaletteName());
}

void TMainOperations::SetPalette(const TMcf& colors, const std::string& fileName, const std::string& mcfText)
{
    pattern_->Mcf() = colors;
    paletteFile_ = fileName;
    paletteText_ = mcfText;
    host_.PaletteNameChanged(pattern_->GetPaletteName());
}
