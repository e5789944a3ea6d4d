// The palette browser's list: which palettes, in what order, with which
// colours; and the recent list.
#include "document/PaletteCatalog.h"

#include "palette/UMcf.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

std::vector<std::string> Names(const std::vector<TPaletteEntry>& list)
{
    std::vector<std::string> names;
    for (const TPaletteEntry& e : list) names.push_back(e.name);
    return names;
}

} // namespace

TEST(PaletteCatalog, ListsRecentThenFolderThenShippedWithTheBuiltInFirst)
{
    TempDir folder, shipped;
    const std::string b = folder.Write("b.MCF", "000000\nFF0000\n00FF00\n");
    folder.Write("a.mcf", "#GRAD 000000,FFFFFF,4\n");
    folder.Write("notes.txt", "FF0000\n");
    folder.Write("bad.mcf", "000000\nxyz\n");
    std::filesystem::create_directory(folder / "sub.mcf");
    shipped.Write("zz.mcf", "000000\n0000FF\n");
    const std::string recent = shipped.Write("r.mcf", "123456\n654321\n");

    const std::vector<TPaletteEntry> list = ListPalettes({recent, folder / "gone.mcf"}, folder.Path(), shipped.Path());
    EXPECT_EQ(Names(list), (std::vector<std::string>{"r", "a", "b", "bad", "標準", "r", "zz"}));
    EXPECT_EQ(list[0].group, TPaletteGroup::Recent);
    EXPECT_EQ(list[1].group, TPaletteGroup::Folder);
    EXPECT_EQ(list[4].group, TPaletteGroup::Shipped);
    EXPECT_TRUE(list[4].path.empty());
    EXPECT_EQ(list[2].path, b);

    // Entries 1 to High: the colours a drawing shows, entry 0 left out.
    EXPECT_EQ(list[0].strip, std::vector<int32_t>{0x214365});
    EXPECT_EQ(list[1].strip, (std::vector<int32_t>{0x404040, 0x808080, 0xBFBFBF}));
    EXPECT_EQ(list[2].strip, (std::vector<int32_t>{0x0000FF, 0x00FF00}));
    EXPECT_EQ(list[3].error, "2行目の形式が不正です。xyz");
    EXPECT_TRUE(list[3].strip.empty());
    EXPECT_EQ(list[4].strip.size(), 127u);
    EXPECT_EQ(list[4].strip[0], 132104);
}

TEST(PaletteCatalog, ListsEveryFormatItReadsWithItsColoursAndMessages)
{
    TempDir folder, shipped;
    folder.Write("fractint.map", "0 0 0\n255 0 0 red\n0 0 255\n");
    folder.Write("gimp.GPL", "GIMP Palette\nName: g\n#\n0 0 0 black\n0 255 0 green\n");
    folder.Write("broken.gpl", "not a palette\n");
    folder.Write("ramp.ggr",
                 "GIMP Gradient\nName: r\n1\n0 0.5 1 0 0 0 1 1 1 1 1 0 0\n");
    const std::vector<TPaletteEntry> list = ListPalettes({}, folder.Path(), shipped.Path());
    EXPECT_EQ(Names(list), (std::vector<std::string>{"broken", "fractint", "gimp", "ramp", "標準"}));
    EXPECT_FALSE(list[0].error.empty());
    EXPECT_EQ(list[1].strip, (std::vector<int32_t>{0x0000FF, 0xFF0000}));
    EXPECT_EQ(list[2].strip, std::vector<int32_t>{0x00FF00});
    EXPECT_TRUE(list[3].error.empty()) << list[3].error;
    EXPECT_EQ(list[3].strip.size(), 255u);
    EXPECT_EQ(list[3].strip.back(), 0xFFFFFF);
}

TEST(PaletteCatalog, AMissingOrSharedFolderAddsNothingOfItsOwn)
{
    TempDir shipped;
    shipped.Write("one.mcf", "000000\nFFFFFF\n");
    for (const std::string& folder : {std::string(), shipped / "missing", shipped.Path(), shipped.Path() + "/."})
        EXPECT_EQ(Names(ListPalettes({}, folder, shipped.Path())), (std::vector<std::string>{"標準", "one"}))
            << folder;
}

TEST(PaletteCatalog, StripSpreadsLargePalettesEvenlyAndSkipsEntryZero)
{
    TMcf mcf;
    for (int32_t i = 0; i <= 1000; ++i) mcf.Add(i);
    EXPECT_EQ(StripColors(mcf, 4), (std::vector<int32_t>{1, 251, 501, 751}));
    EXPECT_EQ(StripColors(mcf, 2000).size(), 1000u);
    EXPECT_EQ(StripColors(mcf, 2000).back(), 1000);
    TMcf single;
    single.Add(5);
    EXPECT_TRUE(StripColors(single).empty());
}

TEST(PaletteCatalog, RecentListPutsTheLastUsedOnTopOnceAndKeepsTen)
{
    std::vector<std::string> recent;
    for (int i = 0; i < 12; ++i) recent = WithRecent(recent, "p" + std::to_string(i));
    ASSERT_EQ(recent.size(), kMostRecent);
    EXPECT_EQ(recent.front(), "p11");
    EXPECT_EQ(recent.back(), "p2");
    recent = WithRecent(recent, "p5");
    EXPECT_EQ(recent.size(), kMostRecent);
    EXPECT_EQ(recent[0], "p5");
    EXPECT_EQ(recent[1], "p11");
    EXPECT_EQ(std::count(recent.begin(), recent.end(), "p5"), 1);
}
