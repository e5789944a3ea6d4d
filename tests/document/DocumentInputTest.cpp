// Documents and palettes that would once have held the program: huge files,
// pipes, devices, and palettes whose messages did not say which file they
// were about.
#include "common/Exceptions.h"
#include "document/MainOperations.h"
#include "document/UVqd.h"
#include "tests/support/Files.h"
#include "tests/support/Measured.h"
#include "tests/support/TempDir.h"
#include "tests/support/WaitingHost.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <sys/stat.h>
#include <unistd.h>

namespace {

using ::testing::HasSubstr;

const std::string kDocument =
    "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n<saveData>"
    "<applicationInfo name=\"velquor\" version=\"0.11.0\"/><dataInfo>"
    "<center x=\"0\" y=\"0\"/><incremental x=\"1\" y=\"1\"/><palette name=\"p\"/><size x=\"8\" y=\"8\"/>"
    "<formula type=\"1\" name=\"0\"/></dataInfo></saveData>";

std::string DocumentError(const std::string& path)
{
    TVqd vqd;
    try {
        vqd.LoadFromFile(path);
    } catch (const Exception& e) {
        return e.Message();
    }
    return "loaded";
}

} // namespace

// Each is refused by what it is or by its size, before its bytes are read:
// within a second and without the memory growing with the file.
TEST(DocumentInput, HugeFilesPipesAndDevicesAreRefusedAtOnce)
{
    TempDir dir;
    // 1.5 GB that takes no room on disk.
    const std::string sparse = dir / "sparse.vqp";
    {
        std::ofstream(sparse) << kDocument;
        ASSERT_EQ(truncate(sparse.c_str(), 1536LL << 20), 0);
    }
    // A valid document padded with comments just past the limit.
    const std::string padded = dir / "padded.vqp";
    {
        std::ofstream out(padded, std::ios::binary);
        out << kDocument;
        const std::string comment = "\r\n<!--" + std::string(1 << 16, '-').replace(0, 1, "x") + "x-->";
        for (size_t written = 0; written <= (4u << 20); written += comment.size()) out << comment;
    }
    ASSERT_EQ(mkfifo((dir / "fifo.vqp").c_str(), 0600), 0);
    struct Case {
        std::string path;
        std::string message;
    };
    const Case cases[] = {
        {sparse, "ファイル '" + sparse + "' は大きすぎます。読み込めるのは 4 MiB までです。"},
        {padded, "ファイル '" + padded + "' は大きすぎます。読み込めるのは 4 MiB までです。"},
        {dir / "fifo.vqp", "'" + dir / "fifo.vqp" + "' は名前付きパイプです。読み込めるのは通常のファイルだけです。"},
        {"/dev/zero", "'/dev/zero' はデバイスです。読み込めるのは通常のファイルだけです。"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        const MeasuredRun run = RunMeasured([&] { return DocumentError(c.path); }, 10);
        ASSERT_TRUE(run.finished);
        EXPECT_LT(run.cpuSeconds, 1.0 * kTimeScale);
        if (kMemoryFiguresHold) {
            EXPECT_LT(run.peakKiB, 64 * 1024);
        }
        EXPECT_EQ(run.report, c.message);
    }
    // The same document under the limit reads.
    WriteBytes(dir / "plain.vqp", kDocument);
    EXPECT_EQ(DocumentError(dir / "plain.vqp"), "loaded");
}

TEST(DocumentInput, APaletteThatIsAPipeEndsAtOnceAndChangesNothing)
{
    TempDir dir;
    ASSERT_EQ(mkfifo((dir / "fifo.mcf").c_str(), 0600), 0);
    const MeasuredRun run = RunMeasured(
        [&] {
            TWaitingHost host;
            TMainOperations ops(host, dir.Path());
            host.ops = &ops;
            try {
                ops.LoadPalette(dir / "fifo.mcf");
            } catch (const EFOpenError& e) {
                return e.Message() + " " + ops.Pattern().GetPaletteName();
            }
            return std::string("loaded");
        },
        10);
    ASSERT_TRUE(run.finished);
    EXPECT_LT(run.cpuSeconds, 1.0 * kTimeScale);
    EXPECT_EQ(run.report,
              "'" + dir / "fifo.mcf" + "' は名前付きパイプです。読み込めるのは通常のファイルだけです。 標準");
}

class DocumentPalette : public ::testing::Test {
protected:
    DocumentPalette() : ops_(host_, dir_.Path())
    {
        host_.ops = &ops_;
        std::filesystem::create_directories(dir_ / "mcf");
        WriteBytes(dir_ / "a.vqp", kDocument);
    }
    std::string OpenError()
    {
        try {
            ops_.OpenDocument(dir_ / "a.vqp");
        } catch (const Exception& e) {
            return e.Message();
        }
        return "opened";
    }

    TempDir dir_;
    TWaitingHost host_;
    TMainOperations ops_;
};

// A palette the document named says which file its message is about, on a
// line of its own before the reader's own text.
TEST_F(DocumentPalette, MessagesNameTheFileOnALineOfTheirOwn)
{
    const std::string path = dir_ / "mcf/p.mcf";
    struct Case {
        std::string text;
        std::string message;
    };
    const Case cases[] = {
        {"000000\nZZ\n", path + "\r\n2行目の形式が不正です。ZZ"},
        {"000000\n\x1b]0;X\a\x1b[2J\n", path + "\r\n2行目の形式が不正です。\\x1b]0;X\\x07\\x1b[2J"},
        {"#GRAD 000000,FFFFFF,2000000000\n", path + "\r\n1行目で色の数が上限の 16777216 色を超えます。"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        WriteBytes(path, c.text);
        EXPECT_EQ(OpenError(), c.message);
        EXPECT_EQ(ops_.Pattern().GetPaletteName(), "標準");
    }
}

// A palette name in the document that names a pipe is not a file: the
// document opens with the message for a palette that is not there. The
// operations are made in the child, whose only thread is the one forked.
TEST_F(DocumentPalette, APipeNamedByTheDocumentIsNotOpened)
{
    ASSERT_EQ(mkfifo((dir_ / "mcf/p.mcf").c_str(), 0600), 0);
    const MeasuredRun run = RunMeasured(
        [&] {
            TWaitingHost host;
            TMainOperations ops(host, dir_.Path());
            host.ops = &ops;
            ops.OpenDocument(dir_ / "a.vqp");
            return host.messages.empty() ? std::string("no message") : host.messages[0];
        },
        10);
    ASSERT_TRUE(run.finished);
    EXPECT_LT(run.cpuSeconds, 1.0 * kTimeScale);
    EXPECT_EQ(run.report, "[" + dir_ / "mcf/p.mcf" + "]を開けません。");
}
