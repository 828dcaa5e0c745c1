// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
// svg2wmf: draws an SVG picture as a Windows metafile, or as a 24-bit bitmap.
//   svg2wmf input.svg output.wmf
//   svg2wmf --bmp WIDTHxHEIGHT input.svg output.bmp   (transparent background, picture centred)

#include "WmfWriter.h"

#include <QColor>
#include <QFile>
#include <QGuiApplication>
#include <QStringList>
#include <cstdio>

namespace {

int fail(const QString& message) {
    std::fprintf(stderr, "svg2wmf: %s\n", qPrintable(message));
    return 1;
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile out(path);
    return out.open(QIODevice::WriteOnly | QIODevice::Truncate) && out.write(bytes) == bytes.size();
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);

    QSize bitmapSize;
    if (args.size() == 4 && args[0] == QLatin1String("--bmp")) {
        const QStringList parts = args[1].split(QLatin1Char('x'));
        if (parts.size() == 2)
            bitmapSize = QSize(parts[0].toInt(), parts[1].toInt());
        if (bitmapSize.isEmpty())
            return fail(QStringLiteral("bad bitmap size %1").arg(args[1]));
        args = args.mid(2);
    }
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: svg2wmf [--bmp WIDTHxHEIGHT] input.svg output\n");
        return 2;
    }
    QFile in(args[0]);
    if (!in.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("cannot read %1").arg(args[0]));
    const QByteArray svg = in.readAll();

    QByteArray result;
    if (bitmapSize.isValid()) {
        result = nibsy::tools::toBmp32(nibsy::tools::renderSvg(svg, bitmapSize, Qt::transparent));
    } else {
        QString error;
        result = nibsy::tools::svgToWmf(svg, &error);
        if (result.isEmpty())
            return fail(QStringLiteral("%1: %2").arg(args[0], error));
    }
    if (!writeFile(args[1], result))
        return fail(QStringLiteral("cannot write %1").arg(args[1]));
    return 0;
}
