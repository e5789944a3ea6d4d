// Finding a text chunk in a PNG file without reading its image data.
#pragma once

#include <istream>
#include <optional>
#include <string>

struct TPngTextSearch {
    bool isPng = false;              // the signature was there
    std::optional<std::string> text; // the text, when a chunk with the keyword was found
    bool damaged = false;            // a chunk with the keyword whose CRC or data is wrong
};

// Reads chunk headers from the signature up to the image data (IDAT), IEND
// or the end of the stream, skipping other chunks' data, and returns the
// text of the first iTXt chunk with keyword: uncompressed or zlib-compressed
// (up to 16 MiB inflated), UTF-8 as iTXt stores it. Never throws for bad
// data; a chunk too long to be text (over 16 MiB) ends the search.
TPngTextSearch FindPngText(std::istream& in, const std::string& keyword);
