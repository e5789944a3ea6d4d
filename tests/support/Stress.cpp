#include "tests/support/Stress.h"

#include <cstdlib>

int StressCycles(int everyday)
{
    const char* asked = std::getenv("VELQUOR_STRESS_CYCLES");
    const int cycles = asked ? std::atoi(asked) : 0;
    return cycles > 0 ? cycles : everyday;
}
