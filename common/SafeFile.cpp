// The new contents go to a temporary file in the target's own folder, so the
// final rename is atomic and the old file survives any failure before it.
// Folders that refuse new files (but hold a writable file) get the in-place
// fallback. There the new contents are first made whole in memory: a writer
// that fails half-way then has not touched the old file at all, and only a
// failing device needs the kept copy of the old bytes. The fallback is rare,
// so holding both copies once is an acceptable price, even for big images.
#include "common/SafeFile.h"

#include "common/Exceptions.h"
#include "common/Format.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <random>
#include <sstream>
#include <streambuf>
#include <vector>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using Writer = std::function<void(std::ostream&)>;

[[noreturn]] void CannotCreate(const std::string& path)
{
    throw EFOpenError(Format("ファイル '%s' を作成できません。", path.c_str()));
}

class Fd {
public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() { Close(); }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int Get() const { return fd_; }
    bool Close()
    {
        if (fd_ < 0) return true;
        const bool ok = ::close(fd_) == 0;
        fd_ = -1;
        return ok;
    }

private:
    int fd_;
};

bool WriteAll(const TFileSeams& seams, int fd, const char* data, size_t size)
{
    while (size > 0) {
        const ssize_t n = seams.Write ? seams.Write(fd, data, size) : ::write(fd, data, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        data += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

bool ReadAll(int fd, std::string& out)
{
    char buf[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        if (n == 0) return true;
        out.append(buf, static_cast<size_t>(n));
    }
}

// Hands a stream's bytes to a descriptor in large pieces; after one refused
// write it refuses everything, so the stream turns bad and stays bad.
class FdBuf : public std::streambuf {
public:
    FdBuf(int fd, const TFileSeams& seams) : fd_(fd), seams_(seams), buf_(256 * 1024) { Reset(); }

protected:
    int_type overflow(int_type ch) override
    {
        if (!Drain()) return traits_type::eof();
        if (traits_type::eq_int_type(ch, traits_type::eof())) return traits_type::not_eof(ch);
        *pptr() = traits_type::to_char_type(ch);
        pbump(1);
        return ch;
    }
    int sync() override { return Drain() ? 0 : -1; }

private:
    void Reset() { setp(buf_.data(), buf_.data() + buf_.size()); }
    bool Drain()
    {
        failed_ = failed_ || !WriteAll(seams_, fd_, pbase(), static_cast<size_t>(pptr() - pbase()));
        Reset();
        return !failed_;
    }

    int fd_;
    const TFileSeams& seams_;
    std::vector<char> buf_;
    bool failed_ = false;
};

// Like mkstemp, but the file starts with 0666 less the umask, as any new
// file of the program would.
int CreateTempBeside(std::string& pathTemplate)
{
    static constexpr char kChars[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        for (size_t i = pathTemplate.size() - 6; i < pathTemplate.size(); ++i)
            pathTemplate[i] = kChars[random() % (sizeof kChars - 1)];
        const int fd = ::open(pathTemplate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

// A symbolic link keeps pointing at the file it named.
std::string ResolveTarget(const std::string& path)
{
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        char resolved[PATH_MAX];
        if (::realpath(path.c_str(), resolved)) return resolved;
    }
    return path;
}

// Runs write to its end; a refused byte is the program's own message.
void RunWriter(const std::string& path, std::ostream& out, const Writer& write)
{
    try {
        write(out);
    } catch (const EWriteError&) {
        CannotCreate(path);
    }
    out.flush();
    if (!out) CannotCreate(path);
}

void OverwriteInPlace(const std::string& path, const std::string& target, const Writer& write, const TFileSeams& seams)
{
    Fd fd(::open(target.c_str(), O_RDWR | O_CLOEXEC));
    std::string old;
    if (fd.Get() < 0 || ::flock(fd.Get(), LOCK_EX | LOCK_NB) != 0 || !ReadAll(fd.Get(), old)) CannotCreate(path);
    std::ostringstream pending(std::ios::binary);
    RunWriter(path, pending, write);
    const std::string bytes = std::move(pending).str();

    const bool written = ::lseek(fd.Get(), 0, SEEK_SET) == 0 && WriteAll(seams, fd.Get(), bytes.data(), bytes.size()) &&
                         ::ftruncate(fd.Get(), static_cast<off_t>(bytes.size())) == 0 && ::fsync(fd.Get()) == 0;
    if (written && fd.Close()) return;
    // Best effort: the device failed once, it may accept the old bytes.
    if (fd.Get() >= 0 && ::lseek(fd.Get(), 0, SEEK_SET) == 0 && WriteAll({}, fd.Get(), old.data(), old.size()) &&
        ::ftruncate(fd.Get(), static_cast<off_t>(old.size())) == 0)
        (void)::fsync(fd.Get());
    CannotCreate(path);
}

} // namespace

void WriteFileReplacing(const std::string& path, const Writer& write, const TFileSeams& seams)
{
    const std::string target = ResolveTarget(path);
    struct stat st {};
    const bool exists = ::stat(target.c_str(), &st) == 0;
    // A directory or a write-protected file is not replaced by a save.
    if (exists && (!S_ISREG(st.st_mode) || ::access(target.c_str(), W_OK) != 0)) CannotCreate(path);

    const size_t slash = target.rfind('/');
    const size_t nameAt = slash == std::string::npos ? 0 : slash + 1;
    std::string temp = target.substr(0, nameAt) + "." + target.substr(nameAt) + ".XXXXXX";
    Fd fd(seams.CreateTemp ? seams.CreateTemp(temp) : CreateTempBeside(temp));
    if (fd.Get() < 0) {
        if (!exists) CannotCreate(path);
        OverwriteInPlace(path, target, write, seams);
        return;
    }
    try {
        if (exists && ::fchmod(fd.Get(), st.st_mode & 07777) != 0) CannotCreate(path);
        FdBuf buf(fd.Get(), seams);
        std::ostream out(&buf);
        RunWriter(path, out, write);
        if (::fsync(fd.Get()) != 0 || !fd.Close() || ::rename(temp.c_str(), target.c_str()) != 0) CannotCreate(path);
    } catch (...) {
        fd.Close();
        ::unlink(temp.c_str());
        throw;
    }
}

void WriteFileReplacing(const std::string& path, const std::string& bytes, const TFileSeams& seams)
{
    WriteFileReplacing(
        path, [&bytes](std::ostream& out) { out.write(bytes.data(), static_cast<std::streamsize>(bytes.size())); },
        seams);
}
