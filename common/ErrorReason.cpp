// The system's reasons for failed file operations, as the user reads them.
#include "common/ErrorReason.h"

#include "common/Format.h"

#include <cerrno>

std::string ErrorReason(int error)
{
    switch (error) {
    case ENOSPC: return "ディスクに空きがありません。";
#ifdef EDQUOT
    case EDQUOT: return "ディスクの使用量が上限に達しています。";
#endif
    case EROFS: return "読み取り専用のファイルシステムです。";
    case EACCES:
    case EPERM: return "アクセスが拒否されました。";
    case ENAMETOOLONG: return "ファイル名が長すぎます。";
    case ELOOP: return "シンボリックリンクが循環しています。";
    case ENOENT: return "フォルダーがありません。";
    case ENOTDIR: return "パスの途中にフォルダーでないものがあります。";
    case EISDIR: return "同じ名前のフォルダーがあります。";
    case EFBIG: return "ファイルが大きすぎます。";
    case EIO: return "入出力エラーが発生しました。";
    case EMFILE:
    case ENFILE: return "開いているファイルが多すぎます。";
    case EBUSY:
    case ETXTBSY:
    case EWOULDBLOCK: return "ファイルが使用中です。";
    case ENOMEM: return "メモリが不足しています。";
    case EMLINK: return "リンクの数が上限に達しています。";
    default: return Format("システムエラー %d が発生しました。", error);
    }
}
