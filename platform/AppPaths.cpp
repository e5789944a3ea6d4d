// Locating the executable and the shipped data folder.
#include "platform/AppPaths.h"

#include "common/FileSystem.h"
#include "common/Texts.h"

#include <filesystem>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#endif

namespace fs = std::filesystem;

namespace {

std::string FromPath(const fs::path& p)
{
    const std::u8string s = p.u8string();
    return std::string(s.begin(), s.end());
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
    while (dir.size() > 1 && (dir.back() == '/' || dir.back() == '\\') && dir[dir.size() - 2] != ':') dir.pop_back();
    return dir;
}

std::string DataDir(const std::string& programDir)
{
    if (IsFolder(programDir + "/mcf") || IsFile(programDir + "/Velquor.html")) return programDir;
    const std::string installed = programDir + "/../share/velquor";
    if (IsFolder(installed)) return installed;
    return programDir;
}

std::string DefaultPaletteFolder(const std::string& programDir) { return DataDir(programDir) + "/mcf"; }

std::string HelpFolder(const std::string& programDir) { return DataDir(programDir); }

std::string HelpPageName(const std::string& programDir)
{
    if (TextLanguage() == TTextLanguage::English && IsFile(HelpFolder(programDir) + "/Velquor.en.html"))
        return "Velquor.en.html";
    return "Velquor.html";
}
