// The command-line renderer: draws one pattern without a window, through the
// same operations and checks as the main window, and writes it to a file.
#pragma once

#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

// Runs the renderer with the arguments after the program name. Messages go
// to err; the result is the process exit status (0 on success).
int RunRender(const std::vector<std::string>& args, const std::string& programDir, std::ostream& out, std::ostream& err,
              bool showProgress);

// Runs command and returns its status; a failure is printed on err instead,
// as the user reads it, with status 2 for a malformed command line and 1
// for anything else. RunRender runs inside it.
int RunReporting(std::ostream& err, const std::function<int()>& command);
