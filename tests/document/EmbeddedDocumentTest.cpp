// Exported pictures that open as their pattern: the document in the PNG
// round trips exactly, wherever a document is accepted, and a PNG without
// one, or with a damaged one, is refused with a message and changes nothing.
#include "document/ImageExport.h"
#include "document/PngDocument.h"

#include "common/Exceptions.h"
#include "common/TextEncoding.h"
#include "document/MainOperations.h"
#include "document/UVqd.h"
#include "imaging/PngFile.h"
#include "tests/support/Files.h"
#include "tests/support/Pictures.h"
#include "tests/support/TempDir.h"
#include "tests/support/WaitingHost.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

class EmbeddedDocumentTest : public ::testing::Test {
protected:
    EmbeddedDocumentTest() : ops_(host_, dir_.Path()), other_(otherHost_, dir_.Path())
    {
        host_.ops = &ops_;
        otherHost_.ops = &other_;
        std::filesystem::create_directories(dir_ / "pal");
        WriteBytes(dir_ / "pal/稲妻.mcf", "000000\nFF0000\n00FF00\n0000FF\n");
        host_.paletteDirectory = otherHost_.paletteDirectory = dir_ / "pal";
    }

    // A pattern that differs from the start-up one in every field.
    void SetUpPattern()
    {
        ops_.SelectFormula(2, "x*x - 3*sin(y/7)");
        ops_.SetColorChange(0.123456789012345);
        ops_.SetArea(-1.5L, 2.0e-7L, 0.0003L, 0.00025L);
        ops_.SetImageSize(37, 29);
        ops_.SelectPointMove(4, {1.5L, -0.25L, 3, 0.125L});
        ops_.SetShadeOff(true);
        ops_.LoadPalette(dir_ / "pal/稲妻.mcf");
    }

    std::string Export(const std::string& name, bool embed = true)
    {
        TExportOptions o;
        o.size = {20, 10, 1, 2};
        o.embedDocument = embed;
        TImageExport(ops_, o).Run(dir_ / name);
        return dir_ / name;
    }

    TempDir dir_;
    TWaitingHost host_, otherHost_;
    TMainOperations ops_, other_;
};

TEST_F(EmbeddedDocumentTest, ThePngCarriesTheDocumentAndOpensAsThePattern)
{
    SetUpPattern();
    const std::string png = Export("p.png");
    ops_.SaveDocument(dir_ / "p.vqp");

    // The text is the saved document, in UTF-8 as iTXt has it.
    size_t bad = 0;
    std::string expected = *Cp932ToUtf8(ReadBytes(dir_ / "p.vqp"), bad);
    expected.replace(expected.find("Shift_JIS"), 9, "UTF-8");
    EXPECT_EQ(EmbeddedDocument(png), expected);

    // Opened, dropped, or given to the renderer on the command line (which
    // opens it the same way): the very pattern the .vqp gives.
    TMainOperations fromVqp(otherHost_, dir_.Path());
    other_.OpenDocument(png);
    const TPatternSnapshot opened = other_.Snapshot();
    EXPECT_TRUE(SamePattern(opened, ops_.Snapshot()));
    EXPECT_EQ(other_.FormulaName(), "x*x - 3*sin(y/7)");
    EXPECT_EQ(other_.Pattern().GetPaletteName(), "稲妻");
    EXPECT_TRUE(otherHost_.messages.empty());

    other_.SelectFormula(1, "0");
    other_.DropFiles({png});
    EXPECT_TRUE(SamePattern(other_.Snapshot(), opened));
    EXPECT_TRUE(otherHost_.errors.empty());
}

TEST_F(EmbeddedDocumentTest, PngsWithoutASoundDocumentAreRefusedAndChangeNothing)
{
    SetUpPattern();
    const std::string plain = Export("plain.png", false);
    SavePngFile(RenderedPicture(8, 8), dir_ / "saved.png");
    const std::string embedded = Export("embedded.png");
    std::string damaged = ReadBytes(embedded);
    damaged[damaged.find("<saveData") + 3] ^= 1; // the text without its CRC
    WriteBytes(dir_ / "damaged.png", damaged);
    WriteBytes(dir_ / "fake.png", "BM not a png at all");

    const struct {
        std::string path;
        std::string message;
    } cases[] = {
        {plain, "'" + plain + "' にはパターンが埋め込まれていません。"},
        {dir_ / "saved.png", "'" + (dir_ / "saved.png") + "' にはパターンが埋め込まれていません。"},
        {dir_ / "damaged.png", "'" + (dir_ / "damaged.png") + "' に埋め込まれたパターンが壊れています。"},
        {dir_ / "fake.png", "'" + (dir_ / "fake.png") + "' は PNG ファイルではありません。"},
        {dir_ / "missing.png", "ファイル '" + (dir_ / "missing.png") + "' を開けません。"},
    };
    const TPatternSnapshot before = other_.Snapshot();
    const int starts = otherHost_.starts;
    for (const auto& c : cases) {
        try {
            other_.OpenDocument(c.path);
            ADD_FAILURE() << c.path;
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message(), c.message);
        }
        EXPECT_TRUE(SamePattern(other_.Snapshot(), before)) << c.path;
    }
    EXPECT_EQ(otherHost_.starts, starts);
}

} // namespace
