// The XML layer's failure: a file that cannot be read, a document that is not
// well-formed or is refused, or text the writer cannot represent. The message
// names the file and, where known, the line.
#pragma once

#include "common/Exceptions.h"

class EXmlError : public Exception {
    using Exception::Exception;
};
