// Opening a file with the program the desktop associates with it.
#pragma once

#include <functional>
#include <string>

// Result codes as the shell counts them: above 32 is success.
constexpr int kShellOpenFileNotFound = 2;
constexpr int kShellOpenNoAssociation = 31;
constexpr int kShellOpenOk = 33;

// Hands folder + fileName (folder carries its trailing separator) to open,
// the desktop's viewer. kShellOpenFileNotFound when there is no such file,
// kShellOpenOk when the viewer took it, kShellOpenNoAssociation otherwise.
int ShellOpen(const std::string& fileName, const std::string& folder,
              const std::function<bool(const std::string& path)>& open);
