// The wallpaper on Linux desktops that keep it in GSettings (GNOME, Unity,
// Budgie, Cinnamon). Elsewhere it declines quietly.
#pragma once

#include "platform/DesktopPlatform.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

// file:// URI of an absolute path, bytes outside the unreserved set escaped.
std::string FileUri(const std::string& absolutePath);
// A GVariant string literal, so gsettings never reinterprets the text.
std::string GVariantString(const std::string& text);

class TFreedesktopPlatform : public IDesktopPlatform {
public:
    using Runner = std::function<int(const std::vector<std::string>&)>;

    // currentDesktop is $XDG_CURRENT_DESKTOP; gsettingsFound tells whether
    // gsettings is on PATH; run starts it.
    TFreedesktopPlatform(std::string currentDesktop, bool gsettingsFound, Runner run);

    // Remembered until the wallpaper is set; they choose its placement.
    void WriteDesktopValue(const std::string& name, const std::string& value) override;
    bool SetDesktopWallpaper(const std::string& path) override;

private:
    // The GSettings schema of the running desktop, empty when there is none.
    std::string Schema() const;
    std::string PictureOptions() const;

    std::string currentDesktop_;
    bool gsettingsFound_;
    Runner run_;
    std::map<std::string, std::string> values_;
};
