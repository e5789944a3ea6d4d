// Writing through a temporary file, so a failed save never destroys the
// previous file of that name.
#include "SafeFile.h"

#include "Format.h"
#include "ImagingErrors.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <fstream>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

[[noreturn]] void ThrowCannotCreate(const std::string& path)
{
    throw EFOpenError(Format("ファイル '%s' を作成できません。", path.c_str()));
}

// Creates a new, empty file next to path; O_EXCL makes sure it is ours.
std::string CreateTemporaryBeside(const std::string& path, mode_t mode)
{
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string name =
            Format("%s.~%ld.%u", path.c_str(), static_cast<long>(getpid()), counter.fetch_add(1));
        const int fd = open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            // Keep the permissions an existing file had; a new one gets the umask's.
            if (mode != 0) fchmod(fd, mode);
            close(fd);
            return name;
        }
        if (errno != EEXIST) break;
    }
    ThrowCannotCreate(path);
}

} // namespace

void WriteFileReplacing(const std::string& path, const std::function<void(std::ostream&)>& write)
{
    mode_t mode = 0;
    struct stat st {};
    if (stat(path.c_str(), &st) == 0) {
        // A directory or a write-protected file cannot be replaced by a save.
        if (!S_ISREG(st.st_mode) || access(path.c_str(), W_OK) != 0) ThrowCannotCreate(path);
        mode = st.st_mode & 07777;
    }
    const std::string temporary = CreateTemporaryBeside(path, mode);
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    try {
        if (!out) ThrowCannotCreate(path);
        write(out);
        out.flush();
        if (!out) ThrowCannotCreate(path);
        out.close();
        if (out.fail()) ThrowCannotCreate(path);
        if (std::rename(temporary.c_str(), path.c_str()) != 0) ThrowCannotCreate(path);
    } catch (const EWriteError&) {
        std::remove(temporary.c_str());
        ThrowCannotCreate(path);
    } catch (...) {
        std::remove(temporary.c_str());
        throw;
    }
}
