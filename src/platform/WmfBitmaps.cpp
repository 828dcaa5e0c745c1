// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/WmfBitmaps.h"

#include <bit>
#include <cstdlib>

namespace nibsy::wmf {
namespace {

int maskShift(quint32 m) {
    return m ? std::countr_zero(m) : 0;
}

int channel(quint32 px, quint32 mask) {
    if (!mask)
        return 0;
    const int shift = maskShift(mask);
    const quint64 max = (quint64(mask) >> shift);
    return int(quint64((px & mask) >> shift) * 255 / max);
}

} // namespace

QImage decodeDib(const uchar* data, qsizetype size, bool paletteIndices, qint64& pixelBudget) {
    Reader r(data, size);
    const quint32 headerSize = r.u32();
    qint64 width = 0, height = 0;
    int bpp = 0, entrySize = 4;
    quint32 compression = 0, clrUsed = 0;
    if (headerSize == 12) {
        width = r.u16();
        height = r.s16();
        r.u16();
        bpp = r.u16();
        entrySize = 3;
    } else if (headerSize >= 40 && headerSize <= 1024) {
        width = r.s32();
        height = r.s32();
        r.u16();
        bpp = r.u16();
        compression = r.u32();
        r.skip(12);
        clrUsed = r.u32();
    } else {
        return {};
    }
    if (!r.ok() || qsizetype(headerSize) > size)
        return {};
    const bool topDown = height < 0;
    height = std::abs(height);
    if (width <= 0 || height <= 0 || width > 65535 || height > 65535 || width * height > kMaxImagePixels ||
        width * height > pixelBudget)
        return {};
    const bool rle8 = compression == 1, rle4 = compression == 2;
    if (compression > 3 || (rle8 && bpp != 8) || (rle4 && bpp != 4) ||
        (compression == 3 && bpp != 16 && bpp != 32))
        return {};
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32)
        return {};

    Reader body(data + headerSize, size - headerSize);
    quint32 masks[3] = {0xFF0000, 0xFF00, 0xFF};
    if (bpp == 16) {
        masks[0] = 0x7C00;
        masks[1] = 0x03E0;
        masks[2] = 0x001F;
    }
    if (compression == 3) {
        Reader m = headerSize >= 52 ? Reader(data + 40, 12) : body;
        for (quint32& mask : masks)
            mask = m.u32();
        if (!m.ok())
            return {};
        if (headerSize < 52)
            body.skip(12);
    }

    QList<QRgb> palette;
    if (bpp <= 8) {
        const quint32 full = 1u << bpp;
        const quint32 count = clrUsed ? std::min(clrUsed, full) : full;
        palette.fill(qRgb(0, 0, 0), full);
        for (quint32 i = 0; i < count; ++i) {
            if (paletteIndices) {
                // Indices into a palette the metafile may never have realized: show them as greys.
                const int idx = body.u16() & 0xFF;
                palette[i] = qRgb(idx, idx, idx);
            } else {
                const int b = body.u8(), g = body.u8(), rr = body.u8();
                if (entrySize == 4)
                    body.u8();
                palette[i] = qRgb(rr, g, b);
            }
        }
    } else if (clrUsed) {
        if (clrUsed > 65536)
            return {};
        body.skip(qsizetype(clrUsed) * (paletteIndices ? 2 : entrySize));
    }
    if (!body.ok())
        return {};

    const uchar* bits = body.here();
    const qsizetype bitsSize = body.left();
    QImage image(int(width), int(height), (rle8 || rle4) ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    if (image.isNull())
        return {};
    pixelBudget -= width * height;

    if (rle8 || rle4) {
        image.fill(Qt::transparent);
        qint64 x = 0, y = 0;
        qsizetype pos = 0;
        auto put = [&](int index) {
            if (x < width && y < height)
                reinterpret_cast<QRgb*>(image.scanLine(int(topDown ? y : height - 1 - y)))[x] =
                    palette[index];
            ++x;
        };
        while (pos + 2 <= bitsSize && y < height) {
            const int count = bits[pos], value = bits[pos + 1];
            pos += 2;
            if (count > 0) {
                for (int i = 0; i < count && x < width; ++i)
                    put(rle8 ? value : ((i & 1) ? value & 0x0F : value >> 4));
                continue;
            }
            if (value == 0) {
                x = 0;
                ++y;
            } else if (value == 1) {
                break;
            } else if (value == 2) {
                if (pos + 2 > bitsSize)
                    break;
                x += bits[pos];
                y += bits[pos + 1];
                pos += 2;
            } else {
                const qsizetype bytes = rle8 ? value : (value + 1) / 2;
                if (pos + bytes > bitsSize)
                    break;
                for (int i = 0; i < value; ++i)
                    put(rle8 ? bits[pos + i] : ((i & 1) ? bits[pos + i / 2] & 0x0F : bits[pos + i / 2] >> 4));
                pos += (bytes + 1) & ~qsizetype(1);
            }
        }
        return image;
    }

    const qint64 rowBytes = (width * bpp + 7) / 8;
    const qint64 stride = ((width * bpp + 31) / 32) * 4;
    if (stride * (height - 1) + rowBytes > bitsSize)
        return {};
    for (qint64 row = 0; row < height; ++row) {
        const uchar* src = bits + stride * row;
        QRgb* dst = reinterpret_cast<QRgb*>(image.scanLine(int(topDown ? row : height - 1 - row)));
        for (qint64 x = 0; x < width; ++x) {
            switch (bpp) {
            case 1:
                dst[x] = palette[(src[x >> 3] >> (7 - (x & 7))) & 1];
                break;
            case 4:
                dst[x] = palette[(x & 1) ? src[x >> 1] & 0x0F : src[x >> 1] >> 4];
                break;
            case 8:
                dst[x] = palette[src[x]];
                break;
            case 16: {
                const quint32 px = src[2 * x] | (src[2 * x + 1] << 8);
                dst[x] = qRgb(channel(px, masks[0]), channel(px, masks[1]), channel(px, masks[2]));
                break;
            }
            case 24:
                dst[x] = qRgb(src[3 * x + 2], src[3 * x + 1], src[3 * x]);
                break;
            default: {
                const quint32 px = src[4 * x] | (src[4 * x + 1] << 8) | (src[4 * x + 2] << 16) |
                                   (quint32(src[4 * x + 3]) << 24);
                dst[x] = qRgb(channel(px, masks[0]), channel(px, masks[1]), channel(px, masks[2]));
                break;
            }
            }
        }
    }
    return image;
}

QImage decodeBitmap16(Reader r, QRgb zero, QRgb one, qint64& pixelBudget) {
    r.s16();
    const qint64 width = r.s16(), height = r.s16(), widthBytes = r.s16();
    const int planes = r.u8(), bpp = r.u8();
    if (!r.ok() || planes != 1 || (bpp != 1 && bpp != 24 && bpp != 32) || width <= 0 || height <= 0 ||
        width * height > kMaxImagePixels || width * height > pixelBudget ||
        widthBytes < (width * bpp + 7) / 8 || widthBytes * height > r.left())
        return {};
    QImage image(int(width), int(height), QImage::Format_RGB32);
    if (image.isNull())
        return {};
    pixelBudget -= width * height;
    for (qint64 y = 0; y < height; ++y) {
        const uchar* src = r.here() + widthBytes * y;
        QRgb* dst = reinterpret_cast<QRgb*>(image.scanLine(int(y)));
        for (qint64 x = 0; x < width; ++x) {
            if (bpp == 1)
                dst[x] = ((src[x >> 3] >> (7 - (x & 7))) & 1) ? one : zero;
            else
                dst[x] = qRgb(src[x * (bpp / 8) + 2], src[x * (bpp / 8) + 1], src[x * (bpp / 8)]);
        }
    }
    return image;
}

QImage keyedOut(const QImage& image, QRgb key) {
    QImage out = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            if ((line[x] & 0xFFFFFF) == (key & 0xFFFFFF))
                line[x] = 0;
    }
    return out;
}

} // namespace nibsy::wmf
