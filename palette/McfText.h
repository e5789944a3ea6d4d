// Text helpers of the MCF reader: reading a file one line at a time and
// making a line printable in a message.
#pragma once

#include <cstddef>
#include <cstdint>
#include <istream>
#include <string>
#include <vector>

namespace mcftext {

// Lines of a stream, one at a time, so memory stays bounded by the longest
// allowed line whatever the stream's size. Lines end at CR, LF or CR LF;
// empty lines are kept, a final line break does not start another line.
class LineReader {
public:
    enum class Result { Line, TooLong, End };

    LineReader(std::istream& in, size_t maxLength);

    // The next line into line and its number (from 1) into number. TooLong:
    // the line goes on beyond maxLength; line holds its first maxLength bytes
    // and the reader should not be asked again. End: no more lines, or the
    // stream failed (see Failed).
    Result Next(std::string& line, int64_t& number);
    // The stream stopped with a read error rather than at its end.
    bool Failed() const { return failed_; }

private:
    bool Fill();

    std::istream& in_;
    size_t maxLength_;
    std::vector<char> buffer_;
    size_t at_ = 0;
    size_t end_ = 0;
    bool skipLf_ = false; // the previous line ended with CR: an LF right after belongs to it
    bool failed_ = false;
    int64_t number_ = 0;
};

// The line as UTF-8: plain ASCII as it is, otherwise converted from the
// Windows Japanese code page, or the raw bytes when that fails.
std::string LineForMessage(const std::string& line);

// The line as text a palette keeps (UTF-8): valid UTF-8 as it is, otherwise
// converted from the Windows Japanese code page, otherwise with "?" for each
// byte that is neither; control characters other than the tab become spaces,
// which every reader treats like the blanks they replace.
std::string KeptLine(const std::string& line);

// "RRGGBB" (upper case) for a colour value.
std::string HexColor(int32_t value);

// Every comma-separated field stripped of characters 0..32 at both ends.
std::string TrimFields(const std::string& text);

} // namespace mcftext
