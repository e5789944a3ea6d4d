// The desktop opener behind the help command.
#include "ShellOpen.h"

#include <QFileInfo>
#include <QUrl>

int ShellOpen(const QString& fileName, const QString& /*parameters*/, const QString& folder, int /*showCommand*/,
              const std::function<bool(const QUrl&)>& openUrl)
{
    // No length limit: the full path is passed on rather than a cut one that
    // would name some other file.
    const QString path = folder + fileName;
    if (!QFileInfo(path).isFile())
        return kShellOpenFileNotFound;
    return openUrl(QUrl::fromLocalFile(path)) ? kShellOpenOk : kShellOpenNoAssociation;
}
