// Replaces a file only once its new content is completely written.
#pragma once

#include <functional>
#include <ostream>
#include <string>

// Runs write on a fresh file beside path and moves it over path when write
// returned and every byte reached the disk. On any failure the temporary file
// is removed and an existing file at path is left as it was. A file that
// cannot be created or written throws EFOpenError "ファイル '%s' を作成できません。";
// exceptions of write itself pass through unchanged.
void WriteFileReplacing(const std::string& path, const std::function<void(std::ostream&)>& write);
