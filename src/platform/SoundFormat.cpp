// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/SoundFormat.h"

#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <cstring>

namespace nibsy {

namespace {

// The sample format the device could take the file's own bytes in, if any.
QAudioFormat::SampleFormat directFormat(const WaveFile& wave) {
    if (wave.format == WaveFile::Format::Float) {
        return wave.bits == 32 ? QAudioFormat::Float : QAudioFormat::Unknown;
    }
    switch (wave.bits) {
    case 8:
        return QAudioFormat::UInt8;
    case 16:
        return QAudioFormat::Int16;
    case 32:
        return QAudioFormat::Int32;
    default:
        return QAudioFormat::Unknown;
    }
}

void writeSample(uchar* p, QAudioFormat::SampleFormat format, float v) {
    switch (format) {
    case QAudioFormat::UInt8:
        *p = uchar(std::clamp(std::lround(v * 127.5f + 128.0f), 0L, 255L));
        break;
    case QAudioFormat::Int16:
        qToLittleEndian<qint16>(qint16(std::clamp(std::lround(v * 32767.0f), -32768L, 32767L)), p);
        break;
    case QAudioFormat::Int32:
        qToLittleEndian<qint32>(
            qint32(std::clamp(std::llround(double(v) * 2147483647.0), -2147483648LL, 2147483647LL)), p);
        break;
    default: {
        quint32 raw;
        std::memcpy(&raw, &v, sizeof raw);
        qToLittleEndian<quint32>(raw, p);
        break;
    }
    }
}

} // namespace

QByteArray convertSamples(const WaveFile& wave, const QAudioFormat& to) {
    const std::vector<float> in = wave.samples();
    const qint64 inFrames = wave.frameCount();
    const int inCh = wave.channels;
    const int outCh = to.channelCount();
    const int outBytes = to.bytesPerSample();
    if (inFrames <= 0 || outCh <= 0 || outBytes <= 0 || to.sampleRate() <= 0) {
        return {};
    }
    const double step = double(wave.sampleRate) / to.sampleRate();
    const qint64 frameBytes = qint64(outCh) * outBytes;
    const auto outFrames =
        qint64(std::min(std::ceil(double(inFrames) / step), double(kMaxConvertedBytes / frameBytes)));

    auto at = [&](qint64 frame, int channel) {
        const float* f = in.data() + frame * inCh;
        if (outCh == 1 && inCh > 1) {
            float sum = 0;
            for (int c = 0; c < inCh; ++c) {
                sum += f[c];
            }
            return sum / float(inCh);
        }
        return f[channel % inCh];
    };

    QByteArray out(outFrames * frameBytes, Qt::Uninitialized);
    auto* p = reinterpret_cast<uchar*>(out.data());
    for (qint64 i = 0; i < outFrames; ++i) {
        const double pos = double(i) * step;
        const qint64 i0 = std::min(qint64(pos), inFrames - 1);
        const qint64 i1 = std::min(i0 + 1, inFrames - 1);
        const auto frac = float(pos - double(i0));
        for (int c = 0; c < outCh; ++c, p += outBytes) {
            const float a = at(i0, c);
            writeSample(p, to.sampleFormat(), a + (at(i1, c) - a) * frac);
        }
    }
    return out;
}

QByteArray deviceSamples(const WaveFile& wave, const std::function<bool(const QAudioFormat&)>& supported,
                         const QAudioFormat& preferred, QAudioFormat& format) {
    format.setSampleRate(wave.sampleRate);
    format.setChannelCount(wave.channels);
    format.setSampleFormat(directFormat(wave));
    if (format.sampleFormat() != QAudioFormat::Unknown && supported(format)) {
        return wave.pcm;
    }
    format.setSampleFormat(QAudioFormat::Int16);
    if (!supported(format)) {
        format = preferred;
        if (!format.isValid()) {
            return {};
        }
    }
    return convertSamples(wave, format);
}

} // namespace nibsy
