#include "common/Exceptions.h"

#include "common/Texts.h"

#include <new>

const char* const kMsgZeroDivide = TText::Noop("ゼロによる除算");
const char* const kMsgInvalidOp = TText::Noop("不正な浮動小数点数演算命令");
const char* const kMsgOverflow = TText::Noop("浮動小数点数のオーバーフロー");
const char* const kMsgOutOfMemory = TText::Noop("メモリが不足しています。");

std::string MessageOf(const std::exception& e)
{
    // The library's text ("std::bad_alloc") means nothing to the user.
    if (dynamic_cast<const std::bad_alloc*>(&e)) return TText::tr(kMsgOutOfMemory);
    // A fixed message is thrown in Japanese wherever it arises (a drawing's
    // arithmetic fails on any thread) and put into the user's language here.
    return TText::tr(e.what());
}
