// The two parts of a command's hint.
#include "ui/StatusPanels.h"

#include <gtest/gtest.h>

#include <string>

TEST(SplitHint, ShortAndLongParts)
{
    EXPECT_EQ(SplitHint("開く|VQPﾌｧｲﾙを開きます。"),
              std::make_pair(std::string("開く"), std::string("VQPﾌｧｲﾙを開きます。")));
    EXPECT_EQ(SplitHint("このｿﾌﾄを終了します。"),
              std::make_pair(std::string("このｿﾌﾄを終了します。"), std::string("このｿﾌﾄを終了します。")));
    EXPECT_EQ(SplitHint("a|b|c"), std::make_pair(std::string("a"), std::string("b|c")));
}
