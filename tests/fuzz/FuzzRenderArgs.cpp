// velquor-render's command line: the input is the arguments, apart by zero
// bytes. Parsing ends in options or in one of the program's exceptions,
// whose message holds no control character and stays short whatever the
// arguments quote; the same arguments always give the same result.
#include "cli/RenderOptions.h"
#include "common/Exceptions.h"
#include "tests/fuzz/FuzzCheck.h"

#include <vector>

namespace {

std::vector<std::string> Arguments(const std::string& input)
{
    std::vector<std::string> args;
    size_t start = 0;
    while (start <= input.size() && args.size() < 64) {
        const size_t end = input.find('\0', start);
        args.push_back(input.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return args;
}

size_t Characters(const std::string& text)
{
    size_t n = 0;
    for (unsigned char c : text) n += (c & 0xC0u) != 0x80u;
    return n;
}

std::string Outcome(const std::vector<std::string>& args)
{
    try {
        const TRenderOptions o = ParseRenderOptions(args);
        return "options " + std::to_string(o.help) + std::to_string(o.filterIndex) + o.document.value_or("-") +
               o.output.value_or("-") + o.saveDocument.value_or("-");
    } catch (const Exception& e) {
        const std::string message = e.Message();
        for (unsigned char c : message) FuzzCheck(c >= 0x20 && c != 0x7F, "a message holds no control character");
        FuzzCheck(Characters(message) <= 800, "a message is short");
        return "refused " + message;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::vector<std::string> args = Arguments(InputText(data, size));
    FuzzCheck(Outcome(args) == Outcome(args), "the same arguments give the same result");
    return 0;
}
