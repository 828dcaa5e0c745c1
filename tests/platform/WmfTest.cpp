#include "platform/Wmf.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include <functional>

using nibsy::WmfDocument;

namespace {

// Writes small metafiles: an optional placeable header, the standard header, records and the end
// record. Record parameters are 16-bit words in file order.
class WmfWriter {
public:
    explicit WmfWriter(int objects = 8) : m_objects(objects) {}

    WmfWriter& placeable(int left, int top, int right, int bottom, int unitsPerInch = 96) {
        m_placeable.clear();
        for (int w : {0xCDD7, 0x9AC6, 0, left, top, right, bottom, unitsPerInch, 0, 0, 0})
            put(m_placeable, w);
        return *this;
    }
    WmfWriter& raw(quint16 function, const QByteArray& params) {
        put(m_records, int((params.size() + 6) / 2) & 0xFFFF);
        put(m_records, int((params.size() + 6) / 2) >> 16);
        put(m_records, function);
        m_records += params;
        return *this;
    }
    WmfWriter& rec(quint16 function, std::initializer_list<int> words) { return raw(function, pack(words)); }

    WmfWriter& window(int x, int y, int w, int h) { return rec(0x020B, {y, x}).rec(0x020C, {h, w}); }
    WmfWriter& pen(int style, int width, QRgb c) { return rec(0x02FA, {style, width, 0, lo(c), hi(c)}); }
    WmfWriter& brush(int style, QRgb c, int hatch = 0) { return rec(0x02FC, {style, lo(c), hi(c), hatch}); }
    WmfWriter& select(int index) { return rec(0x012D, {index}); }
    WmfWriter& fillMode(int mode) { return rec(0x0106, {mode}); }
    WmfWriter& rectangle(int l, int t, int r, int b) { return rec(0x041B, {b, r, t, l}); }
    WmfWriter& polygon(std::initializer_list<int> xy) {
        QByteArray p = pack({int(xy.size() / 2)});
        return raw(0x0324, p + pack(xy));
    }
    // Red brush and no pen: the usual set-up for checking fills.
    WmfWriter& redFill() { return pen(5, 0, 0).select(0).brush(0, qRgb(255, 0, 0)).select(1); }

    QByteArray bytes() const {
        QByteArray out = m_placeable;
        const int words = 9 + int(m_records.size() / 2) + 3;
        for (int w : {1, 9, 0x0300, words & 0xFFFF, words >> 16, m_objects, 0, 0, 0})
            put(out, w);
        out += m_records;
        for (int w : {3, 0, 0})
            put(out, w);
        return out;
    }

    static QByteArray pack(std::initializer_list<int> words) {
        QByteArray out;
        for (int w : words)
            put(out, w);
        return out;
    }
    static void put(QByteArray& out, int word) {
        out += char(word & 0xFF);
        out += char((word >> 8) & 0xFF);
    }
    static int lo(QRgb c) { return qRed(c) | (qGreen(c) << 8); }
    static int hi(QRgb c) { return qBlue(c); }

private:
    int m_objects;
    QByteArray m_placeable;
    QByteArray m_records;
};

QImage draw(const QByteArray& bytes, QSize size = {100, 100}, QColor background = Qt::white) {
    QImage image(size, QImage::Format_ARGB32);
    image.fill(background);
    const auto doc = WmfDocument::parse(bytes);
    if (doc) {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        doc->render(painter, QRectF(QPointF(0, 0), size));
    }
    return image;
}

bool near(QRgb a, QRgb b) {
    return std::abs(qRed(a) - qRed(b)) < 40 && std::abs(qGreen(a) - qGreen(b)) < 40 &&
           std::abs(qBlue(a) - qBlue(b)) < 40;
}

int count(const QImage& image, const std::function<bool(QRgb)>& test, QRect area = {}) {
    if (area.isNull())
        area = image.rect();
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += test(image.pixel(x, y)) ? 1 : 0;
    return n;
}

constexpr QRgb kRed = 0xFFFF0000, kWhite = 0xFFFFFFFF, kBlack = 0xFF000000, kBlue = 0xFF0000FF;

QByteArray sample(const char* name) {
    QFile file(QDir(QStringLiteral(NIBSY_SOURCE_DIR "/tests/platform/wmf-samples")).filePath(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(Wmf, PolygonFillsWhereItShouldAndSizeComesFromThePlaceableHeader) {
    WmfWriter w;
    w.placeable(0, 0, 200, 100, 192)
        .window(0, 0, 200, 100)
        .redFill()
        .polygon({20, 20, 100, 20, 100, 80, 20, 80});
    const auto doc = WmfDocument::parse(w.bytes());
    ASSERT_TRUE(doc);
    EXPECT_EQ(doc->sizeInPixels(), QSizeF(100, 50));

    const QImage image = draw(w.bytes(), {200, 100});
    EXPECT_TRUE(near(image.pixel(60, 50), kRed));
    EXPECT_TRUE(near(image.pixel(150, 50), kWhite));
    EXPECT_TRUE(near(image.pixel(60, 90), kWhite));
}

TEST(Wmf, FillModeDecidesWhetherOverlapsAreFilled) {
    // A five-pointed star drawn in one stroke, and a square with a square of the same turn inside.
    for (const int mode : {1, 2}) {
        WmfWriter w;
        w.placeable(0, 0, 100, 100).redFill().fillMode(mode);
        w.polygon({50, 5, 79, 95, 3, 39, 97, 39, 21, 95});
        const QImage star = draw(w.bytes());
        EXPECT_EQ(near(star.pixel(50, 55), kRed), mode == 2) << "star centre, mode " << mode;
        EXPECT_TRUE(near(star.pixel(50, 20), kRed)) << "star point, mode " << mode;

        WmfWriter pp;
        pp.placeable(0, 0, 100, 100).redFill().fillMode(mode);
        pp.raw(0x0538,
               WmfWriter::pack({2, 4, 4, 10, 10, 90, 10, 90, 90, 10, 90, 30, 30, 70, 30, 70, 70, 30, 70}));
        const QImage squares = draw(pp.bytes());
        EXPECT_EQ(near(squares.pixel(50, 50), kRed), mode == 2) << "inner square, mode " << mode;
        EXPECT_TRUE(near(squares.pixel(20, 50), kRed)) << "ring, mode " << mode;
    }
}

TEST(Wmf, HollowBrushLeavesTheInsideAndNullPenLeavesTheOutline) {
    WmfWriter w;
    w.placeable(0, 0, 100, 100).pen(0, 4, kBlack).select(0).brush(1, 0).select(1).rectangle(10, 10, 90, 90);
    const QImage hollow = draw(w.bytes());
    EXPECT_TRUE(near(hollow.pixel(50, 50), kWhite));
    EXPECT_TRUE(near(hollow.pixel(10, 50), kBlack));

    WmfWriter n;
    n.placeable(0, 0, 100, 100)
        .pen(5, 4, kBlack)
        .select(0)
        .brush(0, kBlue)
        .select(1)
        .rectangle(10, 10, 90, 90);
    const QImage filled = draw(n.bytes());
    EXPECT_TRUE(near(filled.pixel(50, 50), kBlue));
    EXPECT_EQ(count(filled, [](QRgb c) { return near(c, kBlack); }), 0);
}

TEST(Wmf, HatchedBrushShowsBothHatchAndBackground) {
    WmfWriter w;
    w.placeable(0, 0, 100, 100).pen(5, 0, 0).select(0).rec(0x0201, {0xFFFF, 0}); // yellow background
    w.brush(2, kBlue, 4).select(1).rectangle(0, 0, 100, 100);
    const QImage image = draw(w.bytes());
    const QRect inside(20, 20, 60, 60);
    EXPECT_GT(count(
                  image, [](QRgb c) { return near(c, kBlue); }, inside),
              200);
    EXPECT_GT(count(
                  image, [](QRgb c) { return near(c, qRgb(255, 255, 0)); }, inside),
              1000);
}

TEST(Wmf, RestoreDcBringsBackTheSavedPen) {
    // Red pen saved, blue selected, then restored relatively (-1) or absolutely (1).
    for (const int restore : {-1, 1}) {
        WmfWriter w;
        w.placeable(0, 0, 100, 100).pen(0, 6, kRed).pen(0, 6, kBlue).select(0).rec(0x001E, {});
        w.select(1).rec(0x0127, {restore & 0xFFFF}).rec(0x0214, {50, 0}).rec(0x0213, {50, 100});
        const QImage image = draw(w.bytes());
        EXPECT_TRUE(near(image.pixel(50, 50), kRed)) << "restore " << restore;
    }
}

TEST(Wmf, ClipRectanglesCutTheDrawingUntilRestored) {
    WmfWriter w;
    w.placeable(0, 0, 100, 100).redFill().rec(0x001E, {});
    w.rec(0x0416, {50, 100, 0, 0}).rec(0x0415, {50, 30, 0, 0}); // keep the top half, then cut its left part
    w.rectangle(0, 0, 100, 100).rec(0x0127, {-1}).brush(0, kBlue).select(2).rectangle(0, 60, 100, 100);
    const QImage image = draw(w.bytes());
    EXPECT_TRUE(near(image.pixel(60, 25), kRed));
    EXPECT_TRUE(near(image.pixel(15, 25), kWhite));
    EXPECT_TRUE(near(image.pixel(60, 55), kWhite));
    EXPECT_TRUE(near(image.pixel(15, 80), kBlue)); // drawn after the restore: unclipped
}

TEST(Wmf, NegativeExtentsFlipThePicture) {
    // Logical y grows upwards: a band at the logical top must land at the top of the image.
    WmfWriter up;
    up.window(0, 100, 100, -100).redFill().rectangle(0, 100, 100, 80);
    const QImage a = draw(up.bytes());
    EXPECT_TRUE(near(a.pixel(50, 5), kRed));
    EXPECT_TRUE(near(a.pixel(50, 95), kWhite));

    WmfWriter left;
    left.window(100, 0, -100, 100).redFill().rectangle(0, 0, 20, 100);
    const QImage b = draw(left.bytes());
    EXPECT_TRUE(near(b.pixel(95, 50), kRed));
    EXPECT_TRUE(near(b.pixel(5, 50), kWhite));
}

TEST(Wmf, PenWidthScalesWithThePictureAndHairlinesStayVisible) {
    auto thickness = [](int width, int targetSize) {
        WmfWriter w;
        w.placeable(0, 0, 1000, 1000)
            .pen(0, width, kBlack)
            .select(0)
            .rec(0x0214, {500, 0})
            .rec(0x0213, {500, 1000});
        const QImage image = draw(w.bytes(), {targetSize, targetSize});
        return count(
            image, [](QRgb c) { return qGray(c) < 160; }, QRect(targetSize / 2, 0, 1, targetSize));
    };
    EXPECT_NEAR(thickness(100, 200), 20, 2);
    EXPECT_NEAR(thickness(100, 100), 10, 2);
    EXPECT_GE(thickness(0, 100), 1);
    EXPECT_GE(thickness(2, 100), 1); // a fifth of a pixel still shows
}

TEST(Wmf, ObjectsTakeTheLowestFreeSlotWithinTheHeadersCount) {
    WmfWriter w(2);
    w.placeable(0, 0, 100, 100).pen(5, 0, 0).brush(0, kBlue).select(0).rec(0x01F0, {1});
    w.brush(0, kRed);                  // reuses slot 1
    w.brush(0, qRgb(0, 255, 0));       // no slot left: dropped
    w.select(1).select(2).select(999); // 2 and 999 name nothing
    w.rectangle(0, 0, 100, 100);
    EXPECT_TRUE(near(draw(w.bytes()).pixel(50, 50), kRed));
}

TEST(Wmf, FrameComesFromTheWindowOrFromTheDrawing) {
    WmfWriter windowed;
    windowed.window(1000, 1000, 400, 200).redFill().rectangle(1000, 1000, 1200, 1200);
    auto doc = WmfDocument::parse(windowed.bytes());
    ASSERT_TRUE(doc);
    EXPECT_EQ(doc->sizeInPixels(), QSizeF(400, 200));
    QImage image = draw(windowed.bytes());
    EXPECT_TRUE(near(image.pixel(25, 50), kRed));
    EXPECT_TRUE(near(image.pixel(75, 50), kWhite));

    WmfWriter bare;
    bare.redFill().rectangle(300, 300, 500, 400);
    doc = WmfDocument::parse(bare.bytes());
    ASSERT_TRUE(doc);
    EXPECT_EQ(doc->sizeInPixels(), QSizeF(200, 100));
    image = draw(bare.bytes());
    EXPECT_TRUE(near(image.pixel(3, 3), kRed));
    EXPECT_TRUE(near(image.pixel(96, 96), kRed));
}

TEST(Wmf, StretchedDibShowsItsPixels) {
    // 2x2, 24 bits, bottom-up rows: blue white / red green, stretched over the whole picture.
    QByteArray dib = WmfWriter::pack({40, 0, 2, 0, 2, 0, 1, 24, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    dib += QByteArray::fromHex("ff0000ffffff0000"); // bottom row: blue, white
    dib += QByteArray::fromHex("0000ff00ff000000"); // top row: red, green
    WmfWriter w;
    w.placeable(0, 0, 100, 100)
        .raw(0x0F43, WmfWriter::pack({0x0020, 0x00CC, 0, 2, 2, 0, 0, 100, 100, 0, 0}) + dib);
    const QImage image = draw(w.bytes());
    EXPECT_TRUE(near(image.pixel(20, 20), kRed));
    EXPECT_TRUE(near(image.pixel(80, 20), qRgb(0, 255, 0)));
    EXPECT_TRUE(near(image.pixel(20, 80), kBlue));
    EXPECT_TRUE(near(image.pixel(80, 80), kWhite));
}

TEST(Wmf, TextIsDrawnInTheTextColourWhereItsAlignmentSays) {
    const QRgb green = qRgb(0, 160, 0);
    auto textAt = [&](int align) {
        WmfWriter w;
        w.placeable(0, 0, 200, 200)
            .rec(0x0102, {1})
            .rec(0x0209, {WmfWriter::lo(green), WmfWriter::hi(green)});
        // 40 units high, bold, "Sans".
        w.raw(0x02FB, WmfWriter::pack({-40, 0, 0, 0, 700, 0, 0, 0, 0}) + QByteArray("Sans\0\0", 6));
        w.select(0)
            .rec(0x012E, {align})
            .raw(0x0521, WmfWriter::pack({4}) + "Nibs" + WmfWriter::pack({100, 100}));
        return draw(w.bytes(), {200, 200});
    };
    auto greenIn = [&](const QImage& image, QRect area) {
        return count(
            image, [&](QRgb c) { return near(c, green); }, area);
    };
    const QRect above(0, 0, 200, 100), below(0, 100, 200, 100), left(0, 0, 100, 200), right(100, 0, 100, 200);

    const QImage top = textAt(0); // top left
    EXPECT_GT(greenIn(top, below), 50);
    EXPECT_EQ(greenIn(top, above), 0);
    EXPECT_EQ(greenIn(top, left), 0);

    const QImage bottomRight = textAt(8 | 2);
    EXPECT_GT(greenIn(bottomRight, above), 50);
    EXPECT_EQ(greenIn(bottomRight, below), 0);
    EXPECT_EQ(greenIn(bottomRight, right), 0);

    const QImage centred = textAt(24 | 6); // baseline, centre
    EXPECT_GT(greenIn(centred, left), 20);
    EXPECT_GT(greenIn(centred, right), 20);
}

TEST(Wmf, RenderStaysInsideTargetAndKeepsThePainterState) {
    WmfWriter w;
    w.placeable(0, 0, 100, 100).redFill().rectangle(-50, -50, 150, 150); // spills past the frame
    const auto doc = WmfDocument::parse(w.bytes());
    ASSERT_TRUE(doc);
    QImage image(100, 100, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setPen(QPen(Qt::green, 3));
    painter.setBrush(Qt::cyan);
    painter.translate(5, 5);
    doc->render(painter, QRectF(20, 20, 40, 40));
    EXPECT_EQ(painter.pen(), QPen(Qt::green, 3));
    EXPECT_EQ(painter.brush(), QBrush(Qt::cyan));
    EXPECT_EQ(painter.transform(), QTransform::fromTranslate(5, 5));
    EXPECT_FALSE(painter.hasClipping());
    painter.end();
    EXPECT_EQ(count(image, [](QRgb c) { return near(c, kRed); }), 40 * 40);
    EXPECT_TRUE(near(image.pixel(45, 45), kRed));
}

TEST(Wmf, RejectsWhatIsNotAMetafile) {
    QString error;
    EXPECT_FALSE(WmfDocument::parse(QByteArray(), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(WmfDocument::parse("GIF89a and then some more bytes", &error));
    EXPECT_FALSE(WmfDocument::parse(WmfWriter().placeable(0, 0, 10, 10).bytes().left(30)));
    EXPECT_TRUE(WmfDocument::parse(WmfWriter().bytes())); // empty but well formed
}

TEST(Wmf, SamplesDrawRecognisablePictures) {
    auto inked = [](QRgb c) { return qAlpha(c) > 128; };
    for (const char* name : {"santa.wmf", "61338.wmf", "empty-polygon-close.wmf", "drawing.wmf"}) {
        const QByteArray bytes = sample(name);
        ASSERT_FALSE(bytes.isEmpty()) << name;
        QString error;
        const auto doc = WmfDocument::parse(bytes, &error);
        ASSERT_TRUE(doc) << name << ": " << error.toStdString();
        EXPECT_GT(doc->sizeInPixels().width(), 10) << name;
        EXPECT_GT(doc->sizeInPixels().height(), 10) << name;
        EXPECT_GT(count(draw(bytes, {200, 200}, Qt::transparent), inked), 400) << name;
    }

    const QByteArray santa = sample("santa.wmf");
    const auto doc = WmfDocument::parse(santa);
    EXPECT_NEAR(doc->sizeInPixels().width(), 1885 * 96 / 1000.0, 0.5);
    EXPECT_NEAR(doc->sizeInPixels().height(), 2022 * 96 / 1000.0, 0.5);
    // Upright: the red hat in the top half, the pink face in the middle, most of the square inked.
    const QImage image = draw(santa, {200, 200}, Qt::transparent);
    auto red = [](QRgb c) { return near(c, kRed) && qAlpha(c) == 255; };
    auto pink = [](QRgb c) { return near(c, qRgb(255, 191, 191)) && qAlpha(c) == 255; };
    EXPECT_GT(count(image, red, QRect(0, 0, 200, 100)), 100);
    EXPECT_EQ(count(image, red, QRect(0, 130, 200, 70)), 0);
    EXPECT_GT(count(image, pink, QRect(60, 60, 80, 60)), 800);
    EXPECT_GT(count(image, inked), 200 * 200 / 2);

    // The text of 61338.wmf sits lower in its frame: top quarter empty, text in the band below the middle.
    const QImage text = draw(sample("61338.wmf"), {200, 200}, Qt::transparent);
    EXPECT_EQ(count(text, inked, QRect(0, 0, 200, 50)), 0);
    EXPECT_GT(count(text, inked, QRect(0, 100, 200, 50)), 300);
}

TEST(Wmf, DamagedFilesNeverCrashOrHang) {
    QElapsedTimer timer;
    timer.start();
    // Cut short at every byte.
    for (const char* name : {"drawing.wmf", "61338.wmf"}) {
        const QByteArray bytes = sample(name);
        for (qsizetype n = 0; n < bytes.size(); ++n)
            draw(bytes.left(n), {16, 16});
    }
    // A record claiming to be huge, object indices far out, point counts beyond the record,
    // negative and giant sizes, a bitmap header promising billions of pixels.
    WmfWriter w(2);
    w.placeable(0, 0, 100, 100).redFill().rec(0x012D, {0xFFFF}).rec(0x01F0, {40000});
    w.rec(0x0324, {32767, 1, 2}).rec(0x0538, {65535, 3}).rec(0x0538, {2, 65535, 65535, 1, 1});
    w.rec(0x020C, {0, 0}).rec(0x020C, {1, 32767}).rec(0x020E, {-32768, 32767});
    w.rectangle(-32768, -32768, 32767, 32767);
    w.rec(0x0410, {0, 1, 0, 1}).rec(0x0127, {-1000}).rec(0x0127, {30000});
    for (int i = 0; i < 2000; ++i)
        w.rec(0x001E, {});
    w.raw(0x0F43, WmfWriter::pack({0x0020, 0x00CC, 0,      1,      1,      0,      0, 100, 100, 0, 0,
                                   40,     0,      0xFFFF, 0x7FFF, 0xFFFF, 0x7FFF, 1, 32,  0,   0}));
    w.raw(0x0F43,
          WmfWriter::pack({0x0020, 0x00CC, 0, 1, 1, 0, 0, 100, 100, 0, 0, 40, 0, 0, 0x8000, 1, 0, 1, 8}));
    w.raw(0x0A32, WmfWriter::pack({0, 0, 60000, 6, 0, 0, 10, 10}));
    w.rec(0x0521, {-5, 0x4141, 0, 0});
    QByteArray bytes = w.bytes();
    EXPECT_TRUE(WmfDocument::parse(bytes));
    draw(bytes);
    WmfWriter::put(bytes, 0x1000); // a record that runs past the end
    bytes += QByteArray::fromHex("0000ff7f2403ffff");
    draw(bytes);

    // Big self-crossing polygons, the worst case for the rasterizer.
    WmfWriter stars(2);
    stars.redFill();
    QByteArray star = WmfWriter::pack({1000});
    for (int i = 0; i < 1000; ++i)
        star += WmfWriter::pack({(i * 7919) % 30000 - 15000, (i * 104729) % 30000 - 15000});
    for (int i = 0; i < 16; ++i)
        stars.raw(0x0324, star);
    draw(stars.bytes(), {200, 200});
    EXPECT_LT(timer.elapsed(), 60000);
}

TEST(Wmf, AMegabyteOfClipArtIsQuick) {
    WmfWriter big(2);
    big.placeable(0, 0, 3000, 3000).redFill();
    for (int shape = 0; shape < 6000; ++shape) { // 40 points each: a megabyte
        QByteArray points = WmfWriter::pack({40});
        for (int i = 0; i < 40; ++i)
            points +=
                WmfWriter::pack({(shape * 37) % 2800 + (i * 13) % 200, (shape * 91) % 2800 + (i * 29) % 200});
        big.raw(0x0324, points);
    }
    const QByteArray bytes = big.bytes();
    ASSERT_GT(bytes.size(), 1'000'000);
    QElapsedTimer timer;
    timer.start();
    EXPECT_GT(count(draw(bytes, {200, 200}), [](QRgb c) { return near(c, kRed); }), 20000);
    EXPECT_LT(timer.elapsed(), 5000);
}

} // namespace
