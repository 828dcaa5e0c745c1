// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reads a metafile's records in order, keeping the drawing state (mapping, selected objects, current
// position, clip) and turning each drawing record into operations of a Document.

#include "platform/WmfDocument.h"
#include "platform/WmfFormat.h"

#include <QByteArray>
#include <QRect>
#include <QStringList>

#include <map>
#include <memory>
#include <queue>
#include <vector>

namespace nibsy::wmf {

struct LogPen {
    quint16 style = 0;
    qint16 width = 0;
    QRgb color = qRgb(0, 0, 0);
};

struct LogBrush {
    quint16 style = 0;
    QRgb color = qRgb(255, 255, 255);
    quint16 hatch = 0;
    QImage pattern;
};

struct FontDef {
    QString face;
    qint16 height = 0;
    qint16 width = 0; // average character width in logical units; 0 for the face's own
    qint16 escapement = 0;
    qint16 weight = 0;
    bool italic = false, underline = false, strikeOut = false;
    quint8 charset = 0;
    quint8 pitchAndFamily = 0;
    // Symbol fonts whose bytes are their own glyph numbers, read through a table to Unicode.
    enum class Glyphs : quint8 { CodePage, Symbol, MtExtra, Wingdings } glyphs = Glyphs::CodePage;
};

// The face, charset and table of a font record's face name.
void nameFont(FontDef& def, const QByteArray& face);

struct Mapping {
    QPointF windowOrg{0, 0}, windowExt{1, 1}, viewportOrg{0, 0}, viewportExt{1, 1};
    int mode = kMmAnisotropic;
};

struct Dc {
    Mapping map;
    LogPen pen;
    LogBrush brush;
    FontDef font;
    bool hasFont = false;
    int charExtra = 0;  // logical units added to every character's advance
    int breakExtra = 0; // logical units shared out among the break characters of each string
    int breakCount = 0;
    QRgb textColor = qRgb(0, 0, 0);
    QRgb bkColor = qRgb(255, 255, 255);
    int bkMode = 2; // opaque
    Qt::FillRule fillRule = Qt::OddEvenFill;
    int rop2 = 13;
    int textAlign = 0;
    QPointF cp; // logical units
    int clip = -1;
};

struct Slot {
    enum Type { Empty, Pen, Brush, Font, Region, Other } type = Empty;
    LogPen pen;
    LogBrush brush;
    FontDef font;
    QRect region; // logical units
};

constexpr int kStale = -2;

class Parser {
public:
    explicit Parser(const QByteArray& data)
        : m_data(reinterpret_cast<const uchar*>(data.constData())), m_size(data.size()),
          m_doc(std::make_shared<Document>()) {}

    std::shared_ptr<const WmfDocument> run(QString* error);

private:
    template <typename F> void forEachRecord(qsizetype start, F&& handle) const;
    void record(quint16 function, Reader r);
    void prescanWindow(qsizetype start);

    void updateScale();
    QPointF map(double x, double y) const {
        const Mapping& m = m_dc.map;
        return {clampCoord((x - m.windowOrg.x()) * m_sx + m.viewportOrg.x()),
                clampCoord((y - m.windowOrg.y()) * m_sy + m.viewportOrg.y())};
    }
    QRectF mapRect(double left, double top, double right, double bottom) const {
        return QRectF(map(left, top), map(right, bottom)).normalized();
    }
    void mappingChanged() {
        updateScale();
        m_penCache = kStale;
    }
    void captureFrame();

    int realizePen();
    int realizeBrush();
    QColor ropColor(QRgb c) const;
    int addBrush(const QBrush& b);
    void pushOp(Op op, const QRectF& bounds);
    void addPath(QPainterPath&& path, bool fill, bool stroke);
    void lineTo(double x, double y);
    void arcShape(Reader& r, int kind);
    // dx: the writer's advance for each byte of the string (logical units), or empty.
    void text(double x, double y, const QByteArray& bytes, quint16 options, const QRectF* rect,
              const std::vector<qint16>& dx);
    const QStringList& faces(const FontDef& def);
    int realizeFont(const FontDef& def, int pixels);
    double emPerCell(const FontDef& def);
    void blit(quint32 rop, const QImage& image, QRect src, bool srcFromBottom, double x, double y, double w,
              double h);
    void fillRect(quint32 rop, double x, double y, double w, double h);
    int newClip(Clip&& c);
    void intersectClip(const QRectF& rect);
    void excludeClip(const QRectF& rect);

    int allocSlot();
    Slot* slot(int index) {
        return index >= 0 && size_t(index) < m_slots.size() && m_slots[size_t(index)].type != Slot::Empty
                   ? &m_slots[size_t(index)]
                   : nullptr;
    }
    void freeSlot(int index);

    const uchar* m_data;
    qsizetype m_size;
    std::shared_ptr<Document> m_doc;

    bool m_placeable = false;
    QRectF m_bbox; // logical units of the placeable header
    double m_unitsPerInch = 1440;
    bool m_windowKnown = false;
    bool m_frameCaptured = false;
    QRectF m_bounds;

    Dc m_dc;
    std::vector<Dc> m_saved;
    double m_sx = 1, m_sy = 1;
    int m_penCache = kStale, m_brushCache = kStale;
    int m_lineOp = -1;
    QPointF m_lineEnd;

    std::vector<Slot> m_slots;
    std::priority_queue<int, std::vector<int>, std::greater<>> m_freed;
    int m_nextUnused = 0;

    std::map<QString, QStringList> m_faces; // glyph table, family and face name to the faces drawn
    std::map<QString, int> m_fontIndex;     // QFont::key() to the document's font
    std::map<QString, double> m_emPerCell;  // of a face at any size
    qint64 m_pixelBudget = kMaxTotalPixels;
    qint64 m_clipBudget = kClipElementBudget;
};

} // namespace nibsy::wmf
