// Errors of the image writers.
#pragma once

#include "common/Exceptions.h"

// A picture that a graphic format cannot take or write.
class EInvalidGraphic : public Exception {
    using Exception::Exception;
};
// A fault of the PNG writer: a bad setting or a compressor failure.
class EPngError : public EInvalidGraphic {
    using EInvalidGraphic::EInvalidGraphic;
};
// A stream that refuses bytes throws EWriteError from Exceptions.h.
