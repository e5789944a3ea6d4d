// One palette line, steered by the first byte towards the generator
// keywords, so the fuzzer spends its time inside their arguments. A line
// adds colours or fails with one of the program's exceptions.
#include "common/Exceptions.h"
#include "palette/UMcf.h"
#include "tests/fuzz/FuzzCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0) return 0;
    static const char* const kStarts[] = {"#GRAD ", "#LINE ", "", "#grad  ", "#line\t", "#"};
    const std::string line = kStarts[data[0] % 6] + InputText(data + 1, size - 1);
    TMcf mcf;
    try {
        mcf.ParseLine(line);
    } catch (const Exception&) {
        return 0; // the loader turns any of these into the line message
    }
    FuzzCheck(mcf.High < (1 << 24), "no line makes more colours than the limit");
    if (line.empty() || line[0] != '#') FuzzCheck(mcf.High == 0, "a colour line adds one colour");
    for (int32_t i = 0; i <= mcf.High; ++i)
        FuzzCheck((mcf.GetColor(i) & ~0xFFFFFF) == 0, "colour values keep bits 24-31 zero");
    return 0;
}
