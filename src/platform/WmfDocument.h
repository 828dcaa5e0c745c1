// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A parsed metafile: what to draw, in order, with the pens, brushes, clips, fonts, texts and images it
// uses, all in device units. Drawing it needs no more reading of the file.

#include "platform/Wmf.h"

#include <QBrush>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPen>

#include <vector>

namespace nibsy::wmf {

struct PenDef {
    QPen wide; // width in device units, follows the picture's scale
    QPen thin; // cosmetic one pixel, for pens thinner than a pixel where drawn
    double width;
};

struct BrushDef {
    QBrush brush;
    bool hatched = false;
    bool textured = false; // patterns stay in target pixels whatever the scale
};

struct Clip {
    bool isRect = true;
    QRectF rect;
    QPainterPath path;
};

struct TextItem {
    QString text;
    int font = 0;
    QRgb color = 0;
    QPointF anchor;      // device units
    double angle = 0;    // degrees, clockwise on screen
    double scale = 1;    // font units to device units
    double stretch = 1;  // and along the baseline by this much more, for the font record's width
    QPointF origin;      // baseline start in font units, relative to the anchor
    bool opaque = false; // background box behind the glyphs
    QRgb background = 0;
    QRectF box; // font units
    bool fillRect = false, clipRect = false;
    QRectF rect; // device units
    // Where the writer placed each character (spacing arrays, character extra, justification): piece i
    // is text.mid(starts[i], starts[i + 1] - starts[i]), drawn at origin + offsets[i] (font units).
    // Empty when the font's own advances place the whole string.
    std::vector<int> starts;
    std::vector<QPointF> offsets;
};

struct ImageItem {
    QImage image;
    QRectF rect;
    QPainter::CompositionMode mode = QPainter::CompositionMode_SourceOver;
};

enum class OpKind : quint8 { Path, Text, Image };

struct Op {
    OpKind kind = OpKind::Path;
    bool background = false; // hatch gaps filled with backgroundColor first
    QRgb backgroundColor = 0;
    int pen = -1;
    int brush = -1;
    int clip = -1;
    int index = 0;
    float length = 0; // of the outline, device units
};

class Document final : public WmfDocument {
public:
    QSizeF sizeInPixels() const override { return m_size; }
    void render(QPainter& painter, const QRectF& target) const override;

    QRectF m_frame; // device units, normalized
    QSizeF m_size;
    std::vector<Op> m_ops;
    std::vector<QPainterPath> m_paths;
    std::vector<PenDef> m_pens;
    std::vector<BrushDef> m_brushes;
    std::vector<Clip> m_clips;
    std::vector<QFont> m_fonts;
    std::vector<TextItem> m_texts;
    std::vector<ImageItem> m_images;
};

// The texts of a parsed document as drawn at its natural size (sizeInPixels()): each piece of text with
// the baseline start of its first glyph, in order. For tests of text placement.
struct PlacedText {
    QString text;
    QPointF baseline;
    QString family; // the face the font asks for
    double pixelSize = 0;
};
std::vector<PlacedText> placedTexts(const WmfDocument& document);

} // namespace nibsy::wmf
