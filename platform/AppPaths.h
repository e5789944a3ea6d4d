// Where the program and its shipped files (palettes, help page) live.
//
// A program run from its build folder finds them beside the executable; an
// installed one (bin/velquor) finds them in ../share/velquor.
#pragma once

#include <string>

// Folder of the running executable, without a trailing separator.
std::string ProgramDir();

// programDir itself when it holds an "mcf" folder or "Velquor.html",
// else programDir + "/../share/velquor" when that folder exists,
// else programDir.
std::string DataDir(const std::string& programDir);

// The "mcf" folder of DataDir: where documents' palettes are looked up when
// no palette folder is set.
std::string DefaultPaletteFolder(const std::string& programDir);

// The folder holding "Velquor.html".
std::string HelpFolder(const std::string& programDir);

// The help page's file name in the language of the program's texts:
// "Velquor.en.html" in English where HelpFolder holds it, else "Velquor.html".
std::string HelpPageName(const std::string& programDir);
