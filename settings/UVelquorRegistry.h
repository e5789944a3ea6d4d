// The program's four preferences (two folders and the visibility of the
// bars), and beside them what makes the window a workspace between runs: its
// place and size, the formula dialog's place, the last documents, whether
// the picture follows the window, the window's language, the palette
// browser's visibility and the recently used palettes.
#pragma once

#include "settings/URegistryBase.h"

#include <string>
#include <vector>

class TVelquorRegistry : public TRegistryBase {
public:
    TVelquorRegistry() : TRegistryBase("Orvak", "Velquor") {}

    std::string PaletteDirectory;
    bool StatusBar = true;
    bool ToolBar = true;
    std::string VqpDirectory;
    // "ja" (the default), "en" or "system"; read at start, so a change made
    // in the options dialog applies from the next start.
    std::string Language = "ja";
    bool PaletteBrowser = false;
    // Most recent first; as many as the store keeps.
    static constexpr int kMostRecentPalettes = 10;
    std::vector<std::string> RecentPalettes;

    // Qt's saved geometry of the main window in base 64; empty for none.
    std::string WindowGeometry;
    // "left,top" of the formula dialog; empty: centred over the window.
    std::string FormulaDialogPlace;
    // The last documents, newest first.
    std::vector<std::string> RecentFiles;
    bool FollowWindow = false;

    // Entries kept in the store for the recent list.
    static constexpr int kRecentSlots = 8;

protected:
    void LoadValues() override;
    void SaveValues() override;
};
