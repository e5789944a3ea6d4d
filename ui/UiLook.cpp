// The look shared by all windows.
#include "ui/UiLook.h"

#include <QFontDatabase>
#include <QStringList>

// Q_INIT_RESOURCE must be used outside any namespace.
static void InitIconsResource() { Q_INIT_RESOURCE(icons); }

void InitUiResources()
{
    static const bool done = (InitIconsResource(), true);
    (void)done;
}

QFont JapaneseFont(int pixelSize)
{
    // Preferred first; the rest are the fallbacks a Linux desktop tends to have.
    static const QStringList preferred = {
        QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"),       QStringLiteral("IPAPGothic"),
        QStringLiteral("IPAGothic"),       QStringLiteral("Noto Sans CJK JP"), QStringLiteral("Noto Sans JP"),
    };
    const QStringList installed = QFontDatabase::families();
    QStringList families;
    for (const QString& name : preferred)
        if (installed.contains(name, Qt::CaseInsensitive)) families << name;
    if (families.isEmpty()) families << preferred.front();
    QFont font;
    font.setFamilies(families);
    if (pixelSize > 0) font.setPixelSize(pixelSize);
    return font;
}

QIcon Icon(const QString& fileName)
{
    InitUiResources();
    return QIcon(QStringLiteral(":/icons/") + fileName);
}
