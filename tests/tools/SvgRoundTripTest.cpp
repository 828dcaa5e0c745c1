// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The picture converter: every shipped picture is what its SVG source converts to today, and it
// looks like its source when the suite draws it (which covers the writer's approximations: fill rules,
// strokes as outlines, blended colours); and the metafile's own structure.

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
using nibsy::tools::WmfWriter;

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

// The records of a metafile (after the placeable and standard headers): function and parameters.
struct Record {
    quint16 function;
    QByteArray params;
};

std::vector<Record> records(const QByteArray& wmf) {
    std::vector<Record> out;
    qsizetype pos = 22 + 18;
    while (pos + 6 <= wmf.size()) {
        const quint32 words = qFromLittleEndian<quint32>(wmf.constData() + pos);
        const quint16 function = qFromLittleEndian<quint16>(wmf.constData() + pos + 4);
        if (words < 3 || pos + qsizetype(words) * 2 > wmf.size())
            break;
        out.push_back({function, wmf.mid(pos + 6, qsizetype(words) * 2 - 6)});
        pos += qsizetype(words) * 2;
    }
    return out;
}

quint16 word(const QByteArray& bytes, qsizetype index) {
    return qFromLittleEndian<quint16>(bytes.constData() + 2 * index);
}

template <typename Paint> QByteArray paintMetafile(Paint paint) {
    WmfWriter writer(QSize(1000, 1000), 1000);
    QPainter painter(&writer);
    paint(painter);
    painter.end();
    return writer.data();
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

    const QSize size(96, 96);
    const auto [mean, badShare] =
        compare(drawn(shipped, size), nibsy::tools::renderSvg(svg, size, Qt::white));
    EXPECT_LT(mean, 2.0) << GetParam();
    EXPECT_LT(badShare, 0.01) << GetParam();
}

INSTANTIATE_TEST_SUITE_P(Data, ShippedPicture, ::testing::ValuesIn(shippedPictures()));

TEST(WmfWriter, WritesAWellFormedPlaceableMetafile) {
    const QByteArray wmf = paintMetafile([](QPainter& p) {
        for (int i = 0; i < 5; ++i)
            p.fillRect(QRect(100 * i, 0, 100, 100), QColor::fromHsv(60 * i, 255, 255));
    });
    ASSERT_GE(wmf.size(), 40);
    EXPECT_EQ(qFromLittleEndian<quint32>(wmf.constData()), 0x9AC6CDD7u);
    quint16 checksum = 0;
    for (int i = 0; i < 10; ++i)
        checksum ^= word(wmf, i);
    EXPECT_EQ(word(wmf, 10), checksum);
    for (int i : {5, 6, 7}) // right, bottom, units per inch
        EXPECT_EQ(word(wmf, i), 1000);
    EXPECT_EQ(qFromLittleEndian<quint32>(wmf.constData() + 22 + 6) * 2, quint32(wmf.size() - 22));

    // Every object created is deleted, handles are reused from the lowest free one, and the
    // header's object count covers the most alive at once.
    const std::vector<Record> recs = records(wmf);
    ASSERT_TRUE(!recs.empty() && recs.back().function == 0x0000);
    std::vector<bool> alive;
    size_t most = 0, brushes = 0;
    for (const Record& r : recs) {
        if (r.function == 0x02FA || r.function == 0x02FC) {
            if (const auto free = std::find(alive.begin(), alive.end(), false); free != alive.end())
                *free = true;
            else
                alive.push_back(true);
            brushes += r.function == 0x02FC;
            if (r.function == 0x02FA) {
                EXPECT_EQ(word(r.params, 0), 5) << "shapes are filled without an outline";
            }
        } else if (r.function == 0x01F0 || r.function == 0x012D) { // delete or select
            const quint16 index = word(r.params, 0);
            ASSERT_LT(index, alive.size());
            EXPECT_TRUE(alive[index]) << "uses a deleted object";
            alive[index] = r.function == 0x012D;
        }
        most = std::max<size_t>(most, size_t(std::count(alive.begin(), alive.end(), true)));
    }
    EXPECT_EQ(brushes, 5u);
    EXPECT_EQ(std::count(alive.begin(), alive.end(), true), 0);
    EXPECT_EQ(word(wmf, 11 + 5), most);
}

} // namespace
