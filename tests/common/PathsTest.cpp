// File name parts and extensions, as the palette name, dropped files and
// image saving read them.
#include "common/Paths.h"

#include <gtest/gtest.h>

namespace {

struct PathCase {
    const char* path;
    const char* name;
    const char* extension;
    const char* base;
};

const PathCase kCases[] = {
    {"/home/u/森.mcf", "森.mcf", ".mcf", "森"},
    {"C:\\pal\\Sea.MCF", "Sea.MCF", ".mcf", "Sea"},
    {"pattern.tar.VQP", "pattern.tar.VQP", ".vqp", "pattern.tar"},
    {"/folder.d/plain", "plain", "", "plain"},
    {"/folder.d\\plain", "plain", "", "plain"},
    {"trailing.", "trailing.", ".", "trailing"},
    {".hidden", ".hidden", ".hidden", ""},
    {"/ends/with/", "", "", ""},
    {"", "", "", ""},
};

} // namespace

TEST(Paths, NamePartExtensionAndBaseName)
{
    for (const PathCase& c : kCases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(FileNamePart(c.path), c.name);
        EXPECT_EQ(LowerExtension(c.path), c.extension);
        EXPECT_EQ(BaseNameWithoutExtension(c.path), c.base);
    }
}

TEST(Paths, OnlyAsciiLettersAreLowerCased)
{
    // Bytes of other characters must pass untouched, whatever the locale.
    EXPECT_EQ(LowerExtension("a.ÄBC"), ".Äbc");
}
