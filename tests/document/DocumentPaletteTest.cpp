// Documents keep their palette: a saved document carries the palette's MCF
// text and offset, opening prefers the named file of the palette folder (in
// any format), falls back to the carried text without a word, takes "標準"
// for the built-in palette, and a document of the built-in palette without
// an offset is the classic template exactly.
#include "document/MainOperations.h"

#include "document/UVqd.h"
#include "tests/support/Files.h"
#include "tests/support/Pictures.h"
#include "tests/support/TempDir.h"
#include "tests/support/WaitingHost.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

std::vector<int32_t> ColorsOf(const TMcf& mcf)
{
    return std::vector<int32_t>(mcf.Colors.begin(), mcf.Colors.begin() + (mcf.High + 1));
}

class DocumentPaletteTest : public ::testing::Test {
protected:
    DocumentPaletteTest() : ops_(host_, dir_.Path())
    {
        host_.ops = &ops_;
        host_.paletteDirectory = dir_ / "pal";
        std::filesystem::create_directories(dir_ / "pal");
        std::filesystem::create_directories(dir_ / "elsewhere");
        ops_.SetImageSize(24, 16);
    }

    // A pattern drawn with a palette from outside the palette folder.
    void SaveWithForeignPalette(int offset)
    {
        WriteBytes(dir_ / "elsewhere/dusk.mcf", kDusk);
        ops_.LoadPalette(dir_ / "elsewhere/dusk.mcf");
        ops_.SetPaletteOffset(offset);
        ops_.SaveDocument(dir_ / "p.vqp");
    }

    // A second window, as after a restart, opening the document.
    void Reopen()
    {
        host2_.paletteDirectory = host_.paletteDirectory;
        ops2_ = std::make_unique<TMainOperations>(host2_, dir_.Path());
        host2_.ops = ops2_.get();
        ops2_->OpenDocument(dir_ / "p.vqp");
    }

    static constexpr const char* kDusk = "* dusk\r\n000000\r\n#GRAD FF8000,400080,6\r\n* end\r\nFFFFFF\r\n";
    TempDir dir_;
    TWaitingHost host_, host2_;
    TMainOperations ops_;
    std::unique_ptr<TMainOperations> ops2_;
};

} // namespace

TEST_F(DocumentPaletteTest, CarriesTheTextAndOffsetAndReopensWithThemWhenTheFileIsGone)
{
    SaveWithForeignPalette(4);
    const std::string bytes = ReadBytes(dir_ / "p.vqp");
    EXPECT_NE(bytes.find("\t\t<pointmove type=\"0\" a=\"0\" b=\"0\" c=\"0\" d=\"0\"></pointmove>\r\n"
                         "\t\t<paletteoffset value=\"4\"></paletteoffset>\r\n"
                         "\t\t<palettetext>\r\n* dusk\r\n000000\r\n#GRAD FF8000,400080,6\r\n* end\r\nFFFFFF\r\n"
                         "\t\t</palettetext>\r\n\t</dataInfo>"),
              std::string::npos)
        << bytes;
    std::filesystem::remove(dir_ / "elsewhere/dusk.mcf");
    Reopen();
    EXPECT_TRUE(host2_.messages.empty()) << host2_.messages.front();
    EXPECT_EQ(ColorsOf(ops2_->Pattern().Mcf()), ColorsOf(ops_.Pattern().Mcf()));
    EXPECT_EQ(ops2_->Pattern().Mcf().Text, "* dusk\n000000\n#GRAD FF8000,400080,6\n* end\nFFFFFF");
    EXPECT_EQ(ops2_->Pattern().GetPaletteName(), "dusk");
    EXPECT_EQ(ops2_->PaletteOffset(), 4);
    // Drawn, it is the same picture.
    ops_.BeginDrawing();
    ops_.Pattern().WaitUntilSuspended();
    EXPECT_TRUE(SamePixels(ops2_->ImageBitmap(), ops_.ImageBitmap()));
    // Saved again, the document is the same.
    ops2_->SaveDocument(dir_ / "q.vqp");
    EXPECT_EQ(ReadBytes(dir_ / "q.vqp"), bytes);
}

TEST_F(DocumentPaletteTest, TheNamedFileWinsOverTheCarriedTextAndMayBeOfAnyFormat)
{
    SaveWithForeignPalette(0);
    EXPECT_EQ(ReadBytes(dir_ / "p.vqp").find("paletteoffset"), std::string::npos);
    WriteBytes(dir_ / "pal/dusk.gpl", "GIMP Palette\n0 0 0\n1 2 3\n");
    Reopen();
    EXPECT_TRUE(host2_.messages.empty());
    EXPECT_EQ(ColorsOf(ops2_->Pattern().Mcf()), (std::vector<int32_t>{0, 0x030201}));
    // .mcf comes first.
    WriteBytes(dir_ / "pal/dusk.mcf", "000000\n0000FF\n");
    Reopen();
    EXPECT_EQ(ColorsOf(ops2_->Pattern().Mcf()), (std::vector<int32_t>{0, 0xFF0000}));
    EXPECT_EQ(ops2_->PaletteFile(), dir_ / "pal/dusk.mcf");
}

TEST_F(DocumentPaletteTest, AnUnreadableFileGivesWayToTheCarriedText)
{
    SaveWithForeignPalette(0);
    WriteBytes(dir_ / "pal/dusk.mcf", "000000\nnot a colour\n");
    Reopen();
    EXPECT_TRUE(host2_.messages.empty());
    EXPECT_EQ(ColorsOf(ops2_->Pattern().Mcf()), ColorsOf(ops_.Pattern().Mcf()));
    // Without carried text the file's fault is the document's, as always.
    TVqd vqd;
    vqd.LoadFromFile(dir_ / "p.vqp");
    vqd.PaletteText.reset();
    vqd.SaveToFile(dir_ / "p.vqp");
    EXPECT_THROW(Reopen(), EConvertError);
}

TEST_F(DocumentPaletteTest, StandardMeansTheBuiltInPaletteAndOnlyAMissingPaletteIsReported)
{
    // The built-in palette without an offset: the template and nothing more.
    ops_.SaveDocument(dir_ / "p.vqp");
    TVqd plain;
    plain.LoadFromFile(dir_ / "p.vqp");
    EXPECT_EQ(plain.PaletteName, "標準");
    EXPECT_FALSE(plain.PaletteText);
    EXPECT_EQ(ReadBytes(dir_ / "p.vqp").find("paletteoffset"), std::string::npos);
    EXPECT_EQ(ReadBytes(dir_ / "p.vqp").find("palettetext"), std::string::npos);
    EXPECT_EQ(plain.SaveToShiftJis(), ReadBytes(dir_ / "p.vqp"));

    WriteBytes(dir_ / "elsewhere/x.mcf", "000000\nFF0000\n");
    host2_.paletteDirectory = host_.paletteDirectory;
    ops2_ = std::make_unique<TMainOperations>(host2_, dir_.Path());
    host2_.ops = ops2_.get();
    ops2_->LoadPalette(dir_ / "elsewhere/x.mcf");
    ops2_->OpenDocument(dir_ / "p.vqp");
    EXPECT_TRUE(host2_.messages.empty());
    EXPECT_TRUE(ops2_->Pattern().Mcf().Builtin);
    EXPECT_EQ(ops2_->Pattern().GetPaletteName(), "標準");

    // A name with neither file nor text: the message, and the palette stays.
    plain.PaletteName = "gone";
    plain.SaveToFile(dir_ / "p.vqp");
    ops2_->LoadPalette(dir_ / "elsewhere/x.mcf");
    ops2_->OpenDocument(dir_ / "p.vqp");
    EXPECT_EQ(host2_.messages, std::vector<std::string>{"[" + dir_ / "pal/gone.mcf" + "]を開けません。"});
    EXPECT_EQ(ops2_->Pattern().GetPaletteName(), "x");
}

TEST_F(DocumentPaletteTest, AnOffsetAloneIsWrittenAndABadOneRefused)
{
    ops_.SetPaletteOffset(-3);
    ops_.SaveDocument(dir_ / "p.vqp");
    const std::string bytes = ReadBytes(dir_ / "p.vqp");
    EXPECT_NE(bytes.find("<paletteoffset value=\"-3\"></paletteoffset>"), std::string::npos);
    EXPECT_EQ(bytes.find("palettetext"), std::string::npos);
    Reopen();
    EXPECT_EQ(ops2_->PaletteOffset(), -3);

    std::string bad = bytes;
    bad.replace(bad.find("\"-3\""), 4, "\"x\"");
    WriteBytes(dir_ / "p.vqp", bad);
    TVqd vqd;
    EXPECT_THROW(vqd.LoadFromFile(dir_ / "p.vqp"), EConvertError);
}
