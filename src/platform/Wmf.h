// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Windows metafiles (.wmf, with or without the placeable header), parsed once and drawn over QPainter
// at any size. A damaged file never crashes or hangs: every read is bounds-checked, every loop bounded,
// and records that do not fit are skipped.

#include <QByteArray>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <memory>

class QPainter;

namespace nibsy {

class WmfDocument {
public:
    virtual ~WmfDocument() = default;
    // nullptr (with the reason in *error) when the bytes are not a metafile at all.
    static std::shared_ptr<const WmfDocument> parse(const QByteArray& data, QString* error = nullptr);
    // The picture's natural size in pixels at 96 dpi.
    virtual QSizeF sizeInPixels() const = 0;
    // Draws the whole picture stretched into target (painter units). The painter's state is kept.
    virtual void render(QPainter& painter, const QRectF& target) const = 0;
};

} // namespace nibsy
