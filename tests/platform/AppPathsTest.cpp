// Finding the executable's folder and the shipped data beside it or installed.
#include "common/Texts.h"
#include "platform/AppPaths.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class AppPathsTest : public testing::Test {
protected:
    void SetUp() override
    {
        const auto* info = testing::UnitTest::GetInstance()->current_test_info();
        root_ = fs::path(testing::TempDir()) / ("vq_apppaths_" + std::to_string(getpid()) + "_" + info->name());
        fs::remove_all(root_);
        fs::create_directories(root_ / "prefix" / "bin");
        bin_ = (root_ / "prefix" / "bin").string();
    }
    void TearDown() override { fs::remove_all(root_); }

    void Touch(const fs::path& p) { std::ofstream(p) << "x"; }
    std::string Installed() const { return bin_ + "/../share/velquor"; }
    void MakeInstalled() { fs::create_directories(root_ / "prefix" / "share" / "velquor" / "mcf"); }

    fs::path root_;
    std::string bin_;
};

TEST_F(AppPathsTest, BesideTheExecutableWinsOverAnInstalledTree)
{
    MakeInstalled();
    fs::create_directory(fs::path(bin_) / "mcf");
    EXPECT_EQ(DataDir(bin_), bin_);
    EXPECT_EQ(DefaultPaletteFolder(bin_), bin_ + "/mcf");
    EXPECT_EQ(HelpFolder(bin_), bin_);
}

TEST_F(AppPathsTest, HelpPageAloneMarksTheProgramFolder)
{
    MakeInstalled();
    Touch(fs::path(bin_) / "Velquor.html");
    EXPECT_EQ(DataDir(bin_), bin_);
}

TEST_F(AppPathsTest, InstalledProgramUsesShareVelquor)
{
    MakeInstalled();
    EXPECT_EQ(DataDir(bin_), Installed());
    EXPECT_EQ(DefaultPaletteFolder(bin_), Installed() + "/mcf");
    EXPECT_EQ(HelpFolder(bin_), Installed());
    EXPECT_TRUE(fs::is_directory(DefaultPaletteFolder(bin_)));
}

TEST_F(AppPathsTest, HelpPageInTheLanguageOfTheTexts)
{
    MakeInstalled();
    const fs::path folder = fs::path(Installed());
    Touch(folder / "Velquor.html");
    EXPECT_EQ(HelpPageName(bin_), "Velquor.html");
    SetTextLanguage(TTextLanguage::English);
    // No English page installed: the Japanese one rather than none.
    EXPECT_EQ(HelpPageName(bin_), "Velquor.html");
    Touch(folder / "Velquor.en.html");
    EXPECT_EQ(HelpPageName(bin_), "Velquor.en.html");
    SetTextLanguage(TTextLanguage::Japanese);
    EXPECT_EQ(HelpPageName(bin_), "Velquor.html");
}

TEST_F(AppPathsTest, NothingFoundFallsBackToTheProgramFolder)
{
    EXPECT_EQ(DataDir(bin_), bin_);
    EXPECT_EQ(DefaultPaletteFolder(bin_), bin_ + "/mcf");
}

TEST_F(AppPathsTest, LookalikesOfTheWrongKindDoNotCount)
{
    // A file called "mcf" and a folder called "Velquor.html" are not the data.
    MakeInstalled();
    Touch(fs::path(bin_) / "mcf");
    fs::create_directory(fs::path(bin_) / "Velquor.html");
    EXPECT_EQ(DataDir(bin_), Installed());
}

TEST_F(AppPathsTest, InstalledNameThatIsAFileIsIgnored)
{
    fs::create_directories(root_ / "prefix" / "share");
    Touch(root_ / "prefix" / "share" / "velquor");
    EXPECT_EQ(DataDir(bin_), bin_);
}

TEST_F(AppPathsTest, JapaneseFolderNamesAreKeptAsUtf8)
{
    const std::string dir = (root_ / "prefix").string() + "/模様/bin";
    fs::create_directories(fs::path(dir) / "mcf");
    EXPECT_EQ(DefaultPaletteFolder(dir), dir + "/mcf");
}

TEST(ProgramDirTest, IsTheFolderHoldingThisTestProgram)
{
    const std::string dir = ProgramDir();
    ASSERT_FALSE(dir.empty());
    EXPECT_TRUE(fs::path(dir).is_absolute());
    EXPECT_NE(dir.back(), '/');
    EXPECT_TRUE(fs::is_regular_file(fs::path(dir) / "test_document"));
}

} // namespace
