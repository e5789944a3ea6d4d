// Out-of-line raisers, so the inline checks stay small.
#include "common/FpuMath.h"

#include "common/Exceptions.h"

namespace fpu {

void RaiseOverflow() { throw EOverflow(kMsgOverflow); }
void RaiseInvalidOp() { throw EInvalidOp(kMsgInvalidOp); }
void RaiseZeroDivide() { throw EZeroDivide(kMsgZeroDivide); }

} // namespace fpu
