// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/SoundFormat.h"

#include <QtEndian>
#include <cstring>
#include <gtest/gtest.h>

using nibsy::WaveFile;

namespace {

QAudioFormat format(int rate, int channels, QAudioFormat::SampleFormat sample) {
    QAudioFormat f;
    f.setSampleRate(rate);
    f.setChannelCount(channels);
    f.setSampleFormat(sample);
    return f;
}

WaveFile wave8(int rate, int channels, const QByteArray& pcm) {
    WaveFile w;
    w.sampleRate = rate;
    w.channels = channels;
    w.bits = 8;
    w.pcm = pcm;
    return w;
}

} // namespace

TEST(SoundFormat, DevicesGetTheFileItselfOr16BitOrTheirOwnFormat) {
    // Stereo 8-bit at 11025 Hz: full scale left, silence right.
    const WaveFile wave = wave8(11025, 2, QByteArray::fromHex("ff80ff80ff80ff80"));
    QAudioFormat used;
    EXPECT_EQ(nibsy::deviceSamples(
                  wave, [](const QAudioFormat&) { return true; }, {}, used),
              wave.pcm);
    EXPECT_EQ(used, format(11025, 2, QAudioFormat::UInt8));

    const QByteArray pcm16 = nibsy::deviceSamples(
        wave, [](const QAudioFormat& f) { return f.sampleFormat() == QAudioFormat::Int16; }, {}, used);
    EXPECT_EQ(used, format(11025, 2, QAudioFormat::Int16));
    ASSERT_EQ(pcm16.size(), 16);
    EXPECT_EQ(qFromLittleEndian<qint16>(pcm16.constData()), 32511); // 127/128 of full scale
    EXPECT_EQ(qFromLittleEndian<qint16>(pcm16.constData() + 2), 0);

    // A mono device at twice the rate hears both channels mixed, for as long.
    const auto none = [](const QAudioFormat&) { return false; };
    const QByteArray mono = nibsy::deviceSamples(wave, none, format(22050, 1, QAudioFormat::Int16), used);
    EXPECT_EQ(used, format(22050, 1, QAudioFormat::Int16));
    ASSERT_EQ(mono.size(), 8 * 2);
    EXPECT_EQ(qFromLittleEndian<qint16>(mono.constData()), 16256);
    // A device with no usable format gets nothing.
    EXPECT_TRUE(nibsy::deviceSamples(wave, none, QAudioFormat(), used).isEmpty());
}

TEST(SoundFormat, ASoundTooLongToConvertWholeIsCutNotAllocatedInFull) {
    // 40 s at 1 kHz for a 1 MHz stereo float device: 320 MB converted whole.
    QByteArray pcm(40'000, '\x80');
    pcm[0] = '\xff';
    const QByteArray out =
        nibsy::convertSamples(wave8(1000, 1, pcm), format(1'000'000, 2, QAudioFormat::Float));
    EXPECT_LE(out.size(), nibsy::kMaxConvertedBytes);
    EXPECT_GT(out.size(), nibsy::kMaxConvertedBytes - 8);
    EXPECT_EQ(out.size() % 8, 0);
    // It starts as the sound does.
    float first = 0;
    std::memcpy(&first, out.constData(), sizeof first);
    EXPECT_FLOAT_EQ(first, 127.0f / 128.0f);
}
