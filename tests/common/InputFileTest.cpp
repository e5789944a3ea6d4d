// Bounded reading: what is refused, with which message, and how soon.
#include "common/Exceptions.h"
#include "common/InputFile.h"
#include "tests/support/Measured.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string Refusal(const std::string& path, uint64_t limit)
{
    try {
        ReadInputFile(path, limit);
    } catch (const EFOpenError& e) {
        return e.Message();
    }
    return "read";
}

} // namespace

TEST(InputFileTest, ReadsARegularFileUpToTheLimit)
{
    TempDir dir;
    const std::string bytes(200 * 1024 + 3, 'x');
    EXPECT_EQ(ReadInputFile(dir.Write("exact", bytes), bytes.size()), bytes);
    EXPECT_EQ(ReadInputFile(dir.Write("empty", ""), 10), "");
    // Through the stream, in pieces of the stream's own choosing.
    TInputFile file(dir / "exact", 1 << 20);
    EXPECT_EQ(file.Size(), bytes.size());
    std::string viaStream((std::istreambuf_iterator<char>(file.Stream())), std::istreambuf_iterator<char>());
    EXPECT_EQ(viaStream, bytes);
}

TEST(InputFileTest, RefusalsNameTheFileAndTheReason)
{
    TempDir dir;
    const std::string big = dir.Write("big", std::string(4097, 'x'));
    ASSERT_EQ(mkfifo((dir / "fifo").c_str(), 0600), 0);
    mkdir((dir / "folder").c_str(), 0700);
    const std::string escaped = dir.Write("a\x1b[2Jb", "x");
    struct Case {
        std::string path;
        uint64_t limit;
        std::string message;
    };
    const Case cases[] = {
        {big, 4096, "ファイル '" + big + "' は大きすぎます。読み込めるのは 4 KiB までです。"},
        {dir / "fifo", 4096, "'" + dir / "fifo" + "' は名前付きパイプです。読み込めるのは通常のファイルだけです。"},
        {dir / "folder", 4096, "'" + dir / "folder" + "' はフォルダーです。読み込めるのは通常のファイルだけです。"},
        {"/dev/null", 4096, "'/dev/null' はデバイスです。読み込めるのは通常のファイルだけです。"},
        {dir / "missing", 4096, "ファイル '" + dir / "missing" + "' を開けません。ファイルが見つかりません。"},
        {escaped, 0, "ファイル '" + dir / "a\\x1b[2Jb" + "' は大きすぎます。読み込めるのは 0 バイト までです。"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(Refusal(c.path, c.limit), c.message);
    }
}

TEST(InputFileTest, SizeTextUsesTheLargestWholeUnit)
{
    EXPECT_EQ(SizeText(4u << 20), "4 MiB");
    EXPECT_EQ(SizeText(1536u << 10), "1536 KiB");
    EXPECT_EQ(SizeText(1000), "1000 バイト");
}

// Neither a pipe nor an endless device can hold the reader: each is refused
// at once, without waiting for a writer or reading a byte.
TEST(InputFileTest, PipesAndDevicesEndAtOnce)
{
    TempDir dir;
    ASSERT_EQ(mkfifo((dir / "fifo").c_str(), 0600), 0);
    for (const std::string& path : {dir / "fifo", std::string("/dev/zero")}) {
        SCOPED_TRACE(path);
        const MeasuredRun run = RunMeasured([&] { return Refusal(path, 4 << 20); }, 5);
        EXPECT_TRUE(run.finished);
        EXPECT_LT(run.cpuSeconds, 1.0 * kTimeScale);
        EXPECT_NE(run.report.find("読み込めるのは通常のファイルだけです。"), std::string::npos) << run.report;
    }
}

// A file that claims to be small and then grows (or a /proc file that
// claims nothing) still stops at the limit.
TEST(InputFileTest, ReadingStopsAtTheLimitWhateverTheSizeClaimed)
{
    TempDir dir;
    const std::string path = dir.Write("growing", "abc");
    TInputFile file(path, 8);
    TInputFile again(path, 8);
    const int fd = open(path.c_str(), O_WRONLY | O_APPEND);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(write(fd, "defghijkl", 9), 9);
    close(fd);
    try {
        file.ReadAll();
        ADD_FAILURE() << "read past the limit";
    } catch (const EFOpenError& e) {
        EXPECT_NE(e.Message().find("大きすぎます"), std::string::npos) << e.Message();
    }
    // The same through the stream: the refusal leaves the reading call.
    std::string line;
    EXPECT_THROW(std::getline(again.Stream(), line), EFOpenError);

    // /proc files claim a size of 0.
    EXPECT_THROW(ReadInputFile("/proc/self/maps", 16), EFOpenError);
}
