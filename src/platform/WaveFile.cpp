// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/WaveFile.h"

#include "platform/SafeFile.h"

#include <QFile>
#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <cstring>

namespace nibsy {

namespace {

constexpr quint16 TagPcm = 0x0001;
constexpr quint16 TagFloat = 0x0003;
constexpr quint16 TagExtensible = 0xFFFE;

constexpr int MaxChannels = 16;
// Below this a header is nonsense: a few bytes would be hours of sound, and converting them for a device
// at its own rate would take gigabytes.
constexpr int MinSampleRate = 1000;
constexpr int MaxSampleRate = 1'000'000;
constexpr qint64 MaxFileBytes = 512LL * 1024 * 1024;

quint16 u16(const uchar* p) {
    return qFromLittleEndian<quint16>(p);
}
quint32 u32(const uchar* p) {
    return qFromLittleEndian<quint32>(p);
}

bool isId(const uchar* p, const char (&id)[5]) {
    return std::memcmp(p, id, 4) == 0;
}

// One sample at p scaled to -1..1 (floats are passed through, NaN becomes 0).
double sampleValue(const uchar* p, WaveFile::Format format, int bits) {
    if (format == WaveFile::Format::Float) {
        double v = 0;
        if (bits == 32) {
            const quint32 raw = u32(p);
            float f;
            std::memcpy(&f, &raw, sizeof f);
            v = f;
        } else {
            const quint64 raw = qFromLittleEndian<quint64>(p);
            std::memcpy(&v, &raw, sizeof v);
        }
        return std::isnan(v) ? 0.0 : v;
    }
    switch (bits) {
    case 8:
        return (int(p[0]) - 128) / 128.0;
    case 16:
        return qint16(u16(p)) / 32768.0;
    case 24: {
        qint32 v = qint32(quint32(p[0]) | quint32(p[1]) << 8 | quint32(p[2]) << 16);
        if (v & 0x800000) {
            v -= 0x1000000;
        }
        return v / 8388608.0;
    }
    default:
        return qint32(u32(p)) / 2147483648.0;
    }
}

bool validLayout(WaveFile::Format format, int bits) {
    if (format == WaveFile::Format::Float) {
        return bits == 32 || bits == 64;
    }
    return bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

} // namespace

qint64 WaveFile::durationMs() const {
    if (sampleRate <= 0) {
        return 0;
    }
    return (frameCount() * 1000 + sampleRate - 1) / sampleRate;
}

double WaveFile::peakLevel() const {
    const auto* p = reinterpret_cast<const uchar*>(pcm.constData());
    const qint64 count = frameCount() * channels;
    const int step = bytesPerSample();
    double peak = 0;
    for (qint64 i = 0; i < count; ++i, p += step) {
        peak = std::max(peak, std::abs(sampleValue(p, format, bits)));
    }
    return std::min(peak, 1.0);
}

std::vector<float> WaveFile::samples() const {
    const auto* p = reinterpret_cast<const uchar*>(pcm.constData());
    const qint64 count = frameCount() * channels;
    const int step = bytesPerSample();
    std::vector<float> out(size_t(std::max<qint64>(count, 0)));
    for (auto& s : out) {
        s = float(std::clamp(sampleValue(p, format, bits), -1.0, 1.0));
        p += step;
    }
    return out;
}

std::optional<WaveFile> WaveFile::read(const QByteArray& bytes) {
    const auto* base = reinterpret_cast<const uchar*>(bytes.constData());
    const qint64 size = bytes.size();
    if (size < 12 || !isId(base, "RIFF") || !isId(base + 8, "WAVE")) {
        return std::nullopt;
    }

    // The RIFF size is often wrong in files from careless writers; the bytes present decide.
    bool haveFormat = false;
    bool haveData = false;
    quint16 tag = 0;
    WaveFile wave;
    qint64 dataOffset = 0;
    qint64 dataSize = 0;

    qint64 pos = 12;
    while (pos + 8 <= size) {
        const uchar* header = base + pos;
        const qint64 chunkSize = u32(header + 4);
        const qint64 body = pos + 8;
        const qint64 present = std::min(chunkSize, size - body);
        if (isId(header, "fmt ") && !haveFormat) {
            if (present < 16) {
                return std::nullopt;
            }
            const uchar* f = base + body;
            tag = u16(f);
            wave.channels = u16(f + 2);
            wave.sampleRate = int(std::min<quint32>(u32(f + 4), quint32(MaxSampleRate) + 1));
            wave.bits = u16(f + 14);
            if (tag == TagExtensible) {
                // WAVEFORMATEXTENSIBLE: the real format tag opens the sub-format GUID at offset 24.
                if (present < 26) {
                    return std::nullopt;
                }
                tag = u16(f + 24);
            }
            haveFormat = true;
        } else if (isId(header, "data") && !haveData) {
            dataOffset = body;
            dataSize = present;
            haveData = true;
        }
        if (chunkSize > size - body) {
            break; // a chunk running past the end is the last one
        }
        pos = body + chunkSize + (chunkSize & 1);
    }

    if (!haveFormat || !haveData) {
        return std::nullopt;
    }
    if (tag == TagPcm) {
        wave.format = Format::Integer;
    } else if (tag == TagFloat) {
        wave.format = Format::Float;
    } else {
        return std::nullopt;
    }
    if (wave.channels < 1 || wave.channels > MaxChannels || wave.sampleRate < MinSampleRate ||
        wave.sampleRate > MaxSampleRate || !validLayout(wave.format, wave.bits)) {
        return std::nullopt;
    }
    const qint64 frameBytes = wave.bytesPerFrame();
    wave.pcm = bytes.mid(dataOffset, dataSize - dataSize % frameBytes);
    return wave;
}

std::optional<WaveFile> WaveFile::readFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > MaxFileBytes) {
        return std::nullopt;
    }
    return read(file.readAll());
}

QByteArray WaveFile::encode(int sampleRate, int channels, int bits, const QByteArray& pcm) {
    const quint32 dataSize = quint32(pcm.size());
    const quint32 pad = dataSize & 1;
    const quint16 blockAlign = quint16(channels * (bits / 8));

    QByteArray out(44, '\0');
    auto* h = reinterpret_cast<uchar*>(out.data());
    std::memcpy(h, "RIFF", 4);
    qToLittleEndian<quint32>(36 + dataSize + pad, h + 4);
    std::memcpy(h + 8, "WAVEfmt ", 8);
    qToLittleEndian<quint32>(16, h + 16);
    qToLittleEndian<quint16>(TagPcm, h + 20);
    qToLittleEndian<quint16>(quint16(channels), h + 22);
    qToLittleEndian<quint32>(quint32(sampleRate), h + 24);
    qToLittleEndian<quint32>(quint32(sampleRate) * blockAlign, h + 28);
    qToLittleEndian<quint16>(blockAlign, h + 32);
    qToLittleEndian<quint16>(quint16(bits), h + 34);
    std::memcpy(h + 36, "data", 4);
    qToLittleEndian<quint32>(dataSize, h + 40);
    out.append(pcm);
    if (pad) {
        out.append('\0');
    }
    return out;
}

bool WaveFile::writeFile(const QString& path) const {
    if (format != Format::Integer || channels < 1 || !validLayout(format, bits)) {
        return false;
    }
    return SafeFile::write(path,
                           encode(sampleRate, channels, bits, pcm.left(frameCount() * bytesPerFrame())));
}

} // namespace nibsy
