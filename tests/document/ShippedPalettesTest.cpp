// Every palette we ship loads with the program's own reader and is big enough
// to give a pattern some variety.
#include "palette/UMcf.h"
#include "platform/AppPaths.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <stdexcept>

namespace fs = std::filesystem;

TEST(ShippedPalettesTest, EveryPaletteLoadsWithAtLeast64Colours)
{
    const fs::path folder = fs::path(DefaultPaletteFolder(ProgramDir()));
    ASSERT_TRUE(fs::is_directory(folder)) << folder;

    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.path().extension() != ".mcf") continue;
        const std::u8string u8 = entry.path().u8string();
        const std::string path(u8.begin(), u8.end());
        TMcf mcf;
        try {
            mcf.LoadFromFile(path);
        } catch (const std::exception& e) {
            ADD_FAILURE() << path << ": " << e.what();
            continue;
        }
        EXPECT_GE(mcf.High + 1, 64) << path;
        EXPECT_LE(mcf.High + 1, 256) << path;
        EXPECT_EQ(mcf.FileName, path);
        names.insert(mcf.GetName());
    }
    EXPECT_GE(names.size(), 8u);
    // The document template names this palette, so it must always be there.
    EXPECT_EQ(names.count("稲妻"), 1u);
}
