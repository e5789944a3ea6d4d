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
// A save that its progress hook cancelled; the file it was to replace is
// unchanged, so callers usually show nothing.
class ESaveCancelled : public Exception {
    using Exception::Exception;
};
// A stream that refuses bytes throws EWriteError from Exceptions.h.
