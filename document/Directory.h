// Whether a folder can be entered, tested the way the help command needs it.
#pragma once

#include <string>

// Tries to make folder the process's current folder and changes back to the
// previous one; true when the change succeeded. The current folder is the
// same afterwards (if it cannot be restored, folder is reported as not
// enterable rather than leaving the process elsewhere).
bool IsDirectory(const std::string& folder);
