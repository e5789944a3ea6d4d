// Exception classes shared by every layer. Each carries the finished,
// user-facing message, so whoever catches one only has to show what().
#pragma once

#include <stdexcept>
#include <string>

class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string& message) : std::runtime_error(message) {}
    std::string Message() const { return what(); }
};

// clang-format off
// A value outside the range an operation accepts.
class ERangeError : public Exception { using Exception::Exception; };
// Text that does not convert to the requested kind of value.
class EConvertError : public Exception { using Exception::Exception; };
// Integer division by zero.
class EZeroDivide : public Exception { using Exception::Exception; };
// A floating-point result that is not a number or leaves the integer range.
class EInvalidOp : public Exception { using Exception::Exception; };
// A floating-point result beyond the representable range.
class EOverflow : public Exception { using Exception::Exception; };
// A file that cannot be opened, created or written.
class EFOpenError : public Exception { using Exception::Exception; };
// A destination stream refused bytes. File writers turn this into the
// program's "cannot create" message, which names the file.
class EWriteError : public Exception { using Exception::Exception; };
// clang-format on

// The messages the run-time raises for arithmetic failures.
extern const char* const kMsgZeroDivide;
extern const char* const kMsgInvalidOp;
extern const char* const kMsgOverflow;
// The message for memory that cannot be had.
extern const char* const kMsgOutOfMemory;

// What the user is shown for e, in the language of the program's texts
// (common/Texts.h): the finished message of our exceptions, the program's
// own words for lack of memory, what() for anything else.
std::string MessageOf(const std::exception& e);
