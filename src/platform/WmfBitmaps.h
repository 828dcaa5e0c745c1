// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The bitmaps metafiles carry: device-independent ones (BITMAPINFOHEADER or BITMAPCOREHEADER, colour
// table, bits, RLE) and the older device-dependent ones of BitBlt and StretchBlt.

#include "platform/WmfFormat.h"

#include <QImage>

namespace nibsy::wmf {

// A device-independent bitmap (header, colour table, bits) as a top-down QImage; null when it is
// damaged or too large for the budget, which is charged with its pixels.
QImage decodeDib(const uchar* data, qsizetype size, bool paletteIndices, qint64& pixelBudget);

// The device-dependent bitmap of BitBlt and StretchBlt, read from the rest of r: rows top-down, no
// colour table. A monochrome one takes zero for 0 bits and one for 1 bits.
QImage decodeBitmap16(Reader r, QRgb zero, QRgb one, qint64& pixelBudget);

// Pixels of colour key become transparent: how the AND/OR mask pairs of old clip art come out on
// a picture with a transparent background.
QImage keyedOut(const QImage& image, QRgb key);

} // namespace nibsy::wmf
