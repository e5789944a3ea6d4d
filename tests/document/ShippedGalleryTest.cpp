// The gallery we ship: every document opens as any other document would,
// finds its shipped palette, draws a typed formula without a failure, and
// saves back to the very bytes it was shipped as.
#include "document/MainOperations.h"
#include "document/UVqd.h"
#include "platform/AppPaths.h"
#include "tests/support/Pictures.h"

#include "tests/support/Files.h"
#include "tests/support/TempDir.h"
#include "tests/support/WaitingHost.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

namespace fs = std::filesystem;

TEST(ShippedGalleryTest, EveryDocumentOpensDrawsAndSavesBackWithItsPalette)
{
    const fs::path folder = fs::path(DataDir(ProgramDir())) / "gallery";
    ASSERT_TRUE(fs::is_directory(folder)) << folder;
    TempDir dir;
    int documents = 0;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.path().extension() != ".vqp") continue;
        const std::u8string u8 = entry.path().u8string();
        const std::string path(u8.begin(), u8.end());
        SCOPED_TRACE(path);
        ++documents;

        TWaitingHost host;
        TMainOperations ops(host, ProgramDir());
        host.ops = &ops;
        ops.OpenDocument(path);
        EXPECT_TRUE(host.messages.empty()) << host.messages.front();
        EXPECT_EQ(ops.FormulaType(), kExpressionFormulaType);
        EXPECT_EQ(ops.Pattern().ErrorMessage(), "");
        std::set<uint32_t> colours;
        const TBitmap24& picture = ops.ImageBitmap();
        for (int y = 0; y < picture.Height(); y += 3)
            for (int x = 0; x < picture.Width(); x += 3) colours.insert(PixelAt(picture, x, y));
        EXPECT_GT(colours.size(), 32u);

        // Saved again, the document is the same but for the palette it now
        // carries, the shipped file's own text.
        ops.SaveDocument(dir / "again.vqp");
        std::string again = ReadBytes(dir / "again.vqp");
        const std::string end = "\t\t</palettetext>\r\n";
        const size_t from = again.find("\t\t<palettetext>\r\n");
        const size_t to = again.find(end);
        ASSERT_NE(from, std::string::npos);
        ASSERT_NE(to, std::string::npos);
        TVqd carried;
        carried.LoadFromFile(dir / "again.vqp");
        EXPECT_EQ(carried.PaletteText, ops.Pattern().Mcf().Text);
        again.erase(from, to + end.size() - from);
        EXPECT_EQ(again, ReadBytes(path));
    }
    EXPECT_GE(documents, 8);
}
