// Palette files of any bytes: a file loads, or it is refused with the line
// message (or the colour limit's) and the palette stays exactly as it was. Any other exception is a
// finding.
#include "common/Exceptions.h"
#include "palette/UMcf.h"
#include "tests/fuzz/FuzzCheck.h"

#include <sstream>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    TMcf mcf;
    mcf.SetDefault();
    const TPalette before = mcf.Colors;
    std::istringstream in(InputText(data, size));
    try {
        mcf.LoadFromStream(in, "fuzz.mcf");
        FuzzCheck(mcf.FileName == "fuzz.mcf", "a loaded palette takes the file's name");
        FuzzCheck(mcf.High >= -1 && static_cast<size_t>(mcf.High + 1) <= mcf.Colors.size(), "High within the storage");
        for (int32_t i = 0; i <= mcf.High; ++i)
            FuzzCheck((mcf.GetColor(i) & ~0xFFFFFF) == 0, "colour values keep bits 24-31 zero");
    } catch (const ETooManyColors& e) {
        FuzzCheck(e.Message().find("行目で色の数が上限の") != std::string::npos, "the colour limit names the line");
        FuzzCheck(mcf.High == 127 && mcf.Colors == before && mcf.GetName() == "標準", "a refused load changes nothing");
    } catch (const EConvertError& e) {
        FuzzCheck(e.Message().find("行目の形式が不正です。") != std::string::npos, "refusals name the line");
        FuzzCheck(mcf.High == 127 && mcf.Colors == before && mcf.GetName() == "標準", "a refused load changes nothing");
    }
    return 0;
}
