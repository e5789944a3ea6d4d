// What the fuzz targets share: the input as text, and a check that ends the
// run (a finding libFuzzer keeps) when a property of the code fails.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

inline std::string InputText(const uint8_t* data, size_t size)
{
    return std::string(reinterpret_cast<const char*>(data), size);
}

inline void FuzzCheck(bool holds, const char* what)
{
    if (holds) return;
    std::fprintf(stderr, "property failed: %s\n", what);
    std::abort();
}
