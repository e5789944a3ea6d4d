// Locating the executable and the shipped data folder.
#include "AppPaths.h"

#include <filesystem>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#endif

namespace fs = std::filesystem;

namespace {

// Our strings are UTF-8; on Windows a plain char path would be read in the
// ANSI code page instead.
fs::path ToPath(const std::string& utf8)
{
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string FromPath(const fs::path& p)
{
    const std::u8string s = p.u8string();
    return std::string(s.begin(), s.end());
}

bool IsDir(const fs::path& p)
{
    std::error_code ec;
    return fs::is_directory(p, ec);
}

bool IsFile(const fs::path& p)
{
    std::error_code ec;
    return fs::is_regular_file(p, ec);
}

} // namespace

std::string ProgramDir()
{
    fs::path exe;
#ifdef _WIN32
    std::wstring buf(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
        if (n == 0) break;
        if (n < buf.size()) {
            buf.resize(n);
            exe = fs::path(buf);
            break;
        }
        buf.resize(buf.size() * 2);
    }
#else
    std::error_code ec;
    exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec) exe.clear();
#endif
    if (exe.empty()) {
        // Without the executable's own path the working folder is the best
        // guess left; callers still get an existing folder to look in.
        std::error_code cwdEc;
        const fs::path cwd = fs::current_path(cwdEc);
        return cwdEc ? std::string(".") : FromPath(cwd);
    }
    std::string dir = FromPath(exe.parent_path());
    while (dir.size() > 1 && (dir.back() == '/' || dir.back() == '\\') && dir[dir.size() - 2] != ':')
        dir.pop_back();
    return dir;
}

std::string DataDir(const std::string& programDir)
{
    const fs::path dir = ToPath(programDir);
    if (IsDir(dir / "mcf") || IsFile(dir / "Velquor.html")) return programDir;
    const std::string installed = programDir + "/../share/velquor";
    if (IsDir(ToPath(installed))) return installed;
    return programDir;
}

std::string DefaultPaletteFolder(const std::string& programDir)
{
    return DataDir(programDir) + "/mcf";
}

std::string HelpFolder(const std::string& programDir)
{
    return DataDir(programDir);
}
