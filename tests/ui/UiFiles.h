// Small files the command tests feed the window: palettes, documents and
// pixel comparisons.
#pragma once

#include "document/UVqd.h"
#include "tests/support/Pictures.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

#include <functional>

inline bool WriteFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(path.section(QLatin1Char('/'), 0, -2));
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

inline QByteArray ReadFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A palette with enough colours for every pixel; shade sets the colours so
// two palettes give different pictures.
inline bool WritePalette(const QString& path, int shade = 0x20)
{
    const QByteArray gradient =
        QStringLiteral("000000\n#GRAD %1%1%1,F0E0D0,100\n").arg(shade, 2, 16, QLatin1Char('0')).toUpper().toLatin1();
    return WriteFile(path, gradient);
}

// A document with the given fields over a valid small default.
inline void WriteDocument(const QString& path, const std::function<void(TVqd&)>& fill)
{
    TVqd vqd;
    vqd.Center = {0.1L, -0.2L};
    vqd.Incremental = {0.01L, 0.01L};
    vqd.ColorChange = 1.0;
    vqd.FormulaType = 1;
    vqd.FormulaName = "1";
    vqd.PaletteName = "pal";
    vqd.Size = {60, 40};
    fill(vqd);
    vqd.SaveToFile(path.toStdString());
}
