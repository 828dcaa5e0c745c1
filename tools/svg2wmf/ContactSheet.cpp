// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
// contactsheet: draws pictures with the suite's own picture loading into one PNG, in a grid,
// each with its word under it, so that a person can look over the whole set at once.
//   contactsheet [--size PIXELS] output.png picture[=word]...   (the word defaults to the file name)

#include "platform/Picture.h"

#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstdio>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    int pictureSize = 120;
    if (args.size() >= 2 && args[0] == QLatin1String("--size")) {
        pictureSize = std::clamp(args[1].toInt(), 16, 1024);
        args = args.mid(2);
    }
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: contactsheet [--size PIXELS] output.png picture...\n");
        return 2;
    }
    QStringList files, words;
    for (const QString& arg : args.mid(1)) {
        const qsizetype eq = arg.indexOf(QLatin1Char('='));
        files << (eq < 0 ? arg : arg.left(eq));
        words << (eq < 0 ? QFileInfo(arg).fileName() : arg.mid(eq + 1));
    }
    constexpr int kColumns = 8, kMargin = 10;
    const int kPicture = pictureSize, kCellW = pictureSize + 30, kCellH = pictureSize + 40;
    const int rows = int((files.size() + kColumns - 1) / kColumns);
    QImage sheet(kColumns * kCellW + 2 * kMargin, rows * kCellH + 2 * kMargin, QImage::Format_RGB32);
    sheet.fill(QColor(236, 236, 236));
    QPainter painter(&sheet);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(14);
    font.setBold(true);
    painter.setFont(font);
    int failures = 0;
    for (int i = 0; i < files.size(); ++i) {
        const QRect cell(kMargin + (i % kColumns) * kCellW, kMargin + (i / kColumns) * kCellH, kCellW,
                         kCellH);
        const QRect box(cell.left() + (kCellW - kPicture) / 2, cell.top() + 8, kPicture, kPicture);
        painter.fillRect(box, Qt::white);
        QFile file(files[i]);
        const nibsy::Picture picture =
            file.open(QIODevice::ReadOnly) ? nibsy::Picture::fromData(file.readAll()) : nibsy::Picture();
        if (picture.isNull()) {
            std::fprintf(stderr, "contactsheet: cannot draw %s\n", qPrintable(files[i]));
            ++failures;
            painter.fillRect(box, Qt::red);
        } else {
            const QSizeF fitted = QSizeF(picture.size()).scaled(QSizeF(box.size()), Qt::KeepAspectRatio);
            picture.draw(painter, QRectF(box.left() + (box.width() - fitted.width()) / 2,
                                         box.top() + (box.height() - fitted.height()) / 2, fitted.width(),
                                         fitted.height()));
        }
        painter.setPen(Qt::black);
        painter.drawText(QRect(cell.left(), box.bottom() + 4, kCellW, 20), Qt::AlignHCenter | Qt::AlignTop,
                         words[i]);
    }
    painter.end();
    if (!sheet.save(args[0], "PNG")) {
        std::fprintf(stderr, "contactsheet: cannot write %s\n", qPrintable(args[0]));
        return 1;
    }
    return failures == 0 ? 0 : 1;
}
