// The desktop opener behind the help command.
#include "platform/ShellOpen.h"

#include "common/FileSystem.h"

int ShellOpen(const std::string& fileName, const std::string& folder,
              const std::function<bool(const std::string& path)>& open)
{
    // No length limit: the full path is passed on rather than a cut one that
    // would name some other file.
    const std::string path = folder + fileName;
    if (!IsFile(path)) return kShellOpenFileNotFound;
    return open(path) ? kShellOpenOk : kShellOpenNoAssociation;
}
