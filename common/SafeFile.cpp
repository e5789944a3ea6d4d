// The new contents go to a new file in the target's own folder, so putting
// it in place is atomic and the old file survives any failure before that.
// On Linux the new file is unnamed until it is complete: nothing is left if
// the program dies, and the target's name may use the file system's whole
// name length. Folders that refuse new files (but hold a writable file) get
// the in-place fallback. There the new contents are first made whole in
// memory: a writer that fails half-way then has not touched the old file at
// all, and only a failing device needs the kept copy of the old bytes. The
// fallback is rare, so holding both copies once is an acceptable price, even
// for big images.
#include "common/SafeFile.h"

#include "common/ErrorReason.h"
#include "common/Exceptions.h"
#include "common/Format.h"
#include "common/QuoteText.h"
#include "common/Texts.h"

#include <cerrno>
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

// The program's message, then why, when that is known.
[[noreturn]] void CannotCreate(const std::string& path, const std::string& reason)
{
    throw EFOpenError(Format(TText::tr("ファイル '%s' を作成できません。").c_str(), QuotePath(path).c_str()) + reason);
}

[[noreturn]] void CannotCreate(const std::string& path, int error)
{
    CannotCreate(path, error != 0 ? ErrorReason(error) : std::string());
}

class Fd {
public:
    explicit Fd(int fd = -1) : fd_(fd) {}
    ~Fd() { Close(); }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int Get() const { return fd_; }
    void Reset(int fd)
    {
        Close();
        fd_ = fd;
    }
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
        if (n == 0) errno = EIO;
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
// write it refuses everything, so the stream turns bad and stays bad. The
// reason of the refusal is kept for the message.
class FdBuf : public std::streambuf {
public:
    FdBuf(int fd, const TFileSeams& seams) : fd_(fd), seams_(seams), buf_(256 * 1024) { Reset(); }
    int Error() const { return error_; }

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
    // A large piece (a picture's row) goes to the file as it is, after what
    // is buffered, instead of being copied through the buffer first.
    std::streamsize xsputn(const char* data, std::streamsize size) override
    {
        if (size < kDirectFrom) return std::streambuf::xsputn(data, size);
        if (!Drain()) return 0;
        if (!WriteAll(seams_, fd_, data, static_cast<size_t>(size))) {
            error_ = errno;
            return 0;
        }
        return size;
    }

private:
    void Reset() { setp(buf_.data(), buf_.data() + buf_.size()); }
    bool Drain()
    {
        if (error_ == 0 && !WriteAll(seams_, fd_, pbase(), static_cast<size_t>(pptr() - pbase()))) error_ = errno;
        Reset();
        return error_ == 0;
    }

    static constexpr std::streamsize kDirectFrom = 16 * 1024;

    int fd_;
    const TFileSeams& seams_;
    std::vector<char> buf_;
    int error_ = 0;
};

// Runs write to its end; a refused byte is the program's own message, with
// the reason the stream's device gave.
void RunWriter(const std::string& path, std::ostream& out, const Writer& write, const FdBuf* device)
{
    const auto refused = [&] { CannotCreate(path, device ? device->Error() : 0); };
    try {
        write(out);
    } catch (const EWriteError&) {
        refused();
    }
    out.flush();
    if (!out) refused();
}

std::string FolderOf(const std::string& path)
{
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The file path names once every symbolic link at its end is followed. A
// dangling link gives the path it names, where the file will be created.
std::string FollowLinks(const std::string& path)
{
    std::string current = path;
    // As many links as the system itself follows before it reports a loop.
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (::lstat(current.c_str(), &st) != 0) {
            if (errno == ENOENT) return current;
            CannotCreate(path, errno);
        }
        if (!S_ISLNK(st.st_mode)) return current;
        std::vector<char> buf(4096);
        ssize_t n;
        while ((n = ::readlink(current.c_str(), buf.data(), buf.size())) == static_cast<ssize_t>(buf.size()))
            buf.resize(buf.size() * 2);
        if (n < 0) CannotCreate(path, errno);
        const std::string target(buf.data(), static_cast<size_t>(n));
        current = !target.empty() && target.front() == '/' ? target : FolderOf(current) + "/" + target;
    }
    CannotCreate(path, ELOOP);
}

// A short name that does not grow with the target's, so a target whose name
// uses the whole allowed length can still be saved. The last six characters
// are made unique.
std::string TempTemplate(const std::string& folder) { return folder + "/.velquor-XXXXXX"; }

void FillUnique(std::string& pathTemplate)
{
    static constexpr char kChars[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device random;
    for (size_t i = pathTemplate.size() - 6; i < pathTemplate.size(); ++i)
        pathTemplate[i] = kChars[random() % (sizeof kChars - 1)];
}

// Like mkstemp, but the file starts with 0666 less the umask, as any new
// file of the program would.
int CreateTempBeside(std::string& pathTemplate)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        FillUnique(pathTemplate);
        const int fd = ::open(pathTemplate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

int CreateUnnamedIn(const std::string& folder, mode_t mode)
{
#ifdef O_TMPFILE
    // The file is named later through /proc, which must be there.
    if (::access("/proc/self/fd", X_OK) == 0) return ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, mode);
#endif
    errno = EOPNOTSUPP;
    return -1;
}

// Gives the complete unnamed file the name target: directly when there is
// no file yet, else through a short temporary name and a rename, since no
// call links a file over another.
int NameUnnamed(int fd, const std::string& target, bool exists)
{
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    if (!exists) {
        if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, target.c_str(), AT_SYMLINK_FOLLOW) == 0) return 0;
        if (errno != EEXIST) return errno;
    }
    std::string temp = TempTemplate(FolderOf(target));
    for (int attempt = 0; attempt < 100; ++attempt) {
        FillUnique(temp);
        if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, temp.c_str(), AT_SYMLINK_FOLLOW) != 0) {
            if (errno == EEXIST) continue;
            return errno;
        }
        if (::rename(temp.c_str(), target.c_str()) == 0) return 0;
        const int error = errno;
        ::unlink(temp.c_str());
        return error;
    }
    return EEXIST;
}

// Best effort: makes the new name itself survive a power cut.
void SyncFolder(const std::string& folder)
{
    Fd dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.Get() >= 0) (void)::fsync(dir.Get());
}

void OverwriteInPlace(const std::string& path, const std::string& target, const Writer& write, const TFileSeams& seams,
                      char padding)
{
    Fd fd(::open(target.c_str(), O_RDWR | O_CLOEXEC));
    if (fd.Get() < 0) CannotCreate(path, errno);
    std::string old;
    if (::flock(fd.Get(), LOCK_EX | LOCK_NB) != 0 || !ReadAll(fd.Get(), old)) CannotCreate(path, errno);
    std::ostringstream pending(std::ios::binary);
    RunWriter(path, pending, write, nullptr);
    std::string bytes = std::move(pending).str();
    const size_t length = bytes.size();
    // Until the cut, the file is the new content followed by bytes its
    // readers ignore, never by the old file's tail.
    if (bytes.size() < old.size()) bytes.append(old.size() - bytes.size(), padding);

    const auto truncate = [&](off_t size) {
        return seams.Truncate ? seams.Truncate(fd.Get(), size) : ::ftruncate(fd.Get(), size);
    };
    const bool written = ::lseek(fd.Get(), 0, SEEK_SET) == 0 && WriteAll(seams, fd.Get(), bytes.data(), bytes.size()) &&
                         ::fsync(fd.Get()) == 0 && truncate(static_cast<off_t>(length)) == 0 && ::fsync(fd.Get()) == 0;
    int error = errno;
    if (written) {
        if (fd.Close()) return;
        error = errno;
    }
    // Best effort: the device failed once, it may accept the old bytes.
    if (fd.Get() >= 0 && ::lseek(fd.Get(), 0, SEEK_SET) == 0 && WriteAll({}, fd.Get(), old.data(), old.size()) &&
        ::ftruncate(fd.Get(), static_cast<off_t>(old.size())) == 0)
        (void)::fsync(fd.Get());
    CannotCreate(path, error);
}

} // namespace

void WriteFileReplacing(const std::string& path, const Writer& write, const TFileSeams& seams, char padding)
{
    const std::string target = FollowLinks(path);
    struct stat st {};
    const bool exists = ::stat(target.c_str(), &st) == 0;
    // A directory or a write-protected file is not replaced by a save.
    if (exists && S_ISDIR(st.st_mode)) CannotCreate(path, EISDIR);
    if (exists && !S_ISREG(st.st_mode)) CannotCreate(path, TText::tr("通常のファイルではありません。"));
    if (exists && ::access(target.c_str(), W_OK) != 0) CannotCreate(path, errno);

    const std::string folder = FolderOf(target);
    const mode_t mode = exists ? st.st_mode & 07777 : 0666;
    Fd fd(seams.CreateUnnamed ? seams.CreateUnnamed(folder, mode) : CreateUnnamedIn(folder, mode));
    const bool unnamed = fd.Get() >= 0;
    std::string temp;
    if (!unnamed) {
        temp = TempTemplate(folder);
        fd.Reset(seams.CreateTemp ? seams.CreateTemp(temp) : CreateTempBeside(temp));
    }
    if (fd.Get() < 0) {
        if (!exists) CannotCreate(path, errno);
        OverwriteInPlace(path, target, write, seams, padding);
        return;
    }
    try {
        // The umask applies to a new file's mode, not to a kept one.
        if (exists && ::fchmod(fd.Get(), mode) != 0) CannotCreate(path, errno);
        FdBuf buf(fd.Get(), seams);
        std::ostream out(&buf);
        RunWriter(path, out, write, &buf);
        if (::fsync(fd.Get()) != 0) CannotCreate(path, errno);
        if (unnamed) {
            const int error = NameUnnamed(fd.Get(), target, exists);
            if (error != 0) CannotCreate(path, error);
            fd.Close();
        } else {
            if (!fd.Close() || ::rename(temp.c_str(), target.c_str()) != 0) CannotCreate(path, errno);
        }
    } catch (...) {
        fd.Close();
        if (!unnamed) ::unlink(temp.c_str());
        throw;
    }
    SyncFolder(folder);
}

void WriteFileReplacing(const std::string& path, const std::string& bytes, const TFileSeams& seams, char padding)
{
    WriteFileReplacing(
        path, [&bytes](std::ostream& out) { out.write(bytes.data(), static_cast<std::streamsize>(bytes.size())); },
        seams, padding);
}
