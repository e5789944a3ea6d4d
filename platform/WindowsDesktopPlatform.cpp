// The wallpaper on Windows: desktop values in the registry, then
// SystemParametersInfoA, as the Control Panel itself does it.
#ifdef _WIN32
#include "common/Exceptions.h"
#include "common/Format.h"
#include "platform/DesktopPlatform.h"

#include <windows.h>

namespace {

// Closes a registry key on every way out.
class TRegKey {
public:
    TRegKey(HKEY parent, const char* name)
    {
        if (RegCreateKeyExA(parent, name, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE | KEY_CREATE_SUB_KEY, nullptr,
                            &key_, nullptr) != ERROR_SUCCESS)
            throw Exception(Format("Registry key '%s' cannot be created", name));
    }
    ~TRegKey() { RegCloseKey(key_); }
    TRegKey(const TRegKey&) = delete;
    TRegKey& operator=(const TRegKey&) = delete;
    HKEY Get() const { return key_; }

private:
    HKEY key_ = nullptr;
};

class TWindowsDesktopPlatform : public IDesktopPlatform {
public:
    void WriteDesktopValue(const std::string& name, const std::string& value) override
    {
        TRegKey panel(HKEY_CURRENT_USER, "Control Panel");
        TRegKey desktop(panel.Get(), "Desktop");
        if (RegSetValueExA(desktop.Get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                           static_cast<DWORD>(value.size() + 1)) != ERROR_SUCCESS)
            throw Exception(Format("Registry value '%s' cannot be written", name.c_str()));
    }

    bool SetDesktopWallpaper(const std::string& path) override
    {
        return SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, const_cast<char*>(path.c_str()), SPIF_UPDATEINIFILE) !=
               FALSE;
    }
};

} // namespace

std::unique_ptr<IDesktopPlatform> MakeDesktopPlatform() { return std::make_unique<TWindowsDesktopPlatform>(); }
#endif
