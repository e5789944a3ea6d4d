// Replacing a file only when the new content was written completely.
#include "ImagingErrors.h"
#include "ImagingTestSupport.h"
#include "SafeFile.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

Bytes AsBytes(const std::string& s) { return Bytes(s.begin(), s.end()); }

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
        {"writer throws midway", [](std::ostream& out) { out << "ne"; throw std::runtime_error("stop"); }, false, false},
        {"stream refuses bytes", [](std::ostream& out) { out << "ne"; out.setstate(std::ios::badbit); }, false, true},
        {"writer reports refused bytes", [](std::ostream&) { throw EWriteError("refused"); }, false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const std::string path = dir.File("target");
        WriteFileBytes(path, "old content");
        chmod(path.c_str(), 0640);
        try {
            WriteFileReplacing(path, c.write);
            EXPECT_TRUE(c.replaced) << "no error raised";
        } catch (const EFOpenError& e) {
            EXPECT_TRUE(c.cannotCreate);
            EXPECT_EQ(e.Message(), "ファイル '" + path + "' を作成できません。");
        } catch (const std::runtime_error& e) {
            EXPECT_FALSE(c.cannotCreate) << e.what();
            EXPECT_FALSE(c.replaced);
        }
        EXPECT_EQ(ReadFileBytes(path), AsBytes(c.replaced ? "new" : "old content"));
        EXPECT_EQ(dir.Entries(), std::vector<std::string>{"target"});
        struct stat st {};
        stat(path.c_str(), &st);
        EXPECT_EQ(st.st_mode & 0777, 0640u) << "permissions of the replaced file";
    }
}

TEST(WriteFileReplacing, RefusesTargetsThatAreNotPlainFiles)
{
    TempDir dir;
    for (const std::string& path : {dir.Path(), dir.File("missing/file")}) {
        bool called = false;
        EXPECT_THROW(WriteFileReplacing(path, [&](std::ostream&) { called = true; }), EFOpenError) << path;
        EXPECT_FALSE(called);
    }
}

} // namespace
