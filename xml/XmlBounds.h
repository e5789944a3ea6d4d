// The bounds every document is read within, and the one check that must run
// before the XML library sees the text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace xmlbounds {

// A document is a few kilobytes; this is generous and keeps a whole parse
// well under a second and 64 MiB.
constexpr uint64_t kMaxDocumentBytes = uint64_t{4} << 20;
// Attributes of one element. The library compares each attribute with every
// earlier one of its element, so the count must be capped before it parses.
constexpr size_t kMaxAttributes = 64;
// Nodes (elements, attributes, text pieces, comments) of one document, which
// bound the tree's memory: a text of many tiny elements would otherwise
// grow to forty times its size.
constexpr size_t kMaxNodes = 100000;
// Nested elements; far below the library's own limit, whose message is not
// ours.
constexpr int kMaxDepth = 64;

struct Position {
    int line = 0;   // from 1
    int column = 0; // from 1, in characters
};

// The start of the first start tag in text that holds more than
// maxAttributes attributes, found in one pass without parsing: attributes
// are counted by their '=' outside quoted values; comments, CDATA sections,
// processing instructions, declarations and end tags are skipped. Any byte
// encoding in which the markup characters are ASCII bytes works.
std::optional<Position> FindCrowdedStartTag(std::string_view text, size_t maxAttributes = kMaxAttributes);

} // namespace xmlbounds
