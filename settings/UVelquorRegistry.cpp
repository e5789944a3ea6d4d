// The four preferences, read and written in one fixed order.
#include "settings/UVelquorRegistry.h"

void TVelquorRegistry::LoadValues()
{
    PaletteDirectory = ReadString("Settings", "PaletteDirectory", "");
    StatusBar = ReadBool("View", "StatusBar", true);
    ToolBar = ReadBool("View", "ToolBar", true);
    VqpDirectory = ReadString("Settings", "VqpDirectory", "");
}

void TVelquorRegistry::SaveValues()
{
    WriteString("Settings", "PaletteDirectory", PaletteDirectory);
    WriteBool("View", "StatusBar", StatusBar);
    WriteBool("View", "ToolBar", ToolBar);
    WriteString("Settings", "VqpDirectory", VqpDirectory);
}
