// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shapes/PraisePictures.h"

#include "platform/PictureBox.h"
#include "platform/Random.h"
#include "platform/Services.h"
#include "shell/Shared.h"

#include <QImage>
#include <QPainter>
#include <QPolygonF>
#include <cmath>

namespace nibsy {

// A yellow star with an orange rim.
Picture starPicture() {
    return Picture::fromDrawing({240, 240}, [](QPainter& p) {
        p.scale(2, 2); // drawn on a 120 grid
        QPolygonF star;
        for (int i = 0; i < 10; ++i) {
            const double a = (i * 36 - 90) * M_PI / 180;
            const double r = i % 2 == 0 ? 56 : 24;
            star << QPointF(60 + r * std::cos(a), 62 + r * std::sin(a));
        }
        p.setPen(QPen(QColor(230, 120, 0), 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(QColor(255, 215, 0));
        p.drawPolygon(star);
    });
}

// A smiling face.
Picture smileyPicture() {
    return Picture::fromDrawing({240, 240}, [](QPainter& p) {
        p.scale(2, 2); // drawn on a 120 grid
        p.setPen(QPen(QColor(200, 110, 0), 4));
        p.setBrush(QColor(255, 220, 40));
        p.drawEllipse(QPointF(60, 60), 54, 54);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(60, 40, 20));
        p.drawEllipse(QPointF(42, 46), 7, 10);
        p.drawEllipse(QPointF(78, 46), 7, 10);
        p.setPen(QPen(QColor(60, 40, 20), 6, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(30, 36, 60, 50), 200 * 16, 140 * 16);
    });
}

void Praise(const std::array<PictureBox*, 2>& pictures) {
    for (PictureBox* picture : pictures) {
        picture->show();
    }
    static const std::array<const char*, 3> cheers{"wow.wav", "tada.wav", "conwin.wav"};
    PlayWave(FullPath(QString::fromLatin1(cheers[size_t(rnd().below(3))])), 0);
    for (PictureBox* picture : pictures) {
        picture->hide();
    }
}

} // namespace nibsy
