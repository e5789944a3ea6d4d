// Replacing a file only when the new content was written completely: the
// streaming writer, the in-place fallback for folders that refuse new
// files, and the failures that must leave the previous file as it was.
#include "common/SafeFile.h"
#include "common/Exceptions.h"
#include "tests/support/FileFaults.h"
#include "tests/support/Files.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

mode_t Permissions(const std::string& path)
{
    struct stat st {};
    stat(path.c_str(), &st);
    return st.st_mode & 0777;
}

std::string CannotCreate(const std::string& path) { return "ファイル '" + path + "' を作成できません。"; }

TEST(WriteFileReplacing, FailuresKeepThePreviousFileAndLeaveNoTemporary)
{
    struct Case {
        const char* name;
        std::function<void(std::ostream&)> write;
        bool replaced;
        bool cannotCreate; // reported with the program's message, not as the writer's own error
    };
    const Case cases[] = {
        {"success", [](std::ostream& out) { out << "new"; }, true, false},
        {"writer throws midway",
         [](std::ostream& out) {
             out << "ne";
             throw std::runtime_error("stop");
         },
         false, false},
        {"stream refuses bytes",
         [](std::ostream& out) {
             out << "ne";
             out.setstate(std::ios::badbit);
         },
         false, true},
        {"writer reports refused bytes", [](std::ostream&) { throw EWriteError("refused"); }, false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const std::string path = dir / "target";
        WriteBytes(path, "old content");
        chmod(path.c_str(), 0640);
        try {
            WriteFileReplacing(path, c.write);
            EXPECT_TRUE(c.replaced) << "no error raised";
        } catch (const EFOpenError& e) {
            EXPECT_TRUE(c.cannotCreate);
            EXPECT_EQ(e.Message(), CannotCreate(path));
        } catch (const std::runtime_error& e) {
            EXPECT_FALSE(c.cannotCreate) << e.what();
            EXPECT_FALSE(c.replaced);
        }
        EXPECT_EQ(ReadBytes(path), c.replaced ? "new" : "old content");
        EXPECT_EQ(dir.Entries(), std::vector<std::string>{"target"});
        EXPECT_EQ(Permissions(path), 0640u) << "permissions of the replaced file";
    }
}

TEST(WriteFileReplacing, RefusesTargetsThatAreNotPlainFiles)
{
    TempDir dir;
    for (const std::string& path : {dir.Path(), dir / "missing/file"}) {
        bool called = false;
        EXPECT_THROW(WriteFileReplacing(path, [&](std::ostream&) { called = true; }), EFOpenError) << path;
        EXPECT_FALSE(called);
    }
    EXPECT_TRUE(dir.Entries().empty());
}

TEST(WriteFileReplacing, NewFileGetsTheUmasksPermissions)
{
    TempDir dir;
    const std::string path = dir / "fresh";
    const mode_t before = umask(027);
    WriteFileReplacing(path, std::string("abc"));
    umask(before);
    EXPECT_EQ(ReadBytes(path), "abc");
    EXPECT_EQ(Permissions(path), 0640u);
}

// Rows larger than the writer's buffer, with a byte pattern that shows a
// lost, doubled or reordered piece.
std::string LargeContent()
{
    std::string bytes(3 * 1024 * 1024 + 17, '\0');
    for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>((i * 131) ^ (i >> 11));
    return bytes;
}

void WriteInRows(std::ostream& out, const std::string& bytes)
{
    const size_t row = 100003;
    for (size_t at = 0; at < bytes.size(); at += row)
        out.write(bytes.data() + at, static_cast<std::streamsize>(std::min(row, bytes.size() - at)));
}

TEST(WriteFileReplacing, StreamsLargeContentPieceByPiece)
{
    TempDir dir;
    const std::string path = dir / "big";
    const std::string bytes = LargeContent();
    std::vector<size_t> writes;
    TFileSeams seams{nullptr, [&](int fd, const char* data, size_t size) {
                         writes.push_back(size);
                         return ::write(fd, data, size);
                     }};
    WriteFileReplacing(
        path, [&](std::ostream& out) { WriteInRows(out, bytes); }, seams);
    EXPECT_EQ(ReadBytes(path), bytes);
    EXPECT_GT(writes.size(), 4u) << "written in pieces, not held whole";
    EXPECT_LT(*std::max_element(writes.begin(), writes.end()), bytes.size() / 4);
}

const std::string kOld = std::string(5000, 'o') + "\nold file\n";

TEST(WriteFileReplacing, DeviceAndWriterFailuresKeepTheOldBytes)
{
    const std::string large = LargeContent();
    struct Case {
        const char* name;
        TFileSeams seams;
        std::function<void(std::ostream&)> write;
        bool cannotCreate;
    };
    const Case cases[] = {
        {"write fails half-way", {nullptr, HalfThenFail}, [](std::ostream& out) { out << "new"; }, true},
        {"large write fails half-way",
         {nullptr, HalfThenFail},
         [&](std::ostream& out) { WriteInRows(out, large); },
         true},
        {"fallback write fails half-way",
         {RefuseNewFile, HalfThenFail},
         [](std::ostream& out) { out << std::string(3000, 'n'); },
         true},
        {"fallback writer throws midway",
         {RefuseNewFile, nullptr},
         [&](std::ostream& out) {
             WriteInRows(out, large);
             throw std::runtime_error("stop");
         },
         false},
        {"fallback writer reports refused bytes",
         {RefuseNewFile, nullptr},
         [](std::ostream&) { throw EWriteError("refused"); },
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const std::string path = dir / "doc";
        WriteBytes(path, kOld);
        try {
            WriteFileReplacing(path, c.write, c.seams);
            ADD_FAILURE() << "no error raised";
        } catch (const EFOpenError& e) {
            EXPECT_TRUE(c.cannotCreate);
            EXPECT_EQ(e.Message(), CannotCreate(path));
        } catch (const std::runtime_error& e) {
            EXPECT_FALSE(c.cannotCreate) << e.what();
        }
        EXPECT_EQ(ReadBytes(path), kOld);
        EXPECT_EQ(dir.Entries(), std::vector<std::string>{"doc"});
    }
}

TEST(WriteFileReplacing, FolderRefusingNewFilesOverwritesAndCutsTheOldFile)
{
    TempDir dir;
    const std::string path = dir / "doc";
    WriteBytes(path, kOld);
    chmod(path.c_str(), 0640);
    WriteFileReplacing(path, [](std::ostream& out) { out << "short\r\n"; }, {RefuseNewFile, nullptr});
    EXPECT_EQ(ReadBytes(path), "short\r\n");
    EXPECT_EQ(Permissions(path), 0640u);

    // Without an old file there is nothing to fall back on.
    const std::string fresh = dir / "fresh";
    try {
        WriteFileReplacing(fresh, std::string("new"), {RefuseNewFile, nullptr});
        ADD_FAILURE() << "no error raised";
    } catch (const EFOpenError& e) {
        EXPECT_EQ(e.Message(), CannotCreate(fresh));
    }
    EXPECT_FALSE(fs::exists(fresh));
}

TEST(WriteFileReplacing, ReplacesTheFileASymlinkNames)
{
    TempDir dir;
    fs::create_directory(dir / "real");
    const std::string path = dir / "real/doc";
    WriteBytes(path, kOld);
    const std::string link = dir / "link";
    fs::create_symlink(path, link);
    WriteFileReplacing(link, std::string("through the link"));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(ReadBytes(path), "through the link");
    EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"link", "real"}));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir / "real"), {}), 1) << "temporary beside the target";
}

} // namespace
