// Starting programs without a shell.
#include "platform/Process.h"

#include <gtest/gtest.h>

TEST(RunProgram, ArgumentsReachTheProgramUnchangedWithoutAShell)
{
    // test(1) compares its arguments; a shell would split or expand them.
    const std::string tricky = "a b; $(touch /tmp/vq_never) `x` *";
    EXPECT_EQ(RunProgram({"test", tricky, "=", tricky}), 0);
    EXPECT_EQ(RunProgram({"test", tricky, "=", "a"}), 1);
    EXPECT_EQ(RunProgram({"vq-no-such-program-here"}), 127);
    EXPECT_EQ(RunProgram({}), -1);
    EXPECT_TRUE(FindOnPath("test"));
    EXPECT_FALSE(FindOnPath("vq-no-such-program-here"));
}
