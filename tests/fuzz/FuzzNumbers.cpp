// The number readers on any text: the throwing and the optional forms agree,
// accepted integers read back from their decimal text, and accepted reals
// print to text that reads back to the same text.
#include "common/Convert.h"
#include "common/Exceptions.h"
#include "common/NumberFormat.h"
#include "tests/fuzz/FuzzCheck.h"

#include <cmath>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text = InputText(data, size);

    const std::optional<int32_t> integer = TryStrToInt(text);
    try {
        const int32_t value = StrToInt(text);
        FuzzCheck(integer && *integer == value, "StrToInt and TryStrToInt agree");
        FuzzCheck(StrToInt(std::to_string(value)) == value, "an integer reads back from its decimal text");
    } catch (const EConvertError&) {
        FuzzCheck(!integer, "StrToInt refuses what TryStrToInt refuses");
    }

    const std::optional<long double> real = TryStrToFloat(text);
    try {
        const long double value = StrToFloat(text);
        FuzzCheck(real && (*real == value || (std::isnan(value) && std::isnan(*real))),
                  "StrToFloat and TryStrToFloat agree");
        FuzzCheck(std::isfinite(value), "the reader gives finite values only");
        const std::string printed = FloatToStr(value);
        FuzzCheck(FloatToStr(StrToFloat(printed)) == printed, "printed reals read back to the same text");
        try {
            FuzzCheck(std::isfinite(ToDoubleChecked(value)), "a checked double is finite");
        } catch (const EOverflow&) {
            FuzzCheck(std::fabs(value) > 1e308L, "only values beyond a double overflow");
        }
    } catch (const EConvertError&) {
        FuzzCheck(!real, "StrToFloat refuses what TryStrToFloat refuses");
    }
    return 0;
}
