// The look shared by all windows: the Japanese Gothic font and the pictures.
#pragma once

#include <QFont>
#include <QIcon>
#include <QString>


// Registers the pictures compiled into this library (":/icons/...").
void InitUiResources();

// "ＭＳ Ｐゴシック" where it exists, else an installed Japanese Gothic face, so
// Japanese text never shows as boxes. pixelSize 0 keeps the default size.
QFont JapaneseFont(int pixelSize = 0);

// A picture of ui/icons by its file name, e.g. Icon("open.png").
QIcon Icon(const QString& fileName);
