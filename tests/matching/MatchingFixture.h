// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the matching games' tests share: one-colour pictures under the games' file names (a box's middle
// tells which picture it shows), pixels of boxes and labels, and options windows worked by clicks.

#include "platform/PictureBox.h"
#include "platform/SSCommand.h"
#include "platform/SpinButton.h"
#include "shell/Palette.h"
#include "support/WindowFixture.h"

#include <QRadioButton>
#include <QTimer>
#include <algorithm>
#include <functional>

namespace nibsy::test {

// The colour of picture i of a set: well apart from the palette's colours and from one another.
inline QColor pictureColour(int i) {
    return QColor(QColor::fromHsv((i - 1) * 40 + 15, 200, 170).rgb());
}

// Writes pictures 1 to n of the names given (element 0 is not used) into the application directory.
template <class Names> void writePictures(const QString& appDir, const Names& names, int n) {
    for (int i = 1; i <= n; ++i) {
        QImage image(16, 16, QImage::Format_RGB32);
        image.fill(pictureColour(i));
        ASSERT_TRUE(image.save(appDir + QString::fromLatin1(names[size_t(i)]), "BMP"));
    }
}

// The colour at a fraction of a box's width and height.
inline QColor colourAt(PictureBox* box, double fx = 0.5, double fy = 0.5) {
    return box->image().pixelColor(int(box->image().width() * fx), int(box->image().height() * fy));
}

// How many pixels of a box (its drawing) or of any other control (as shown) have the colour: the ink of a
// name, a banner or a counter.
inline int pixelsOf(QWidget* control, const QColor& colour) {
    auto* box = qobject_cast<PictureBox*>(control);
    const QImage image =
        (box ? box->image() : control->grab().toImage()).convertToFormat(QImage::Format_RGB32);
    const auto* pixels = reinterpret_cast<const QRgb*>(image.constBits());
    return int(std::count(pixels, pixels + image.width() * image.height(), colour.rgb()));
}

// The navy of the games' captions, counters and messages.
inline const QColor Navy(0, 0, 128);

// Works a modal options window (clicking opener opens it) with the child's clicks.
template <class Dialog> void withOptions(QWidget* opener, const std::function<void(Dialog&)>& work) {
    QTimer::singleShot(0, [&] {
        auto* options = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        ASSERT_TRUE(options);
        work(*options);
    });
    click(opener);
}

} // namespace nibsy::test
