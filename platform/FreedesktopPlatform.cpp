// gsettings is started directly (see Process.h), so a path can never be
// taken apart or interpreted by a shell.
#ifndef _WIN32
#include "platform/FreedesktopPlatform.h"

#include "platform/Process.h"

#include <cstdlib>
#include <filesystem>
#include <sstream>

std::string FileUri(const std::string& absolutePath)
{
    static const char* const hex = "0123456789ABCDEF";
    std::string uri = "file://";
    for (unsigned char c : absolutePath) {
        const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
                           c == '.' || c == '_' || c == '~' || c == '/';
        if (plain) {
            uri += static_cast<char>(c);
        } else {
            uri += '%';
            uri += hex[c >> 4];
            uri += hex[c & 15];
        }
    }
    return uri;
}

std::string GVariantString(const std::string& text)
{
    std::string literal = "'";
    for (char c : text) {
        if (c == '\'' || c == '\\') literal += '\\';
        literal += c;
    }
    literal += '\'';
    return literal;
}

TFreedesktopPlatform::TFreedesktopPlatform(std::string currentDesktop, bool gsettingsFound, Runner run)
    : currentDesktop_(std::move(currentDesktop)), gsettingsFound_(gsettingsFound), run_(std::move(run))
{}

void TFreedesktopPlatform::WriteDesktopValue(const std::string& name, const std::string& value)
{
    values_[name] = value;
}

std::string TFreedesktopPlatform::Schema() const
{
    // XDG_CURRENT_DESKTOP is a colon-separated list such as "ubuntu:GNOME".
    std::stringstream names(currentDesktop_);
    std::string name;
    while (std::getline(names, name, ':')) {
        for (char& c : name)
            if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        if (name == "X-CINNAMON" || name == "CINNAMON") return "org.cinnamon.desktop.background";
        if (name == "GNOME" || name == "UNITY" || name == "BUDGIE" || name == "BUDGIE-DESKTOP")
            return "org.gnome.desktop.background";
    }
    return {};
}

std::string TFreedesktopPlatform::PictureOptions() const
{
    const auto value = [this](const char* name) {
        const auto it = values_.find(name);
        return it == values_.end() ? std::string() : it->second;
    };
    if (value("TileWallpaper") == "1") return "wallpaper";
    if (value("Wallpaperstyle") == "2") return "stretched";
    return "centered";
}

bool TFreedesktopPlatform::SetDesktopWallpaper(const std::string& path)
{
    const std::string schema = Schema();
    if (!gsettingsFound_ || schema.empty()) return false;
    std::error_code error;
    const std::string absolute = std::filesystem::absolute(path, error).string();
    if (error) return false;
    const std::string uri = GVariantString(FileUri(absolute));
    const bool picture = run_({"gsettings", "set", schema, "picture-uri", uri}) == 0;
    // Only newer GNOME has a separate picture for the dark style; its absence is no failure.
    if (picture && schema == "org.gnome.desktop.background")
        run_({"gsettings", "set", schema, "picture-uri-dark", uri});
    const bool placed = run_({"gsettings", "set", schema, "picture-options", PictureOptions()}) == 0;
    return picture && placed;
}

std::unique_ptr<IDesktopPlatform> MakeDesktopPlatform()
{
    const char* desktop = std::getenv("XDG_CURRENT_DESKTOP");
    return std::make_unique<TFreedesktopPlatform>(desktop ? desktop : "", FindOnPath("gsettings"), RunProgram);
}
#endif
