// Replacing a file only when the new content was written completely: the
// unnamed new file and its short-named stand-in, the in-place fallback for
// folders that refuse new files, symbolic links, the reasons a save gives,
// and the failures and kills that must leave the previous file as it was.
#include "common/SafeFile.h"
#include "common/ErrorReason.h"
#include "common/Exceptions.h"
#include "tests/support/FileFaults.h"
#include "tests/support/Files.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <vector>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

mode_t Permissions(const std::string& path)
{
    struct stat st {};
    stat(path.c_str(), &st);
    return st.st_mode & 0777;
}

std::string CannotCreate(const std::string& path, const std::string& reason = "")
{
    return "ファイル '" + path + "' を作成できません。" + reason;
}

// The message of the EFOpenError a save throws, or "saved".
std::string SaveError(const std::string& path, const std::function<void(std::ostream&)>& write,
                      const TFileSeams& seams = {}, char padding = '\0')
{
    try {
        WriteFileReplacing(path, write, seams, padding);
    } catch (const EFOpenError& e) {
        return e.Message();
    }
    return "saved";
}

std::function<void(std::ostream&)> Text(const std::string& text)
{
    return [text](std::ostream& out) { out << text; };
}

// The two ways a new file is made: unnamed (Linux) and, where the file
// system lacks that, under a short temporary name.
struct Way {
    const char* name;
    TFileSeams seams;
};
const Way kWays[] = {{"unnamed", {}}, {"short temporary name", WithoutUnnamedFiles()}};

TEST(WriteFileReplacing, FailuresKeepThePreviousFileAndLeaveNoTemporary)
{
    struct Case {
        const char* name;
        std::function<void(std::ostream&)> write;
        bool replaced;
        bool cannotCreate; // reported with the program's message, not as the writer's own error
    };
    const Case cases[] = {
        {"success", Text("new"), true, false},
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
    for (const Way& way : kWays) {
        for (const auto& c : cases) {
            SCOPED_TRACE(testing::Message() << way.name << ": " << c.name);
            TempDir dir;
            const std::string path = dir / "target";
            WriteBytes(path, "old content");
            chmod(path.c_str(), 0640);
            try {
                WriteFileReplacing(path, c.write, way.seams);
                EXPECT_TRUE(c.replaced) << "no error raised";
            } catch (const EFOpenError& e) {
                EXPECT_TRUE(c.cannotCreate);
                // Nothing failed in the system, so there is no reason to add.
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
}

TEST(WriteFileReplacing, NewFileGetsTheUmasksPermissions)
{
    for (const Way& way : kWays) {
        TempDir dir;
        const std::string path = dir / "fresh";
        const mode_t before = umask(027);
        WriteFileReplacing(path, std::string("abc"), way.seams);
        umask(before);
        EXPECT_EQ(ReadBytes(path), "abc") << way.name;
        EXPECT_EQ(Permissions(path), 0640u) << way.name;
        EXPECT_EQ(dir.Entries(), std::vector<std::string>{"fresh"}) << way.name;
    }
}

// The new file has no name until it is complete, so nobody (a kill
// included) can see half of it.
TEST(WriteFileReplacing, TheFolderShowsNoNewNameWhileTheFileIsWritten)
{
    TempDir dir;
    for (const bool exists : {false, true}) {
        const std::string path = dir / "doc";
        if (exists) WriteBytes(path, "old");
        std::vector<std::string> seen;
        WriteFileReplacing(path, [&](std::ostream& out) {
            out << std::string(300000, 'n'); // more than one write's worth
            out.flush();
            seen = dir.Entries();
        });
        EXPECT_EQ(seen, exists ? std::vector<std::string>{"doc"} : std::vector<std::string>{}) << exists;
        EXPECT_EQ(ReadBytes(path), std::string(300000, 'n'));
        EXPECT_EQ(dir.Entries(), std::vector<std::string>{"doc"});
    }
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
    TFileSeams seams;
    seams.Write = [&](int fd, const char* data, size_t size) {
        writes.push_back(size);
        return ::write(fd, data, size);
    };
    WriteFileReplacing(
        path, [&](std::ostream& out) { WriteInRows(out, bytes); }, seams);
    EXPECT_EQ(ReadBytes(path), bytes);
    EXPECT_GT(writes.size(), 4u) << "written in pieces, not held whole";
    EXPECT_LT(*std::max_element(writes.begin(), writes.end()), bytes.size() / 4);
}

// A picture's rows go to the file as they are, each after the small pieces
// buffered before it, so the bytes keep their order.
TEST(WriteFileReplacing, LargePiecesGoStraightToTheFileInOrder)
{
    TempDir dir;
    const std::string path = dir / "mixed";
    const std::string bytes = LargeContent();
    const size_t pieces[] = {54, 30000, 3, 30000, 1, 16383, 16384, 7, 200000, 9};
    std::vector<size_t> writes;
    TFileSeams seams;
    seams.Write = [&](int fd, const char* data, size_t size) {
        writes.push_back(size);
        return ::write(fd, data, size);
    };
    WriteFileReplacing(
        path,
        [&](std::ostream& out) {
            size_t at = 0;
            for (const size_t n : pieces) {
                out.write(bytes.data() + at, static_cast<std::streamsize>(n));
                at += n;
            }
        },
        seams);
    size_t total = 0;
    for (const size_t n : pieces) total += n;
    EXPECT_EQ(ReadBytes(path), bytes.substr(0, total));
    for (const size_t large : {size_t{30000}, size_t{16384}, size_t{200000}})
        EXPECT_NE(std::find(writes.begin(), writes.end(), large), writes.end()) << large << " written whole";
}

const std::string kOld = std::string(5000, 'o') + "\nold file\n";
const std::string kDiskFull = "ディスクに空きがありません。";

TEST(WriteFileReplacing, DeviceAndWriterFailuresKeepTheOldBytes)
{
    const std::string large = LargeContent();
    TFileSeams halfThenFail;
    halfThenFail.Write = HalfThenFail;
    TFileSeams failingCut;
    failingCut.Truncate = [](int, off_t) {
        errno = EIO;
        return -1;
    };
    struct Case {
        const char* name;
        TFileSeams seams;
        std::function<void(std::ostream&)> write;
        const char* message; // null: the writer's own exception passes through
    };
    const Case cases[] = {
        {"write fails half-way", halfThenFail, Text("new"), "ディスクに空きがありません。"},
        {"large write fails half-way", halfThenFail, [&](std::ostream& out) { WriteInRows(out, large); },
         "ディスクに空きがありません。"},
        {"named write fails half-way", WithoutUnnamedFiles(halfThenFail), Text("new"), "ディスクに空きがありません。"},
        {"fallback write fails half-way", RefusingNewFiles(halfThenFail), Text(std::string(3000, 'n')),
         "ディスクに空きがありません。"},
        {"fallback cut fails", RefusingNewFiles(failingCut), Text("short"), "入出力エラーが発生しました。"},
        {"fallback writer throws midway", RefusingNewFiles(),
         [&](std::ostream& out) {
             WriteInRows(out, large);
             throw std::runtime_error("stop");
         },
         nullptr},
        {"fallback writer reports refused bytes", RefusingNewFiles(),
         [](std::ostream&) { throw EWriteError("refused"); }, ""},
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
            ASSERT_NE(c.message, nullptr);
            EXPECT_EQ(e.Message(), CannotCreate(path, c.message));
        } catch (const std::runtime_error& e) {
            EXPECT_EQ(c.message, nullptr) << e.what();
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
    WriteFileReplacing(path, Text("short\r\n"), RefusingNewFiles());
    EXPECT_EQ(ReadBytes(path), "short\r\n");
    EXPECT_EQ(Permissions(path), 0640u);

    // Without an old file there is nothing to fall back on.
    const std::string fresh = dir / "fresh";
    EXPECT_EQ(SaveError(fresh, Text("new"), RefusingNewFiles()), CannotCreate(fresh, "アクセスが拒否されました。"));
    EXPECT_FALSE(fs::exists(fresh));
}

// Killed between writing and cutting, the file holds the new content and
// then padding up to the old length: never the old file's tail.
TEST(WriteFileReplacing, InPlaceSaveKilledBeforeTheCutLeavesNewContentAndPadding)
{
    for (const char padding : {' ', '\0'}) {
        TempDir dir;
        const std::string path = dir / "doc";
        WriteBytes(path, kOld);
        const int status = RunInChildProcess(
            [&] { WriteFileReplacing(path, Text("<new/>\r\n"), RefusingNewFiles(DyingBeforeTheCut()), padding); });
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == kDiedBeforeTheCut) << status;
        EXPECT_EQ(ReadBytes(path), "<new/>\r\n" + std::string(kOld.size() - 8, padding));
        EXPECT_EQ(dir.Entries(), std::vector<std::string>{"doc"});
    }
}

// A kill, an interrupt or the file-size limit in the middle of a save: the
// old file (or none) and nothing else.
TEST(WriteFileReplacing, ASaveEndedByASignalLeavesTheOldFileAndNothingElse)
{
    struct Case {
        const char* name;
        int signal;
        bool limitFileSize;
    };
    const Case cases[] = {
        {"killed", SIGKILL, false},
        {"interrupted", SIGINT, false},
        {"file-size limit", SIGXFSZ, true},
    };
    for (const Case& c : cases) {
        for (const bool exists : {true, false}) {
            SCOPED_TRACE(testing::Message() << c.name << (exists ? ", replacing" : ", new file"));
            TempDir dir;
            const std::string path = dir / "picture.png";
            if (exists) WriteBytes(path, kOld);
            int ready[2];
            ASSERT_EQ(pipe(ready), 0);
            const int status = RunInChildProcess(
                [&] {
                    if (c.limitFileSize) {
                        const rlimit limit{256 * 1024, 256 * 1024};
                        setrlimit(RLIMIT_FSIZE, &limit);
                    }
                    WriteFileReplacing(path, [&](std::ostream& out) {
                        for (int i = 0; i < 64; ++i) {
                            out << std::string(64 * 1024, 'n') << std::flush;
                            if (i == 8) {
                                (void)!write(ready[1], "r", 1);
                                if (!c.limitFileSize) pause(); // until the signal ends the process
                            }
                        }
                    });
                },
                [&](pid_t child) {
                    // Only the child may hold the writing end, so a child that
                    // dies early ends the read.
                    close(ready[1]);
                    char byte;
                    (void)!read(ready[0], &byte, 1); // the save is under way
                    if (!c.limitFileSize) kill(child, c.signal);
                });
            close(ready[0]);
            ASSERT_TRUE(WIFSIGNALED(status)) << status;
            EXPECT_EQ(WTERMSIG(status), c.signal);
            if (exists) {
                EXPECT_EQ(ReadBytes(path), kOld);
            }
            EXPECT_EQ(dir.Entries(), exists ? std::vector<std::string>{"picture.png"} : std::vector<std::string>{});
        }
    }
}

// Where the system refuses, the message says why.
TEST(WriteFileReplacing, AFileSizeLimitIsReportedWithItsReason)
{
    TempDir dir;
    const std::string path = dir / "picture.png";
    WriteBytes(path, kOld);
    int result[2];
    ASSERT_EQ(pipe(result), 0);
    const int status = RunInChildProcess([&] {
        signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{64 * 1024, 64 * 1024};
        setrlimit(RLIMIT_FSIZE, &limit);
        const std::string message = SaveError(path, Text(std::string(1 << 20, 'n')));
        (void)!write(result[1], message.data(), message.size());
    });
    close(result[1]);
    char buf[512] = {};
    const ssize_t n = read(result[0], buf, sizeof buf);
    close(result[0]);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_EQ(std::string(buf, n > 0 ? static_cast<size_t>(n) : 0), CannotCreate(path, "ファイルが大きすぎます。"));
    EXPECT_EQ(ReadBytes(path), kOld);
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"picture.png"});
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

// Names of the full length a folder allows (255 bytes: 83 kanji and
// ".png" and two letters) save, new or replacing, whichever way the new file
// is made; one byte more is refused with its reason.
TEST(WriteFileReplacing, NamesOfTheFullAllowedLengthSave)
{
    std::string name;
    for (int i = 0; i < 83; ++i) name += "漢";
    name += "ab.png";
    ASSERT_EQ(name.size(), 255u);
    for (const Way& way : kWays) {
        SCOPED_TRACE(way.name);
        TempDir dir;
        const std::string path = dir / name;
        EXPECT_EQ(SaveError(path, Text("first"), way.seams), "saved");
        EXPECT_EQ(SaveError(path, Text("second"), way.seams), "saved");
        EXPECT_EQ(ReadBytes(path), "second");
        EXPECT_EQ(dir.Entries(), std::vector<std::string>{name});

        const std::string tooLong = dir / ("x" + name);
        EXPECT_EQ(SaveError(tooLong, Text("new"), way.seams), CannotCreate(tooLong, "ファイル名が長すぎます。"));
        EXPECT_EQ(dir.Entries(), std::vector<std::string>{name});
    }
}

// Without unnamed files the temporary name is short and hidden, beside the
// target, whatever the target's name.
TEST(WriteFileReplacing, WithoutUnnamedFilesTheTemporaryNameIsShort)
{
    TempDir dir;
    const std::string path = dir / (std::string(200, 'n') + ".vqp");
    WriteBytes(path, kOld);
    std::vector<std::string> temporaries;
    TFileSeams seams;
    seams.CreateTemp = [&](std::string& pathTemplate) {
        const int fd = mkstemp(pathTemplate.data());
        temporaries.push_back(pathTemplate);
        return fd;
    };
    WriteFileReplacing(path, Text("new"), WithoutUnnamedFiles(seams));
    EXPECT_EQ(ReadBytes(path), "new");
    ASSERT_EQ(temporaries.size(), 1u);
    const fs::path temporary(temporaries[0]);
    EXPECT_EQ(temporary.parent_path(), fs::path(dir.Path()));
    EXPECT_EQ(temporary.filename().string().front(), '.');
    EXPECT_LE(temporary.filename().string().size(), 16u);
    EXPECT_EQ(dir.EntryCount(), 1u);
}

// A link to nothing yet is written through: the file appears where the link
// points (relative links from the link's folder, chains followed) and the
// link stays.
TEST(WriteFileReplacing, DanglingLinksAreWrittenThroughToThePathTheyName)
{
    for (const Way& way : kWays) {
        SCOPED_TRACE(way.name);
        TempDir dir;
        fs::create_directory(dir / "real");
        fs::create_symlink("real/doc", dir / "relative");
        fs::create_symlink(dir / "relative", dir / "chain");
        fs::create_symlink(dir / "real/other", dir / "absolute");

        WriteFileReplacing(dir / "chain", std::string("via the chain"), way.seams);
        EXPECT_EQ(ReadBytes(dir / "real/doc"), "via the chain");
        WriteFileReplacing(dir / "absolute", std::string("absolute"), way.seams);
        EXPECT_EQ(ReadBytes(dir / "real/other"), "absolute");
        for (const char* link : {"relative", "chain", "absolute"}) EXPECT_TRUE(fs::is_symlink(dir / link)) << link;
        EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"absolute", "chain", "real", "relative"}));
        EXPECT_EQ(std::distance(fs::directory_iterator(dir / "real"), {}), 2);
    }
}

TEST(WriteFileReplacing, LinkLoopsAreRefusedAndNothingChanges)
{
    TempDir dir;
    fs::create_symlink("self", dir / "self");
    fs::create_symlink("b", dir / "a");
    fs::create_symlink("a", dir / "b");
    for (const char* name : {"self", "a"}) {
        bool called = false;
        const std::string path = dir / name;
        EXPECT_EQ(SaveError(path, [&](std::ostream&) { called = true; }),
                  CannotCreate(path, "シンボリックリンクが循環しています。"));
        EXPECT_FALSE(called);
    }
    EXPECT_EQ(fs::read_symlink(dir / "self"), "self");
    EXPECT_EQ(fs::read_symlink(dir / "a"), "b");
    EXPECT_EQ(fs::read_symlink(dir / "b"), "a");
    EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"a", "b", "self"}));
}

// Every refusal keeps the program's message and adds why; nothing is
// written and nothing is left.
TEST(WriteFileReplacing, RefusalsSayWhy)
{
    TempDir dir;
    WriteBytes(dir / "plain", "plain");
    mkfifo((dir / "pipe").c_str(), 0600);
    struct Case {
        std::string path;
        TFileSeams seams;
        std::string reason;
    };
    const Case cases[] = {
        {dir.Path(), {}, "同じ名前のフォルダーがあります。"},
        {dir / "missing/file", {}, "フォルダーがありません。"},
        {dir / "plain/file", {}, "パスの途中にフォルダーでないものがあります。"},
        {dir / "pipe", {}, "通常のファイルではありません。"},
        {dir / "new", RefusingNewFiles({}, EROFS), "読み取り専用のファイルシステムです。"},
        {dir / "new", RefusingNewFiles({}, EDQUOT), "ディスクの使用量が上限に達しています。"},
        {dir / "new", RefusingNewFiles({}, ENOSPC), kDiskFull},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        bool called = false;
        EXPECT_EQ(SaveError(
                      c.path, [&](std::ostream&) { called = true; }, c.seams),
                  CannotCreate(c.path, c.reason));
        EXPECT_FALSE(called);
    }
    EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"pipe", "plain"}));
    EXPECT_EQ(ReadBytes(dir / "plain"), "plain");
}

TEST(ErrorReason, NamesTheCommonReasonsAndNumbersTheRest)
{
    const std::pair<int, const char*> cases[] = {
        {ENOSPC, "ディスクに空きがありません。"},        {EDQUOT, "ディスクの使用量が上限に達しています。"},
        {EROFS, "読み取り専用のファイルシステムです。"}, {EACCES, "アクセスが拒否されました。"},
        {EPERM, "アクセスが拒否されました。"},           {ENAMETOOLONG, "ファイル名が長すぎます。"},
        {ELOOP, "シンボリックリンクが循環しています。"}, {EFBIG, "ファイルが大きすぎます。"},
        {EIO, "入出力エラーが発生しました。"},           {EDOM, "システムエラー 33 が発生しました。"},
    };
    for (const auto& [error, text] : cases) EXPECT_EQ(ErrorReason(error), text) << error;
}

} // namespace
