// Errors of the image writers.
#pragma once

#include "Exceptions.h"

// A picture that a graphic format cannot take or write.
class EInvalidGraphic : public Exception { using Exception::Exception; };
// A fault of the PNG writer: a bad setting or a compressor failure.
class EPngError : public EInvalidGraphic { using EInvalidGraphic::EInvalidGraphic; };
// The destination stream refused bytes. File writers turn this into the
// program's "cannot create" message, which names the file.
class EWriteError : public Exception { using Exception::Exception; };
