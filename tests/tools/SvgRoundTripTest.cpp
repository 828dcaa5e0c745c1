// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The picture converter: every shipped picture is what its SVG source converts to today, and it
// looks like its source when the suite draws it (which covers the writer's approximations: fill rules,
// strokes as outlines, blended colours).

#include "WmfWriter.h"
#include "platform/Picture.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QtEndian>
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using nibsy::Picture;

namespace {

const QString kSource = QStringLiteral(NIBSY_SOURCE_DIR);

QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

std::vector<std::string> shippedPictures() {
    std::vector<std::string> names;
    for (const QByteArray& raw : readFile(kSource + "/tools/media/pictures/names.txt").split('\n'))
        if (const QByteArray line = raw.trimmed(); !line.isEmpty() && !line.startsWith('#'))
            names.push_back(line.split('\t').front().toStdString()); // the file, without its caption
    return names;
}

// The metafile as the suite draws it, over white.
QImage drawn(const QByteArray& wmf, QSize size) {
    const Picture picture = Picture::fromData(wmf);
    EXPECT_TRUE(picture.isMetafile());
    QImage out(size, QImage::Format_RGB32);
    out.fill(Qt::white);
    QPainter(&out).drawImage(0, 0, picture.toImage(size));
    return out;
}

// The mean absolute difference per channel (0..255) and the share of pixels with a channel off by more
// than 64.
std::pair<double, double> compare(const QImage& a, const QImage& b) {
    qint64 sum = 0, bad = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            const int dr = std::abs(qRed(p) - qRed(q)), dg = std::abs(qGreen(p) - qGreen(q)),
                      db = std::abs(qBlue(p) - qBlue(q));
            sum += dr + dg + db;
            bad += std::max({dr, dg, db}) > 64;
        }
    }
    const double n = double(a.width()) * a.height();
    return {sum / (3 * n), bad / n};
}

quint16 word(const QByteArray& bytes, qsizetype index) {
    return qFromLittleEndian<quint16>(bytes.constData() + 2 * index);
}

class ShippedPicture : public ::testing::TestWithParam<std::string> {};

// Converting again gives the shipped bytes, and the suite draws the metafile close to what the SVG
// itself shows. At 96 x 96 over white the two differ only along edges (polygons against curves) and
// where a blended colour stands for a gradient: the whole set stays under a mean error of 0.5
// levels in 255 with no pixel off by more than 64. A wrong fill rule, a lost part or a wrong colour
// costs several percent of the picture, so limits of 2 levels and 1 % leave room for edges and
// still catch those.
TEST_P(ShippedPicture, IsItsSourceConvertedAndLooksLikeIt) {
    const QString name = QString::fromStdString(GetParam());
    const QString stem = name.left(name.lastIndexOf('.'));
    const QByteArray svg = readFile(kSource + "/tools/media/pictures/svg/" + stem + ".svg");
    const QByteArray shipped = readFile(kSource + "/data/" + name);
    ASSERT_FALSE(svg.isEmpty()) << "no source for " << GetParam();
    ASSERT_FALSE(shipped.isEmpty()) << "not shipped: " << GetParam();

    if (name.endsWith(".bmp", Qt::CaseInsensitive)) {
        const QImage source = nibsy::tools::renderSvg(svg, QSize(177, 185), Qt::transparent);
        EXPECT_EQ(nibsy::tools::toBmp32(source), shipped);
        EXPECT_EQ(Picture::fromData(shipped).size(), QSize(177, 185));
        return;
    }
    EXPECT_EQ(nibsy::tools::svgToWmf(svg), shipped)
        << "data/" << GetParam() << " is not its source converted";
    EXPECT_LE(shipped.size(), 60 * 1024);
    // A placeable metafile whose header other programs accept: its key and checksum.
    ASSERT_GE(shipped.size(), 40);
    EXPECT_EQ(qFromLittleEndian<quint32>(shipped.constData()), 0x9AC6CDD7u);
    quint16 checksum = 0;
    for (int i = 0; i < 10; ++i)
        checksum ^= word(shipped, i);
    EXPECT_EQ(word(shipped, 10), checksum);

    const QSize size(96, 96);
    const auto [mean, badShare] =
        compare(drawn(shipped, size), nibsy::tools::renderSvg(svg, size, Qt::white));
    EXPECT_LT(mean, 2.0) << GetParam();
    EXPECT_LT(badShare, 0.01) << GetParam();
}

INSTANTIATE_TEST_SUITE_P(Data, ShippedPicture, ::testing::ValuesIn(shippedPictures()));

} // namespace
