// The new contents go to a temporary file in the target's own folder, so the
// final rename is atomic and the old document survives any failure before
// it. Folders that refuse new files (but hold a writable document) get the
// in-place fallback, which keeps a copy of the old bytes to restore.
#include "SafeFileWriter.h"

#include "Exceptions.h"
#include "Format.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

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

bool WriteAll(const TFileSeams& seams, int fd, const std::string& bytes)
{
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = seams.Write ? seams.Write(fd, bytes.data() + done, bytes.size() - done)
                                      : ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
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

// A symbolic link keeps pointing at the document it named.
std::string ResolveTarget(const std::string& path)
{
    struct stat st;
    if (::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        char resolved[PATH_MAX];
        if (::realpath(path.c_str(), resolved)) return resolved;
    }
    return path;
}

mode_t NewFileMode(const std::string& target)
{
    struct stat st;
    if (::stat(target.c_str(), &st) == 0) return st.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Returns false when the temporary file could not even be created.
bool ReplaceByRename(const std::string& target, const std::string& bytes, const TFileSeams& seams,
                     const std::string& message)
{
    const size_t slash = target.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
    std::string temp = folder + "." + name + ".XXXXXX";
    Fd fd(seams.CreateTemp ? seams.CreateTemp(temp) : ::mkstemp(temp.data()));
    if (fd.Get() < 0) return false;

    const bool written = ::fchmod(fd.Get(), NewFileMode(target)) == 0 && WriteAll(seams, fd.Get(), bytes) &&
                         ::fsync(fd.Get()) == 0;
    if (!fd.Close() || !written || ::rename(temp.c_str(), target.c_str()) != 0) {
        ::unlink(temp.c_str());
        throw EFOpenError(message);
    }
    return true;
}

void OverwriteInPlace(const std::string& target, const std::string& bytes, const TFileSeams& seams,
                      const std::string& message)
{
    Fd fd(::open(target.c_str(), O_RDWR | O_CLOEXEC));
    if (fd.Get() < 0 || ::flock(fd.Get(), LOCK_EX | LOCK_NB) != 0) throw EFOpenError(message);
    std::string old;
    if (!ReadAll(fd.Get(), old)) throw EFOpenError(message);

    const bool written = ::lseek(fd.Get(), 0, SEEK_SET) == 0 && WriteAll(seams, fd.Get(), bytes) &&
                         ::ftruncate(fd.Get(), static_cast<off_t>(bytes.size())) == 0 && ::fsync(fd.Get()) == 0;
    if (written && fd.Close()) return;
    // Best effort: the device failed once, it may accept the old bytes.
    if (fd.Get() >= 0 && ::lseek(fd.Get(), 0, SEEK_SET) == 0 && WriteAll(TFileSeams{}, fd.Get(), old))
        (void)!::ftruncate(fd.Get(), static_cast<off_t>(old.size()));
    throw EFOpenError(message);
}

} // namespace

void ReplaceFileContents(const std::string& path, const std::string& bytes, const TFileSeams& seams)
{
    const std::string message = Format("ファイル '%s' を作成できません。", path.c_str());
    const std::string target = ResolveTarget(path);
    if (ReplaceByRename(target, bytes, seams, message)) return;
    OverwriteInPlace(target, bytes, seams, message);
}
