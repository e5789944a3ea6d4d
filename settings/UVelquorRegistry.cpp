// The preferences, read and written in one fixed order: the four first.
#include "settings/UVelquorRegistry.h"

namespace {

std::string RecentName(int slot) { return "File" + std::to_string(slot + 1); }

} // namespace

void TVelquorRegistry::LoadValues()
{
    PaletteDirectory = ReadString("Settings", "PaletteDirectory", "");
    StatusBar = ReadBool("View", "StatusBar", true);
    ToolBar = ReadBool("View", "ToolBar", true);
    VqpDirectory = ReadString("Settings", "VqpDirectory", "");

    WindowGeometry = ReadString("Window", "Geometry", "");
    FormulaDialogPlace = ReadString("Window", "FormulaDialog", "");
    FollowWindow = ReadBool("View", "FollowWindow", false);
    RecentFiles.clear();
    for (int slot = 0; slot < kRecentSlots; ++slot) {
        const std::string file = ReadString("Recent", RecentName(slot), "");
        if (!file.empty()) RecentFiles.push_back(file);
    }
    Language = ReadString("Settings", "Language", "ja");
    PaletteBrowser = ReadBool("View", "PaletteBrowser", false);
    RecentPalettes.clear();
    for (int i = 1; i <= kMostRecentPalettes; ++i) {
        std::string path = ReadString("RecentPalettes", RecentName(i - 1), "");
        if (!path.empty()) RecentPalettes.push_back(std::move(path));
    }
}

void TVelquorRegistry::SaveValues()
{
    WriteString("Settings", "PaletteDirectory", PaletteDirectory);
    WriteBool("View", "StatusBar", StatusBar);
    WriteBool("View", "ToolBar", ToolBar);
    WriteString("Settings", "VqpDirectory", VqpDirectory);

    WriteString("Window", "Geometry", WindowGeometry);
    WriteString("Window", "FormulaDialog", FormulaDialogPlace);
    WriteBool("View", "FollowWindow", FollowWindow);
    // Every slot is written, so a shorter list leaves no old entry behind.
    for (int slot = 0; slot < kRecentSlots; ++slot)
        WriteString("Recent", RecentName(slot),
                    slot < static_cast<int>(RecentFiles.size()) ? RecentFiles[static_cast<size_t>(slot)] : "");
    WriteString("Settings", "Language", Language);
    WriteBool("View", "PaletteBrowser", PaletteBrowser);
    for (int i = 1; i <= kMostRecentPalettes; ++i) {
        const auto at = static_cast<size_t>(i - 1);
        WriteString("RecentPalettes", RecentName(i - 1), at < RecentPalettes.size() ? RecentPalettes[at] : "");
    }
}
