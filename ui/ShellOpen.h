// Opening a file with the program the desktop associates with it.
#pragma once

#include <QString>

#include <functional>

class QUrl;

// Result codes as the shell counts them: above 32 is success.
constexpr int kShellOpenFileNotFound = 2;
constexpr int kShellOpenNoAssociation = 31;
constexpr int kShellOpenOk = 33;

// Opens folder + fileName (folder carries its trailing separator) through
// openUrl. kShellOpenFileNotFound when there is no such file,
// kShellOpenOk when the desktop took it, kShellOpenNoAssociation otherwise.
// parameters and showCommand have no meaning for a desktop URL and are
// accepted for the callers' sake only.
int ShellOpen(const QString& fileName, const QString& parameters, const QString& folder, int showCommand,
              const std::function<bool(const QUrl&)>& openUrl);
