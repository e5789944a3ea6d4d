// Reading the files a user names (documents, palettes) with bounds: a name
// that is not a regular file is refused at once instead of blocking on a
// pipe or reading a device for ever, and a file larger than the reader's
// limit is refused by its size before a byte is read. Reading also stops at
// the limit whatever the size claimed, so a file that grows meanwhile (or a
// /proc file that claims nothing) cannot take more either.
//
// Every refusal is an EFOpenError with a finished message that names the
// file (escaped, see QuoteText.h) and the reason.
#pragma once

#include <cstddef>
#include <cstdint>
#include <istream>
#include <memory>
#include <streambuf>
#include <string>

class TInputFile {
public:
    // Opens path for reading without waiting for a writer; throws when it
    // cannot be opened, is not a regular file or is larger than limit.
    TInputFile(const std::string& path, uint64_t limit);
    ~TInputFile();
    TInputFile(const TInputFile&) = delete;
    TInputFile& operator=(const TInputFile&) = delete;

    const std::string& Path() const { return path_; }
    // The size the file had when it was opened.
    uint64_t Size() const { return size_; }
    // Up to size further bytes into buffer; 0 at the end. Throws on a read
    // error and when the file holds more than the limit.
    size_t Read(char* buffer, size_t size);
    // The rest of the file.
    std::string ReadAll();
    // The file as a stream, for readers that take one. Its failures are not
    // turned into a state: they leave the reading function as the
    // EFOpenError above (the stream's exception mask holds badbit).
    std::istream& Stream();

private:
    class Buffer;
    std::string path_;
    uint64_t limit_;
    uint64_t size_ = 0;
    uint64_t read_ = 0;
    int fd_ = -1;
    std::unique_ptr<Buffer> buffer_;
    std::unique_ptr<std::istream> stream_;
};

// The bytes of the regular file path, at most limit of them; throws as
// TInputFile does.
std::string ReadInputFile(const std::string& path, uint64_t limit);

// The limit as the messages write it: "4 MiB", "64 KiB", "100 バイト".
std::string SizeText(uint64_t bytes);
