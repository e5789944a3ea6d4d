// Bounded, non-blocking reading of regular files.
#include "common/InputFile.h"

#include "common/ErrorReason.h"
#include "common/Exceptions.h"
#include "common/Format.h"
#include "common/Texts.h"
#include "common/QuoteText.h"

#include <algorithm>
#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

[[noreturn]] void CannotOpen(const std::string& path, int error)
{
    // A missing file is the common case; the saving side's reason speaks of
    // the folder, which would mislead here.
    const std::string reason = error == ENOENT ? TText::tr("ファイルが見つかりません。") : ErrorReason(error);
    throw EFOpenError(Format(TText::tr("ファイル '%s' を開けません。%s").c_str(), QuotePath(path).c_str(), reason.c_str()));
}

[[noreturn]] void CannotRead(const std::string& path, int error)
{
    throw EFOpenError(Format(TText::tr("ファイル '%s' を読み込めません。%s").c_str(), QuotePath(path).c_str(), ErrorReason(error).c_str()));
}

[[noreturn]] void TooLarge(const std::string& path, uint64_t limit)
{
    throw EFOpenError(Format(TText::tr("ファイル '%s' は大きすぎます。読み込めるのは %s までです。").c_str(), QuotePath(path).c_str(),
                             SizeText(limit).c_str()));
}

// Refuses what is not a regular file, naming what it is.
void CheckRegular(const std::string& path, mode_t mode)
{
    if (S_ISREG(mode)) return;
    const char* kind = S_ISDIR(mode)    ? TText::Noop("フォルダー")
                       : S_ISFIFO(mode) ? TText::Noop("名前付きパイプ")
                       : S_ISCHR(mode) || S_ISBLK(mode) ? TText::Noop("デバイス")
                       : S_ISSOCK(mode) ? TText::Noop("ソケット")
                                        : TText::Noop("特殊なファイル");
    throw EFOpenError(
        Format(TText::tr("'%s' は%sです。読み込めるのは通常のファイルだけです。").c_str(), QuotePath(path).c_str(), TText::tr(kind).c_str()));
}

} // namespace

// The stream's buffer reads through the file's own Read, so the limit and
// the messages are the same whichever way the file is read.
class TInputFile::Buffer : public std::streambuf {
public:
    explicit Buffer(TInputFile& file) : file_(file) {}

protected:
    int_type underflow() override
    {
        if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
        const size_t n = file_.Read(data_, sizeof data_);
        if (n == 0) return traits_type::eof();
        setg(data_, data_, data_ + n);
        return traits_type::to_int_type(*gptr());
    }

private:
    TInputFile& file_;
    char data_[64 * 1024];
};

TInputFile::TInputFile(const std::string& path, uint64_t limit) : path_(path), limit_(limit)
{
    // Asked before opening: opening a pipe or a device can wait or act.
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) CannotOpen(path, errno);
    CheckRegular(path, st.st_mode);
    if (static_cast<uint64_t>(st.st_size) > limit) TooLarge(path, limit);
    // Between that question and the open the name may come to mean
    // something else: the open never waits, and the open file is asked again.
    fd_ = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd_ < 0) CannotOpen(path, errno);
    try {
        if (::fstat(fd_, &st) != 0) CannotOpen(path, errno);
        CheckRegular(path, st.st_mode);
        if (static_cast<uint64_t>(st.st_size) > limit) TooLarge(path, limit);
    } catch (...) {
        ::close(fd_);
        throw;
    }
    size_ = static_cast<uint64_t>(st.st_size);
}

TInputFile::~TInputFile()
{
    stream_.reset();
    if (fd_ >= 0) ::close(fd_);
}

size_t TInputFile::Read(char* buffer, size_t size)
{
    // One byte more than the limit allows shows that the file goes on.
    const uint64_t left = limit_ - std::min(read_, limit_);
    const uint64_t room = left == UINT64_MAX ? left : left + 1;
    const size_t want = static_cast<size_t>(std::min<uint64_t>(size, room));
    if (want == 0) return 0;
    ssize_t n;
    do n = ::read(fd_, buffer, want);
    while (n < 0 && errno == EINTR);
    if (n < 0) CannotRead(path_, errno);
    read_ += static_cast<uint64_t>(n);
    if (read_ > limit_) TooLarge(path_, limit_);
    return static_cast<size_t>(n);
}

std::string TInputFile::ReadAll()
{
    std::string bytes;
    // The claimed size is a hint only: a file may shrink or grow meanwhile.
    bytes.reserve(static_cast<size_t>(std::min(size_, limit_)));
    char chunk[64 * 1024];
    while (const size_t n = Read(chunk, sizeof chunk)) bytes.append(chunk, n);
    return bytes;
}

std::istream& TInputFile::Stream()
{
    if (!stream_) {
        buffer_ = std::make_unique<Buffer>(*this);
        stream_ = std::make_unique<std::istream>(buffer_.get());
        stream_->exceptions(std::ios::badbit);
    }
    return *stream_;
}

std::string ReadInputFile(const std::string& path, uint64_t limit)
{
    TInputFile file(path, limit);
    return file.ReadAll();
}

std::string SizeText(uint64_t bytes)
{
    const auto n = static_cast<unsigned long long>(bytes);
    if (bytes >= (uint64_t{1} << 20) && bytes % (uint64_t{1} << 20) == 0) return Format("%llu MiB", n >> 20);
    if (bytes >= 1024 && bytes % 1024 == 0) return Format("%llu KiB", n >> 10);
    return Format(TText::tr("%llu バイト").c_str(), n);
}
