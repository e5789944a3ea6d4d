// The enter-and-return folder test used by the help command.
#include "common/FileSystem.h"
#include "tests/support/Files.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

namespace fs = std::filesystem;

TEST(IsDirectoryTest, AnswersAndLeavesTheCurrentFolderAlone)
{
    TempDir dir;
    ASSERT_FALSE(dir.Path().empty());
    fs::create_directory(dir / "sub");
    fs::create_directory(dir / "ヘルプ");
    WriteBytes(dir / "file", "x");
    ASSERT_EQ(mkdir((dir / "locked").c_str(), 0), 0);
    const bool root = geteuid() == 0;

    struct Case {
        std::string folder;
        bool expected;
    };
    const Case cases[] = {
        {dir / "sub", true},
        {dir / "sub/", true},
        {dir / "ヘルプ", true},
        {dir / "file", false},
        {dir / "missing", false},
        {"", false},
        // Root may enter any folder; everyone else is refused.
        {dir / "locked", root},
    };
    const fs::path before = fs::current_path();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.folder);
        EXPECT_EQ(IsDirectory(c.folder), c.expected);
        EXPECT_EQ(fs::current_path(), before);
    }
}

TEST(IsDirectoryTest, RelativeNamesAreTakenFromTheCurrentFolder)
{
    TempDir dir;
    fs::create_directory(dir / "sub");
    const fs::path before = fs::current_path();
    fs::current_path(dir.Path());
    EXPECT_TRUE(IsDirectory("sub"));
    EXPECT_FALSE(IsDirectory("nope"));
    EXPECT_EQ(fs::current_path(), fs::path(dir.Path()));
    fs::current_path(before);
}
