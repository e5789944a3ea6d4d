#include "common/Exceptions.h"

#include <new>

const char* const kMsgZeroDivide = "ゼロによる除算";
const char* const kMsgInvalidOp = "不正な浮動小数点数演算命令";
const char* const kMsgOverflow = "浮動小数点数のオーバーフロー";
const char* const kMsgOutOfMemory = "メモリが不足しています。";

std::string MessageOf(const std::exception& e)
{
    // The library's text ("std::bad_alloc") means nothing to the user.
    if (dynamic_cast<const std::bad_alloc*>(&e)) return kMsgOutOfMemory;
    return e.what();
}
