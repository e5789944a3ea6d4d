// Pattern documents of any bytes: a document loads or is refused with one of
// the program's exceptions; one that loads can be saved, and what is saved
// loads again and saves to the very same bytes.
#include "common/Exceptions.h"
#include "document/UVqd.h"
#include "tests/fuzz/FuzzCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    TVqd vqd;
    try {
        vqd.LoadFromBytes(InputText(data, size), "fuzz.vqp");
    } catch (const Exception&) {
        return 0;
    }
    std::string saved;
    try {
        saved = vqd.SaveToShiftJis();
    } catch (const Exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        FuzzCheck(false, "a document that loads can be saved");
    }
    TVqd again;
    again.LoadFromBytes(saved, "saved.vqp");
    FuzzCheck(again.SaveToShiftJis() == saved, "a saved document saves to the same bytes");
    return 0;
}
