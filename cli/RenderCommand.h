// The command-line renderer: draws one pattern without a window, through the
// same operations and checks as the main window, and writes it to a file.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// Runs the renderer with the arguments after the program name. Messages go
// to err; the result is the process exit status (0 on success).
int RunRender(const std::vector<std::string>& args, const std::string& programDir, std::ostream& out, std::ostream& err,
              bool showProgress);
