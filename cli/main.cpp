// velquor-render: renders a pattern (the start-up pattern, a document, or
// either with options applied) to a BMP or PNG file.
#include "cli/RenderCommand.h"
#include "common/Texts.h"
#include "platform/AppPaths.h"

#include <iostream>
#include <unistd.h>

int main(int argc, char** argv)
{
    // English where the environment's language is English, Japanese otherwise.
    SetTextLanguage(LanguageFromEnvironment());
    std::vector<std::string> args(argv + 1, argv + argc);
    return RunRender(args, ProgramDir(), std::cout, std::cerr, isatty(STDERR_FILENO) != 0);
}
