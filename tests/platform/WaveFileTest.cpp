// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/WaveFile.h"

#include <QtEndian>
#include <cstring>
#include <gtest/gtest.h>
#include <tuple>

using nibsy::WaveFile;

namespace {

template <typename T> QByteArray le(T v) {
    QByteArray b(sizeof(T), '\0');
    qToLittleEndian(v, b.data());
    return b;
}

// A chunk with its declared size (the body's own unless given) and the pad byte of odd bodies.
QByteArray chunk(const char* id, const QByteArray& body, qint64 declared = -1) {
    const QByteArray out = QByteArray(id, 4) + le(quint32(declared < 0 ? body.size() : declared)) + body;
    return body.size() % 2 ? out + '\0' : out;
}

QByteArray fmt(quint16 tag, quint16 channels, quint32 rate, quint16 bits) {
    const quint16 align = channels * bits / 8;
    return chunk("fmt ", le(tag) + le(channels) + le(rate) + le(rate * align) + le(align) + le(bits));
}

QByteArray riff(const QByteArray& chunks) {
    return "RIFF" + le(quint32(4 + chunks.size())) + "WAVE" + chunks;
}

QByteArray ramp16(int count) {
    QByteArray out;
    for (int i = 0; i < count; ++i)
        out += le(quint16(i));
    return out;
}

} // namespace

TEST(WaveFile, EncodeReadRoundTripAndDuration) {
    // Durations round up to the millisecond; odd data sizes get a pad byte.
    for (const auto& [rate, channels, bits, frames, ms] : {std::tuple{22050, 1, 16, 6615, 300},
                                                           {11025, 1, 8, 11025, 1000},
                                                           {48000, 2, 24, 37, 1},
                                                           {8000, 1, 32, 0, 0}}) {
        SCOPED_TRACE(testing::Message() << rate << " Hz " << channels << " ch " << bits << " bit");
        QByteArray pcm;
        for (int i = 0; i < frames * channels * bits / 8; ++i)
            pcm.append(char(i * 7));
        const QByteArray file = WaveFile::encode(rate, channels, bits, pcm);
        ASSERT_EQ(file.size(), 44 + pcm.size() + pcm.size() % 2);
        EXPECT_EQ(qFromLittleEndian<quint32>(file.constData() + 4), quint32(file.size() - 8));
        const auto wave = WaveFile::read(file);
        ASSERT_TRUE(wave);
        EXPECT_EQ(std::tuple(wave->format, wave->sampleRate, wave->channels, wave->bits, wave->durationMs()),
                  std::tuple(WaveFile::Format::Integer, rate, channels, bits, qint64(ms)));
        EXPECT_EQ(wave->pcm, pcm);
    }
}

TEST(WaveFile, ReadsChunksInAnyOrderAndFloatSamples) {
    const QByteArray data = chunk("data", ramp16(6)), stereo = fmt(1, 2, 22050, 16);
    const QByteArray odd = chunk("LIST", "INFOabc"); // 7 bytes and a pad byte
    for (const QByteArray& body : {odd + stereo + odd + data, data + odd + stereo, stereo + data + odd}) {
        const auto wave = WaveFile::read(riff(body));
        ASSERT_TRUE(wave);
        EXPECT_EQ(wave->frameCount(), 3);
        EXPECT_EQ(wave->pcm, ramp16(6));
    }

    const auto flt =
        WaveFile::read(riff(fmt(3, 1, 16000, 32) + chunk("data", le(0.0f) + le(0.5f) + le(-0.25f))));
    ASSERT_TRUE(flt);
    EXPECT_EQ(flt->format, WaveFile::Format::Float);
    EXPECT_EQ(flt->samples(), (std::vector<float>{0.0f, 0.5f, -0.25f}));
}

TEST(WaveFile, RejectsWhatItCannotPlayAndClampsTruncatedOrCorruptFiles) {
    const QByteArray mono = fmt(1, 1, 22050, 16), data = chunk("data", ramp16(4));
    for (const QByteArray& bad :
         {QByteArray(400, '\x5a'), "RIFF" + le<quint32>(100) + "AVI " + mono + data, riff(data), riff(mono),
          riff(fmt(2, 1, 22050, 4) + data), // ADPCM
          riff(fmt(1, 0, 22050, 16) + data), riff(fmt(1, 1, 0, 16) + data), riff(fmt(1, 1, 22050, 12) + data),
          // A few bytes claiming hours of sound at 1 Hz, or just under the lowest rate taken.
          riff(fmt(1, 1, 1, 16) + data), riff(fmt(1, 1, 999, 16) + data),
          // A chunk before fmt that runs past the end hides everything after it.
          riff(chunk("LIST", "abcd", 0xFFFFFFF0u) + mono + data)})
        EXPECT_FALSE(WaveFile::read(bad)) << bad.toHex().left(120).toStdString();

    EXPECT_TRUE(WaveFile::read(riff(fmt(1, 1, 1000, 16) + data)));

    // A data chunk claiming more than is present keeps the whole frames there are.
    const auto overlong =
        WaveFile::read(riff(fmt(1, 1, 22050, 16) + "data" + le<quint32>(1000) + ramp16(3) + "x"));
    ASSERT_TRUE(overlong);
    EXPECT_EQ(overlong->pcm, ramp16(3));

    // Every cut and every header byte spoilt: never a read out of bounds (the sanitizer watches).
    const QByteArray good = riff(chunk("LIST", "INFOabc") + fmt(1, 2, 22050, 16) + chunk("data", ramp16(64)));
    for (int n = 0; n <= good.size(); ++n)
        if (const auto wave = WaveFile::read(good.left(n))) {
            EXPECT_EQ(wave->pcm.size() % 4, 0) << "cut at " << n;
        }
    for (int i = 0; i < 72; ++i) {
        QByteArray bad = good;
        bad[i] = '\xff';
        if (const auto wave = WaveFile::read(bad)) {
            EXPECT_LE(wave->peakLevel(), 1.0);
        }
    }
}

TEST(WaveFile, PeakLevel) {
    auto peak = [](int bits, const QByteArray& pcm) {
        return WaveFile::read(WaveFile::encode(22050, 1, bits, pcm))->peakLevel();
    };
    EXPECT_EQ(peak(16, QByteArray(200, '\0')), 0.0);
    EXPECT_EQ(peak(8, QByteArray(100, '\x80')), 0.0); // 8-bit silence is 128
    EXPECT_EQ(peak(16, le<quint16>(100) + le<quint16>(0x8000)), 1.0);
    EXPECT_DOUBLE_EQ(peak(16, le<quint16>(0x4000) + le<quint16>(0xE000)), 0.5);
    EXPECT_DOUBLE_EQ(peak(24, QByteArray::fromHex("0000c0")), 0.5);
}
