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

TEST(FileSystemTest, FolderAndFileChecksFollowLinksAndRefuseTheRest)
{
    TempDir dir;
    fs::create_directory(dir / "森");
    WriteBytes(dir / "file", "x");
    fs::create_symlink(dir / "森", dir / "folder-link");
    fs::create_symlink(dir / "file", dir / "file-link");
    fs::create_symlink(dir / "missing", dir / "dangling");

    struct Case {
        std::string path;
        bool folder;
        bool file;
    };
    const Case cases[] = {
        {dir / "森", true, false},
        {dir / "file", false, true},
        {dir / "folder-link", true, false},
        {dir / "file-link", false, true},
        {dir / "dangling", false, false},
        {dir / "missing", false, false},
        {"", false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(IsFolder(c.path), c.folder);
        EXPECT_EQ(IsFile(c.path), c.file);
    }
}

TEST(FileSystemTest, WholeFileReadsEveryByteOrNothing)
{
    TempDir dir;
    std::string bytes(200000, '\0');
    for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 7 + 3);
    WriteBytes(dir / "big", bytes);
    WriteBytes(dir / "empty", "");
    fs::create_directory(dir / "folder");

    EXPECT_EQ(ReadWholeFile(dir / "big"), bytes);
    EXPECT_EQ(ReadWholeFile(dir / "empty"), std::string());
    EXPECT_EQ(ReadWholeFile(dir / "folder"), std::nullopt);
    EXPECT_EQ(ReadWholeFile(dir / "missing"), std::nullopt);
}
