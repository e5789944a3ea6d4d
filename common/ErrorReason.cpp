// The system's reasons for failed file operations, as the user reads them.
#include "common/ErrorReason.h"

#include "common/Format.h"
#include "common/Texts.h"

#include <cerrno>

std::string ErrorReason(int error)
{
    switch (error) {
    case ENOSPC: return TText::tr("ディスクに空きがありません。");
#ifdef EDQUOT
    case EDQUOT: return TText::tr("ディスクの使用量が上限に達しています。");
#endif
    case EROFS: return TText::tr("読み取り専用のファイルシステムです。");
    case EACCES:
    case EPERM: return TText::tr("アクセスが拒否されました。");
    case ENAMETOOLONG: return TText::tr("ファイル名が長すぎます。");
    case ELOOP: return TText::tr("シンボリックリンクが循環しています。");
    case ENOENT: return TText::tr("フォルダーがありません。");
    case ENOTDIR: return TText::tr("パスの途中にフォルダーでないものがあります。");
    case EISDIR: return TText::tr("同じ名前のフォルダーがあります。");
    case EFBIG: return TText::tr("ファイルが大きすぎます。");
    case EIO: return TText::tr("入出力エラーが発生しました。");
    case EMFILE:
    case ENFILE: return TText::tr("開いているファイルが多すぎます。");
    case EBUSY:
    case ETXTBSY:
    case EWOULDBLOCK: return TText::tr("ファイルが使用中です。");
    case ENOMEM: return TText::tr("メモリが不足しています。");
    case EMLINK: return TText::tr("リンクの数が上限に達しています。");
    default: return Format(TText::tr("システムエラー %d が発生しました。").c_str(), error);
    }
}
