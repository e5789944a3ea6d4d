// The XML library's failures in the program's words. Never included
// outside xml/.
#pragma once

#include <libxml/xmlerror.h>

#include <string>

namespace xmlutil {

// What is wrong, in the user's language and without the position: the common
// codes each have their own, every other one a general phrase with its
// number. Names the library reports (the tags of a mismatch) are quoted
// safely; the library's own English text is never used.
std::string ErrorText(const xmlError& error);

} // namespace xmlutil
