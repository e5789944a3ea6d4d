#include "common/Exceptions.h"

const char* const kMsgZeroDivide = "ゼロによる除算";
const char* const kMsgInvalidOp = "不正な浮動小数点数演算命令";
const char* const kMsgOverflow = "浮動小数点数のオーバーフロー";
