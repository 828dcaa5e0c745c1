// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Wmf.h"
#include "platform/WmfDocument.h"

#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QImage>
#include <QPainter>
#include <QRawFont>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

using nibsy::WmfDocument;

namespace {

QByteArray pack(std::initializer_list<int> words) {
    QByteArray out;
    for (int w : words)
        out += char(w & 0xFF), out += char((w >> 8) & 0xFF);
    return out;
}

// Writes small metafiles: an optional placeable header, the standard header, records and the end
// record. Record parameters are 16-bit words in file order.
class WmfWriter {
public:
    explicit WmfWriter(int objects = 8) : m_objects(objects) {}
    WmfWriter& placeable(int right, int bottom, int unitsPerInch = 96) {
        m_placeable = pack({0xCDD7, 0x9AC6, 0, 0, 0, right, bottom, unitsPerInch, 0, 0, 0});
        return *this;
    }
    WmfWriter& raw(quint16 function, const QByteArray& params) {
        const int words = int(params.size() + 6) / 2;
        m_records += pack({words & 0xFFFF, words >> 16, function}) + params;
        return *this;
    }
    WmfWriter& rec(quint16 function, std::initializer_list<int> words) { return raw(function, pack(words)); }
    WmfWriter& window(int x, int y, int w, int h) { return rec(0x020B, {y, x}).rec(0x020C, {h, w}); }
    WmfWriter& pen(int style, int width, QRgb c) { return rec(0x02FA, {style, width, 0, lo(c), hi(c)}); }
    WmfWriter& brush(int style, QRgb c, int hatch = 0) { return rec(0x02FC, {style, lo(c), hi(c), hatch}); }
    WmfWriter& select(int index) { return rec(0x012D, {index}); }
    WmfWriter& rectangle(int l, int t, int r, int b) { return rec(0x041B, {b, r, t, l}); }
    // A font record: height (negative for the em), charset, face name, pitch and family.
    WmfWriter& font(int height, const QByteArray& face, int charset = 0, int pitchAndFamily = 0) {
        QByteArray name = face + QByteArray(2 - face.size() % 2, '\0');
        return raw(0x02FB, pack({height, 0, 0, 0, 400, 0, charset << 8, 0, pitchAndFamily << 8}) + name);
    }
    // ExtTextOut at (x, y) with an optional spacing array, one entry a byte.
    WmfWriter& extText(int x, int y, const QByteArray& text, const std::vector<int>& dx = {}) {
        QByteArray params = pack({y, x, int(text.size()), 0}) + text + QByteArray(text.size() % 2, '\0');
        for (const int d : dx)
            params += pack({d});
        return raw(0x0A32, params);
    }
    // Red brush and no pen: the usual set-up for checking fills.
    WmfWriter& redFill() { return pen(5, 0, 0).select(0).brush(0, qRgb(255, 0, 0)).select(1); }
    // Without the end record, the last record ends the file.
    QByteArray bytes(bool endRecord = true) const {
        const int words = 9 + int(m_records.size() / 2) + (endRecord ? 3 : 0);
        return m_placeable + pack({1, 9, 0x0300, words & 0xFFFF, words >> 16, m_objects, 0, 0, 0}) +
               m_records + (endRecord ? pack({3, 0, 0}) : QByteArray());
    }
    static int lo(QRgb c) { return qRed(c) | (qGreen(c) << 8); }
    static int hi(QRgb c) { return qBlue(c); }

private:
    int m_objects;
    QByteArray m_placeable, m_records;
};

QImage draw(const QByteArray& bytes, QSize size = {100, 100}, QColor background = Qt::white) {
    QImage image(size, QImage::Format_ARGB32);
    image.fill(background);
    if (const auto doc = WmfDocument::parse(bytes)) {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        doc->render(painter, QRectF(QPointF(0, 0), size));
    }
    return image;
}

// Draws from a buffer of exactly the file's size, so that AddressSanitizer sees a read past its end.
QImage drawExact(const QByteArray& bytes, QSize size = {100, 100}) {
    const auto buffer = std::make_unique<char[]>(size_t(bytes.size()));
    std::copy(bytes.begin(), bytes.end(), buffer.get());
    return draw(QByteArray::fromRawData(buffer.get(), bytes.size()), size);
}

// Files the tests build are also the fuzzer's seeds: with NIBSY_WMF_SEEDS set to a folder (such as
// tests/fuzz/wmf-seeds), each is written there under its name.
void keepAsSeed(const QString& name, const QByteArray& bytes) {
    const QString folder = qEnvironmentVariable("NIBSY_WMF_SEEDS");
    QFile file(QDir(folder).filePath(name + QStringLiteral(".wmf")));
    if (!folder.isEmpty() && file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

std::vector<nibsy::wmf::PlacedText> texts(const QByteArray& bytes) {
    const auto doc = WmfDocument::parse(bytes);
    return doc ? nibsy::wmf::placedTexts(*doc) : std::vector<nibsy::wmf::PlacedText>{};
}

bool near(QRgb a, QRgb b) {
    return std::abs(qRed(a) - qRed(b)) < 40 && std::abs(qGreen(a) - qGreen(b)) < 40 &&
           std::abs(qBlue(a) - qBlue(b)) < 40;
}

int count(const QImage& image, QRect area, const std::function<bool(QRgb)>& test) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += test(image.pixel(x, y)) ? 1 : 0;
    return n;
}
int count(const QImage& image, QRgb colour, QRect area = {}) {
    return count(image, area.isNull() ? image.rect() : area, [&](QRgb c) { return near(c, colour); });
}
bool inked(QRgb c) {
    return qGray(c) < 128;
}
bool at(const QImage& image, QRgb colour, std::initializer_list<QPoint> points) {
    return std::all_of(points.begin(), points.end(), [&](QPoint p) { return near(image.pixel(p), colour); });
}

constexpr QRgb kRed = 0xFFFF0000, kWhite = 0xFFFFFFFF, kBlack = 0xFF000000, kBlue = 0xFF0000FF;

QByteArray sample(const char* name) {
    QFile file(QDir(QStringLiteral(NIBSY_SOURCE_DIR "/tests/platform/wmf-samples")).filePath(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(Wmf, FrameComesFromThePlaceableHeaderTheWindowOrTheDrawing) {
    WmfWriter placed, windowed, bare;
    placed.placeable(200, 100, 192).window(0, 0, 200, 100).redFill().rectangle(20, 20, 100, 80);
    windowed.window(1000, 1000, 400, 200).redFill().rectangle(1000, 1000, 1200, 1200);
    bare.redFill().rectangle(300, 300, 500, 400);
    for (const auto& [w, size] :
         {std::pair{&placed, QSizeF(100, 50)}, {&windowed, {400, 200}}, {&bare, {200, 100}}}) {
        const auto doc = WmfDocument::parse(w->bytes());
        ASSERT_TRUE(doc);
        EXPECT_EQ(doc->sizeInPixels(), size);
    }
    const QImage a = draw(placed.bytes(), {200, 100}), b = draw(windowed.bytes()), c = draw(bare.bytes());
    EXPECT_TRUE(at(a, kRed, {{60, 50}}) && at(a, kWhite, {{150, 50}, {60, 90}}));
    EXPECT_TRUE(at(b, kRed, {{25, 50}}) && at(b, kWhite, {{75, 50}}));
    EXPECT_TRUE(at(c, kRed, {{3, 3}, {96, 96}}));
    // Negative extents flip the picture: with logical y growing upwards, a band at the logical top
    // lands at the top of the image.
    WmfWriter up, left;
    up.window(0, 100, 100, -100).redFill().rectangle(0, 100, 100, 80);
    left.window(100, 0, -100, 100).redFill().rectangle(0, 0, 20, 100);
    const QImage d = draw(up.bytes()), e = draw(left.bytes());
    EXPECT_TRUE(at(d, kRed, {{50, 5}}) && at(d, kWhite, {{50, 95}}));
    EXPECT_TRUE(at(e, kRed, {{95, 50}}) && at(e, kWhite, {{5, 50}}));
}

TEST(Wmf, HollowBrushesTheNullPenAndDrawingModes) {
    WmfWriter hollow, nullPen;
    hollow.placeable(100, 100).pen(0, 4, kBlack).select(0).brush(1, 0).select(1).rectangle(10, 10, 90, 90);
    nullPen.placeable(100, 100).pen(5, 4, kBlack).select(0);
    nullPen.brush(0, kBlue).select(1).rectangle(10, 10, 90, 90);
    const QImage a = draw(hollow.bytes()), b = draw(nullPen.bytes());
    EXPECT_TRUE(at(a, kWhite, {{50, 50}}) && at(a, kBlack, {{10, 50}}));
    EXPECT_TRUE(at(b, kBlue, {{50, 50}}));
    EXPECT_EQ(count(b, kBlack), 0);
    // R2_BLACK draws the red pen black, and a drawing mode that does not exist leaves it so.
    WmfWriter black;
    black.placeable(100, 100).pen(0, 6, kRed).select(0).rec(0x0104, {1}).rec(0x0104, {0});
    EXPECT_TRUE(at(draw(black.rec(0x0214, {50, 0}).rec(0x0213, {50, 100}).bytes()), kBlack, {{50, 50}}));
}

TEST(Wmf, RestoreDcBringsBackThePenAndTheClip) {
    // Red pen saved, blue selected, then restored relatively (-1) or absolutely (1).
    for (const int restore : {-1, 1}) {
        WmfWriter w;
        w.placeable(100, 100).pen(0, 6, kRed).pen(0, 6, kBlue).select(0).rec(0x001E, {});
        w.select(1).rec(0x0127, {restore & 0xFFFF}).rec(0x0214, {50, 0}).rec(0x0213, {50, 100});
        EXPECT_TRUE(at(draw(w.bytes()), kRed, {{50, 50}})) << "restore " << restore;
    }
    // In units of a tenth of a pixel: keep the top half, then cut its left part; after the restore a
    // blue band unclipped, then a green one clipped to the right half.
    WmfWriter w;
    w.placeable(1000, 1000, 960).redFill().rec(0x001E, {});
    w.rec(0x0416, {500, 1000, 0, 0}).rec(0x0415, {500, 300, 0, 0});
    w.rectangle(0, 0, 1000, 1000).rec(0x0127, {-1}).brush(0, kBlue).select(2).rectangle(0, 600, 1000, 800);
    w.rec(0x0416, {1000, 1000, 0, 500}).brush(0, qRgb(0, 255, 0)).select(3).rectangle(0, 850, 1000, 1000);
    const QImage image = draw(w.bytes());
    EXPECT_TRUE(at(image, kRed, {{60, 25}}) && at(image, kWhite, {{15, 25}, {60, 55}, {25, 92}}));
    EXPECT_TRUE(at(image, kBlue, {{15, 70}}) && at(image, qRgb(0, 255, 0), {{75, 92}}));
}

TEST(Wmf, StretchedDibsShowTheirPixelsMirroredByANegativeExtent) {
    // 2x2, 24 bits, bottom-up rows: blue white / red green, stretched over the whole picture, and
    // from right to left.
    const QByteArray dib = pack({40, 0, 2, 0, 2, 0, 1, 24, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}) +
                           QByteArray::fromHex("ff0000ffffff00000000ff00ff000000");
    for (const auto& [x, width] : {std::pair{0, 100}, {100, -100}}) {
        WmfWriter w;
        w.placeable(100, 100).raw(0x0F43, pack({0x0020, 0x00CC, 0, 2, 2, 0, 0, 100, width, 0, x}) + dib);
        const QImage image = draw(w.bytes());
        const int left = width > 0 ? 20 : 80, right = 100 - left;
        EXPECT_TRUE(at(image, kRed, {{left, 20}}) && at(image, qRgb(0, 255, 0), {{right, 20}})) << width;
        EXPECT_TRUE(at(image, kBlue, {{left, 80}}) && at(image, kWhite, {{right, 80}})) << width;
    }
    // Run-length coded, 8 bits: a row of two red then two blue pixels.
    WmfWriter rle;
    rle.placeable(100, 100).raw(0x0F43,
                                pack({0x0020, 0x00CC, 0, 1, 4, 0, 0, 100, 100, 0, 0}) +
                                    pack({40, 0, 4, 0, 1, 0, 1, 8, 1, 0, 6, 0, 0, 0, 0, 0, 2, 0, 0, 0}) +
                                    QByteArray::fromHex("0000ff00ff000000"
                                                        "0200020100010000"));
    const QImage image = draw(rle.bytes());
    EXPECT_TRUE(at(image, kRed, {{12, 50}, {37, 50}}) && at(image, kBlue, {{62, 50}, {87, 50}}));
}

TEST(Wmf, OldStyleBitmapsAtTheEndOfTheFileAreReadWithinIt) {
    // BitBlt and StretchBlt with a device-dependent bitmap of zero bits (the text colour when monochrome,
    // black in colour), and a DIB, as the last bytes of the file; their sizes fit or lie.
    struct Case {
        const char* name;
        quint16 function;
        int width, height, widthBytes, bpp, bits;
        bool drawn;
        int lie = 0; // added to the record's size in words
    };
    for (const Case& c : {Case{"bitmap16-exact", 0x0922, 8, 2, 2, 1, 4, true},
                          Case{"bitmap16-short-row", 0x0922, 8, 2, 2, 1, 2, false},
                          Case{"bitmap16-short-byte", 0x0B23, 8, 2, 2, 1, 3, false},
                          Case{"bitmap16-narrow-rows", 0x0922, 9, 2, 1, 1, 2, false},
                          Case{"bitmap16-negative-rows", 0x0922, 8, 2, -2, 1, 4, false},
                          Case{"bitmap16-zero-width", 0x0922, 0, 2, 2, 1, 4, false},
                          Case{"bitmap16-zero-height", 0x0B23, 8, 0, 2, 1, 4, false},
                          Case{"bitmap16-huge-width", 0x0B23, 32767, 2, 2, 1, 4, false},
                          Case{"bitmap16-huge-exact", 0x0922, 32000, 1, 4000, 1, 4000, true},
                          Case{"bitmap16-rgb-exact", 0x0B23, 3, 2, 10, 24, 20, true},
                          Case{"bitmap16-rgb-short-byte", 0x0922, 3, 2, 9, 24, 17, false},
                          Case{"bitmap16-rgb-narrow-rows", 0x0922, 3, 2, 8, 24, 16, false},
                          Case{"bitmap16-record-past-end", 0x0922, 8, 2, 2, 1, 4, false, 1},
                          Case{"bitmap16-record-short-word", 0x0B23, 8, 2, 2, 1, 4, false, -1},
                          Case{"dib-exact", 0x0940, 2, 2, 8, 24, 16, true},
                          Case{"dib-short-byte", 0x0940, 2, 2, 8, 24, 13, false}}) {
        QByteArray params = pack({0x0020, 0x00CC});
        if (c.function == 0x0B23)
            params += pack({c.height, c.width});
        params += pack({0, 0, 100, 100, 0, 0});
        if (c.function == 0x0940)
            params += pack({40, 0, c.width, 0, c.height, 0, 1, c.bpp, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
        else
            params += pack({0, c.width, c.height, c.widthBytes, 1 | (c.bpp << 8)});
        WmfWriter w;
        w.placeable(100, 100).rec(0x0209, {WmfWriter::lo(kBlue), WmfWriter::hi(kBlue)});
        w.raw(c.function, params + QByteArray(c.bits, '\0'));
        QByteArray bytes = w.bytes(false);
        const qsizetype record = bytes.size() - params.size() - c.bits - 6;
        bytes[record] = char(bytes[record] + c.lie);
        keepAsSeed(QString::fromLatin1(c.name), bytes);
        const QRgb expected = !c.drawn ? kWhite : c.bpp == 1 ? kBlue : kBlack;
        EXPECT_TRUE(at(drawExact(bytes), expected, {{50, 50}, {2, 2}, {97, 97}})) << c.name;
    }
}

// Baseline x of each piece of text the file places.
std::vector<double> xsOf(const QByteArray& bytes) {
    std::vector<double> xs;
    for (const auto& t : texts(bytes))
        xs.push_back(t.baseline.x());
    return xs;
}

TEST(Wmf, SpacingArraysPlaceEachCharacter) {
    // "ABC" with advances 30, 40, 10 from x = 10: glyphs start at 10, 40 and 80.
    WmfWriter spaced;
    spaced.placeable(200, 100).rec(0x0102, {1}).font(-20, "DejaVu Sans").select(0);
    spaced.rec(0x012E, {24}).extText(10, 50, "ABC", {30, 40, 10});
    keepAsSeed("text-spacing-array", spaced.bytes());
    EXPECT_EQ(xsOf(spaced.bytes()), (std::vector<double>{10, 40, 80}));
}

TEST(Wmf, SymbolFontsShowTheirOwnGlyphsAndMissingFacesAPlainTextFace) {
    for (const auto& [face, charset, bytes, text] :
         {std::tuple{"Symbol", 2, "abp=S(Z", QStringLiteral("αβπ=Σ(Ζ")},
          {"Euclid Symbol", 0, "\xB3\xB9\xA5\xD6", QStringLiteral("≥≠∞√")},
          {"MT Extra", 2, "KLQ", QStringLiteral("…⋯∵")},
          {"Wingdings", 2, "J\x82\xFC\x5E\x21\x7B\xFF", QStringLiteral("☺②✔♈🖉🏵⊞")},
          {"Wingdings 2", 2, "J", QStringLiteral("J")},
          {"DejaVu Sans", 0, "J\x80", QStringLiteral("J€")}}) {
        WmfWriter w;
        w.placeable(200, 100).font(-20, face, charset).select(0).extText(10, 10, bytes);
        keepAsSeed(QStringLiteral("text-symbols-") + QString::fromLatin1(face).replace(' ', '-'), w.bytes());
        QString drawn, family;
        for (const auto& t : texts(w.bytes()))
            drawn += t.text, family = t.family;
        EXPECT_EQ(drawn, text) << face;
        // Every character is a glyph of the face the text is drawn in.
        const QRawFont raw = QRawFont::fromFont(QFont(family));
        EXPECT_EQ(raw.familyName(), family) << face;
        for (const char32_t ch : drawn.toStdU32String())
            EXPECT_TRUE(raw.supportsCharacter(ch))
                << face << " " << family.toStdString() << " U+" << std::hex << unsigned(ch);
        EXPECT_GT(count(draw(w.bytes(), {200, 100}), {0, 0, 200, 100}, inked), 8) << face;
    }

    // Whatever fontconfig would put in for them, faces that are not installed never draw in a symbol
    // face; a metric twin stands in where there is one.
    for (const auto& [face, pitchAndFamily, family] : {std::tuple{"Qwertzuiop Sans", 0, ""},
                                                       {"ZapfDingbats", 0x10, "Liberation Serif"},
                                                       {"Courier New", 0, "Liberation Mono"}}) {
        WmfWriter w;
        w.placeable(200, 100).font(-30, face, 0, pitchAndFamily).select(0).extText(10, 10, "Ab");
        const auto placed = texts(w.bytes());
        ASSERT_EQ(placed.size(), 1u) << face;
        const QString shown = QFontInfo(QFont(placed[0].family)).family();
        EXPECT_FALSE(QFontDatabase::writingSystems(shown).contains(QFontDatabase::Symbol)) << face;
        EXPECT_TRUE(QRawFont::fromFont(QFont(shown)).supportsCharacter(U'A')) << face;
        EXPECT_TRUE(!*family || shown == QString::fromLatin1(family)) << face << ": " << shown.toStdString();
    }
}

TEST(Wmf, TextIsDrawnInTheTextColourWhereItsAlignmentSaysOnItsBackgroundWhenOpaque) {
    const QRgb green = qRgb(0, 160, 0);
    const QRect above(0, 0, 200, 100), below(0, 100, 200, 100), left(0, 0, 100, 200), right(100, 0, 100, 200);
    struct Case {
        int align, mode;
        QRect inked1, inked2, empty1, empty2;
    };
    for (const Case& c : {Case{0, 1, below, below, above, left},      // top left
                          Case{8 | 2, 1, above, above, below, right}, // bottom right
                          Case{24 | 6, 2, left, right, {}, {}}}) {    // baseline, centre, opaque
        WmfWriter w;
        w.placeable(200, 200).rec(0x0102, {c.mode}).rec(0x0209, {WmfWriter::lo(green), WmfWriter::hi(green)});
        w.rec(0x0201, {WmfWriter::lo(kBlue), WmfWriter::hi(kBlue)});
        // 40 units high, bold, "Sans".
        w.raw(0x02FB, pack({-40, 0, 0, 0, 700, 0, 0, 0, 0}) + QByteArray("Sans\0\0", 6)).select(0);
        w.rec(0x012E, {c.align}).raw(0x0521, pack({4}) + "Nibs" + pack({100, 100}));
        const QImage image = draw(w.bytes(), {200, 200});
        EXPECT_GT(std::min(count(image, green, c.inked1), count(image, green, c.inked2)), 20) << c.align;
        if (!c.empty1.isNull()) {
            EXPECT_EQ(count(image, green, c.empty1) + count(image, green, c.empty2), 0) << c.align;
        }
        // Blue behind the text only when the background mode is opaque.
        EXPECT_EQ(count(image, kBlue) > 300, c.mode == 2) << c.align;
    }
}

TEST(Wmf, RenderStaysInsideTargetAndKeepsThePainterState) {
    WmfWriter w;
    w.placeable(100, 100).redFill().rectangle(-50, -50, 150, 150); // spills past the frame
    const auto doc = WmfDocument::parse(w.bytes());
    ASSERT_TRUE(doc);
    QImage image = draw({});
    QPainter painter(&image);
    painter.setPen(QPen(Qt::green, 3));
    painter.setBrush(Qt::cyan);
    painter.translate(5, 5);
    doc->render(painter, QRectF(20, 20, 40, 40));
    EXPECT_TRUE(painter.pen() == QPen(Qt::green, 3) && painter.brush() == QBrush(Qt::cyan) &&
                painter.transform() == QTransform::fromTranslate(5, 5) && !painter.hasClipping());
    painter.end();
    EXPECT_TRUE(count(image, kRed) == 40 * 40 && at(image, kRed, {{45, 45}}));
}

TEST(Wmf, RejectsWhatIsNotAMetafile) {
    QString error;
    EXPECT_FALSE(WmfDocument::parse(QByteArray(), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(WmfDocument::parse("GIF89a and then some more bytes", &error));
    EXPECT_FALSE(WmfDocument::parse(WmfWriter().placeable(10, 10).bytes().left(30)));
    EXPECT_TRUE(WmfDocument::parse(WmfWriter().bytes())); // empty but well formed
}

TEST(Wmf, SamplesDrawRecognisablePictures) {
    auto opaque = [](QRgb c) { return qAlpha(c) > 128; };
    for (const char* name : {"santa.wmf", "61338.wmf", "empty-polygon-close.wmf", "drawing.wmf"}) {
        QString error;
        ASSERT_TRUE(WmfDocument::parse(sample(name), &error)) << name << ": " << error.toStdString();
        EXPECT_GT(count(draw(sample(name), {200, 200}, Qt::transparent), {0, 0, 200, 200}, opaque), 400)
            << name;
    }
    EXPECT_EQ(WmfDocument::parse(sample("santa.wmf"))->sizeInPixels(), QSizeF(1885, 2022) * 0.096);
    // Upright: the red hat in the top half.
    const QImage image = draw(sample("santa.wmf"), {200, 200}, Qt::transparent);
    auto red = [](QRgb c) { return near(c, kRed) && qAlpha(c) == 255; };
    EXPECT_GT(count(image, {0, 0, 200, 100}, red), 100);
    EXPECT_EQ(count(image, {0, 130, 200, 70}, red), 0);
}

} // namespace

// Text far larger on the page than any glyph cache takes (a fuzzer's find, which crashed in Qt) is drawn
// as outlines, and drawn.
TEST(Wmf, TextEnormousOnThePageIsDrawnWithoutCrashing) {
    QFile file(QStringLiteral(NIBSY_SOURCE_DIR "/tests/fuzz/wmf-seeds/huge-stretched-text.wmf"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const auto doc = WmfDocument::parse(file.readAll());
    ASSERT_TRUE(doc);
    for (const QSize size : {QSize(48, 48), QSize(640, 480)}) {
        QImage image(size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        doc->render(painter, QRectF(QPointF(0, 0), size));
    }
}
