// Why a file operation failed, in words for the user.
#pragma once

#include <string>

// The reason for the system error number error (an errno value) as a
// Japanese sentence ending in "。"; numbers without a sentence of their own
// are named by their number.
std::string ErrorReason(int error);
