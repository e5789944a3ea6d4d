// Fractint maps, GIMP palettes and GIMP gradients of any bytes; the first
// byte picks the format. A file loads to colours whose MCF text loads back to
// the same colours, or it is refused with the line message and the palette
// stays exactly as it was. Any other exception is a finding.
#include "common/Exceptions.h"
#include "palette/PaletteFile.h"
#include "tests/fuzz/FuzzCheck.h"

#include <sstream>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0) return 0;
    const TPaletteFormat formats[] = {TPaletteFormat::Map, TPaletteFormat::Gpl, TPaletteFormat::Ggr};
    const TPaletteFormat format = formats[data[0] % 3];
    TMcf mcf;
    mcf.SetDefault();
    const TPalette before = mcf.Colors;
    std::istringstream in(InputText(data + 1, size - 1));
    try {
        LoadPaletteStream(mcf, in, "fuzz", format);
        FuzzCheck(format != TPaletteFormat::Ggr || mcf.High == 255, "a gradient gives 256 colours");
        TMcf back;
        back.LoadFromText(mcf.Text, "back");
        FuzzCheck(back.High == mcf.High, "the kept text has every colour");
        for (int32_t i = 0; i <= mcf.High; ++i) {
            FuzzCheck((mcf.GetColor(i) & ~0xFFFFFF) == 0, "colour values keep bits 24-31 zero");
            FuzzCheck(back.GetColor(i) == mcf.GetColor(i), "the kept text gives the same colours");
        }
    } catch (const EConvertError& e) {
        FuzzCheck(e.Message().find("行目の形式が不正です。") != std::string::npos, "refusals name the line");
        FuzzCheck(mcf.High == 127 && mcf.Colors == before && mcf.Builtin, "a refused load changes nothing");
    }
    return 0;
}
