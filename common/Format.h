// printf-style formatting into a std::string, for building messages.
#pragma once

#include <string>

std::string Format(const char* fmt, ...) __attribute__((format(printf, 1, 2)));
