// The program's four preferences: two folders and the visibility of the bars.
#pragma once

#include "settings/URegistryBase.h"

#include <string>

class TVelquorRegistry : public TRegistryBase {
public:
    TVelquorRegistry() : TRegistryBase("Orvak", "Velquor") {}

    std::string PaletteDirectory;
    bool StatusBar = true;
    bool ToolBar = true;
    std::string VqpDirectory;

protected:
    void LoadValues() override;
    void SaveValues() override;
};
