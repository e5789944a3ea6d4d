// Writing pattern documents: the exact bytes of the written form, round
// trips of values, and saves that fail without harming the previous file.
#include "common/Convert.h"
#include "common/Exceptions.h"
#include "document/UVqd.h"
#include "tests/support/FileFaults.h"
#include "tests/support/Files.h"
#include "tests/support/TempDir.h"
#include "xml/XmlError.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <limits>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// The template's values, as the program would save its start-up pattern.
void FillTemplateValues(TVqd& vqd)
{
    vqd.Center = {0, 0};
    vqd.ColorChange = 0;
    vqd.Incremental = {1, 1};
    vqd.PaletteName = "稲妻";
    vqd.Size = {400, 400};
    vqd.FormulaType = 1;
    vqd.FormulaName = "0";
    vqd.ShadeOff = false;
    vqd.PointMoveType = 0;
    vqd.PointMoveParam = {};
}

std::string ExpectedTemplateBytes()
{
    const char* const lines[] = {
        "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>",
        "<!-- Velquor\x95\xdb\x91\xb6\x83\x66\x81\x5b\x83\x5e -->", // 保存データ in CP932
        "<saveData>",
        "\t<applicationInfo name=\"velquor\" version=\"0.11.0\"></applicationInfo>",
        "\t<dataInfo>",
        "\t\t<center x=\"0\" y=\"0\"></center>",
        "\t\t<colorchange value=\"0\"></colorchange>",
        "\t\t<incremental x=\"1\" y=\"1\"></incremental>",
        "\t\t<palette name=\"\x88\xee\x8d\xc8\"></palette>", // 稲妻 in CP932
        "\t\t<size x=\"400\" y=\"400\"></size>",
        "\t\t<formula type=\"1\" name=\"0\"></formula>",
        "\t\t<effect shadeoff=\"0\"></effect>",
        "\t\t<pointmove type=\"0\" a=\"0\" b=\"0\" c=\"0\" d=\"0\"></pointmove>",
        "\t</dataInfo>",
        "</saveData>",
    };
    std::string bytes;
    for (const char* line : lines) bytes += std::string(line) + "\r\n";
    return bytes;
}

class VqdWrite : public ::testing::Test {
protected:
    TempDir dir;
    TVqd vqd;
    std::string path = dir / "doc.vqp";

    TVqd& RoundTrip()
    {
        vqd.SaveToFile(path);
        back = std::make_unique<TVqd>();
        back->LoadFromFile(path);
        return *back;
    }
    std::unique_ptr<TVqd> back;
};

TEST_F(VqdWrite, TemplateValuesGiveTheTemplateBytes)
{
    FillTemplateValues(vqd);
    vqd.SaveToFile(path);
    EXPECT_EQ(ReadBytes(path), ExpectedTemplateBytes());
    EXPECT_EQ(dir.EntryCount(), 1u);
}

TEST_F(VqdWrite, EveryFieldRoundTrips)
{
    FillTemplateValues(vqd);
    vqd.Center = {0.5L, -1.25L};
    vqd.ColorChange = 0.1;
    vqd.Incremental = {0.001L, 1E-6L};
    vqd.Size = {-3, 9999};
    vqd.FormulaType = 7;
    vqd.FormulaName = "6";
    vqd.ShadeOff = true;
    vqd.PointMoveType = 4;
    vqd.PointMoveParam = {1.5E20L, -5E-5L, 0.0001L, -123456.789L};
    const TVqd& r = RoundTrip();
    EXPECT_EQ(r.AppName, "velquor");
    EXPECT_EQ(r.AppVersion, "0.11.0");
    EXPECT_EQ(r.Center, vqd.Center);
    EXPECT_EQ(r.ColorChange, 0.1);
    EXPECT_EQ(r.Incremental, vqd.Incremental);
    EXPECT_EQ(r.Size, vqd.Size);
    EXPECT_EQ(r.FormulaType, 7);
    EXPECT_EQ(r.FormulaName, "6");
    EXPECT_TRUE(r.ShadeOff);
    EXPECT_EQ(r.PointMoveType, 4);
    EXPECT_EQ(r.PointMoveParam, vqd.PointMoveParam);
    EXPECT_NE(ReadBytes(path).find("shadeoff=\"-1\""), std::string::npos);
}

TEST_F(VqdWrite, RealsAreRoundedToFifteenDigits)
{
    FillTemplateValues(vqd);
    vqd.Incremental = {0.12345678901234567L, 1E-6L};
    const TVqd& r = RoundTrip();
    EXPECT_NE(ReadBytes(path).find("<incremental x=\"0.123456789012346\" y=\"1E-6\">"), std::string::npos);
    EXPECT_EQ(r.Incremental.X, StrToFloat("0.123456789012346"));
    EXPECT_EQ(r.Incremental.Y, 1E-6L);
}

TEST_F(VqdWrite, PaletteNamesKeepEveryCharacter)
{
    FillTemplateValues(vqd);
    for (const char* name : {"稲妻", "表示", "波～線", "😀絵文字", "Ω̈", "한글", "a&b<c>\"d\"", "tab\tname"}) {
        vqd.PaletteName = name;
        EXPECT_EQ(RoundTrip().PaletteName, name);
    }
    EXPECT_NE(ReadBytes(path).find("name=\"tab&#9;name\""), std::string::npos);
}

TEST_F(VqdWrite, MissingFolderIsReported)
{
    FillTemplateValues(vqd);
    const std::string target = dir / "no/such/folder/doc.vqp";
    try {
        vqd.SaveToFile(target);
        ADD_FAILURE();
    } catch (const EFOpenError& e) {
        EXPECT_EQ(e.Message(), "ファイル '" + target + "' を作成できません。フォルダーがありません。");
    }
    EXPECT_EQ(dir.EntryCount(), 0u);
}

TFileSeams HalfThenFailSeams()
{
    TFileSeams seams;
    seams.Write = HalfThenFail;
    return seams;
}

const std::string kOldDocument = std::string(5000, 'o') + "\nold document\n";

TEST_F(VqdWrite, FailedSavesLeaveTheOldFileIntact)
{
    struct FailureCase {
        const char* what;
        TFileSeams seams;
        bool makeUnsavable;
    };
    const FailureCase cases[] = {
        {"write fails half-way", HalfThenFailSeams(), false},
        {"fallback write fails half-way", RefusingNewFiles(HalfThenFailSeams()), false},
        {"value that no reader would accept", {}, true},
    };
    for (const auto& c : cases) {
        WriteBytes(path, kOldDocument);
        TVqd failing;
        FillTemplateValues(failing);
        failing.SetFileSeams(c.seams);
        if (c.makeUnsavable) failing.Center.X = std::numeric_limits<long double>::quiet_NaN();
        EXPECT_THROW(failing.SaveToFile(path), Exception) << c.what;
        EXPECT_EQ(ReadBytes(path), kOldDocument) << c.what;
        EXPECT_EQ(dir.EntryCount(), 1u) << c.what << ": no temporary file left";
    }

    WriteBytes(path, kOldDocument);
    FillTemplateValues(vqd);
    vqd.PaletteName = "bad\x01name";
    EXPECT_THROW(vqd.SaveToFile(path), EXmlError);
    EXPECT_EQ(ReadBytes(path), kOldDocument);
}

TEST_F(VqdWrite, TargetThatIsAFolderIsReportedAndNothingIsLeft)
{
    FillTemplateValues(vqd);
    std::filesystem::create_directory(path);
    EXPECT_THROW(vqd.SaveToFile(path), EFOpenError);
    EXPECT_TRUE(std::filesystem::is_directory(path));
    EXPECT_EQ(dir.EntryCount(), 1u);
}

TEST_F(VqdWrite, FolderRefusingNewFilesOverwritesAndCutsTheOldFile)
{
    FillTemplateValues(vqd);
    WriteBytes(path, kOldDocument);
    vqd.SetFileSeams(RefusingNewFiles());
    vqd.SaveToFile(path);
    EXPECT_EQ(ReadBytes(path), ExpectedTemplateBytes());

    // Without an old file there is nothing to fall back on.
    const std::string fresh = dir / "fresh.vqp";
    EXPECT_THROW(vqd.SaveToFile(fresh), EFOpenError);
    EXPECT_FALSE(std::filesystem::exists(fresh));
}

// A kill between the in-place save's write and its cut leaves the new
// document followed by white space, which the reader accepts.
TEST_F(VqdWrite, InPlaceSaveKilledBeforeTheCutStillReads)
{
    FillTemplateValues(vqd);
    WriteBytes(path, kOldDocument);
    vqd.SetFileSeams(RefusingNewFiles(DyingBeforeTheCut()));
    const int status = RunInChildProcess([&] { vqd.SaveToFile(path); });
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == kDiedBeforeTheCut) << status;
    const std::string expected = ExpectedTemplateBytes();
    ASSERT_LT(expected.size(), kOldDocument.size());
    EXPECT_EQ(ReadBytes(path), expected + std::string(kOldDocument.size() - expected.size(), ' '));

    TVqd back;
    back.LoadFromFile(path);
    EXPECT_EQ(back.AppName, "velquor");
    EXPECT_EQ(back.PaletteName, "稲妻");
}

TEST_F(VqdWrite, ReplacesTheFileASymlinkNames)
{
    FillTemplateValues(vqd);
    WriteBytes(path, kOldDocument);
    const std::string link = dir / "link.vqp";
    std::filesystem::create_symlink(path, link);
    vqd.SaveToFile(link);
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(ReadBytes(path), ExpectedTemplateBytes());
}

} // namespace
