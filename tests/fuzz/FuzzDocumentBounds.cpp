// Documents near the reader's bounds: the input is a head, a unit and a
// tail set apart by zero bytes, and its first byte says how often the unit
// is repeated (up to 2^16 times, within the document limit), so short
// inputs grow into the crowded tags, the many nodes, the deep nesting and
// the long texts the bounds are there for. Whatever the text, it loads or is refused with one
// of the program's exceptions, whose message is short, holds no control
// character and, from the XML layer, no English word.
#include "common/Exceptions.h"
#include "document/UVqd.h"
#include "tests/fuzz/FuzzCheck.h"
#include "xml/XmlBounds.h"
#include "xml/XmlError.h"

#include <regex>

namespace {

std::string Grown(const std::string& input)
{
    if (input.empty()) return input;
    // Most inputs stay small, so the fuzzer runs many; one in sixteen grows
    // past the node, attribute and depth bounds (the size bound itself is
    // the unit tests' and would make every such run take seconds).
    const unsigned lead = static_cast<unsigned char>(input[0]);
    const unsigned shift = lead >= 0xF0 ? 12 + (lead - 0xF0) % 5 : lead % 12;
    const std::string rest = input.substr(1);
    const size_t first = rest.find('\0');
    if (first == std::string::npos) return rest;
    const size_t second = rest.find('\0', first + 1);
    const std::string head = rest.substr(0, first);
    const std::string unit = rest.substr(first + 1, second == std::string::npos ? std::string::npos : second - first - 1);
    const std::string tail = second == std::string::npos ? std::string() : rest.substr(second + 1);
    std::string text = head;
    if (!unit.empty()) {
        const size_t room = xmlbounds::kMaxDocumentBytes - std::min(xmlbounds::kMaxDocumentBytes, head.size() + tail.size());
        const size_t times = std::min<size_t>(size_t{1} << shift, room / unit.size());
        text.reserve(head.size() + unit.size() * times + tail.size());
        for (size_t i = 0; i < times; ++i) text += unit;
    }
    return text + tail;
}

bool HasControl(const std::string& message)
{
    for (unsigned char c : message)
        if (c < 0x20 || c == 0x7F) return true;
    return false;
}

bool HasEnglish(const std::string& message)
{
    static const std::regex own("fuzz\\.vqp|XML|CDATA|URI|DTD|Shift_JIS|xmlns|xml|version|standalone|yes|no|MiB");
    static const std::regex word("[A-Za-z]{2,}");
    // Tag names are quoted from the document as <name>.
    static const std::regex tag("</?[^>]*>");
    return std::regex_search(std::regex_replace(std::regex_replace(message, tag, ""), own, ""), word);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text = Grown(InputText(data, size));
    TVqd vqd;
    try {
        vqd.LoadFromBytes(text, "fuzz.vqp");
    } catch (const EXmlError& e) {
        FuzzCheck(!HasEnglish(e.Message()), "the XML layer's messages are the program's own words");
        FuzzCheck(!HasControl(e.Message()), "a message holds no control character");
        FuzzCheck(e.Message().size() < 1024, "a message is short");
    } catch (const Exception& e) {
        FuzzCheck(!HasControl(e.Message()), "a message holds no control character");
        FuzzCheck(e.Message().size() < 1024, "a message is short");
    }
    return 0;
}
