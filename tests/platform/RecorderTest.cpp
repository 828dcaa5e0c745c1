// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Recorder.h"
#include "platform/Clock.h"
#include "platform/WaveFile.h"
#include "support/FakePlatform.h"

#include <QMediaDevices>
#include <cmath>
#include <gtest/gtest.h>
#include <numbers>

using namespace nibsy;

namespace {

QAudioFormat formatOf(int rate, int channels, QAudioFormat::SampleFormat sampleFormat) {
    QAudioFormat f;
    f.setSampleRate(rate);
    f.setChannelCount(channels);
    f.setSampleFormat(sampleFormat);
    return f;
}

// Interleaved float frames: one sine per channel, given as (frequency, amplitude).
QByteArray floatSines(int rate, double seconds, const std::vector<std::pair<double, double>>& channels) {
    const auto frames = qsizetype(rate * seconds);
    QByteArray out(frames * qsizetype(channels.size()) * 4, Qt::Uninitialized);
    auto* p = reinterpret_cast<float*>(out.data());
    for (qsizetype i = 0; i < frames; ++i) {
        for (const auto& [hz, amplitude] : channels)
            *p++ = float(amplitude * std::sin(2 * std::numbers::pi * hz * double(i) / rate));
    }
    return out;
}

// How often the sound crosses zero upwards, a measure of its pitch.
int upwardCrossings(const std::vector<float>& s) {
    int n = 0;
    for (size_t i = 1; i < s.size(); ++i)
        n += s[i - 1] < 0 && s[i] >= 0;
    return n;
}

double peak(const std::vector<float>& s, size_t skip) {
    double p = 0;
    for (size_t i = skip; i + skip < s.size(); ++i)
        p = std::max(p, double(std::abs(s[i])));
    return p;
}

} // namespace

// The private sound server of scripts/test.sh has a null source: silence, delivered in real time.
TEST(Recorder, RecordsFromTheDefaultInputWhileTheCallerWaitsAndWithoutOneNothingStarts) {
    QtRecorder none{QAudioDevice()};
    EXPECT_FALSE(none.start(5000) || none.isRecording() || none.recordedMs() || none.stop().frameCount());
    if (QMediaDevices::defaultAudioInput().isNull())
        GTEST_SKIP() << "no audio input device (scripts/test.sh starts a sound server that has one)";
    test::FakePlatform fake;
    SystemClock wall;
    QtRecorder real;
    ASSERT_TRUE(real.start(10000));
    EXPECT_TRUE(real.isRecording());
    // A null source may hand over a second or two at once when it starts; after that, sound comes in
    // as time goes by, also while the caller waits.
    wall.wait(300);
    const qint64 before = real.recordedMs();
    wall.wait(1000);
    const qint64 recorded = real.recordedMs();
    EXPECT_GE(recorded - before, 700);
    const WaveFile wave = real.stop();
    EXPECT_FALSE(real.isRecording());
    // Saved, it reads back as mono 22050 Hz 16-bit silence of that length.
    const QString path = fake.appDir() + "take.wav";
    ASSERT_TRUE(wave.writeFile(path));
    const auto saved = WaveFile::readFile(path);
    ASSERT_TRUE(saved);
    EXPECT_EQ(std::tuple(saved->format, saved->sampleRate, saved->channels, saved->bits),
              std::tuple(WaveFile::Format::Integer, 22050, 1, 16));
    EXPECT_NEAR(double(saved->durationMs()), double(recorded), 150);
    EXPECT_LT(saved->peakLevel(), 0.01);

    // A limit shorter than the time waited keeps just that much.
    ASSERT_TRUE(real.start(200));
    wall.wait(1500);
    EXPECT_EQ(real.recordedMs(), 200);
    EXPECT_EQ(real.stop().durationMs(), 200);

    // A new recording may replace one that runs, and a recorder may go while it records.
    ASSERT_TRUE(real.start(200));
    ASSERT_TRUE(real.start(5000));
    wall.wait(400);
    EXPECT_GT(real.recordedMs(), 200);
    ASSERT_TRUE(real.start(5000));
}

TEST(Recorder, InputInOtherFormatsBecomesMono22kHz16Bit) {
    // 48 kHz stereo float: a 440 Hz tone on the left, its inverse at a third of the level on the right,
    // so the mix is the tone at a third of the left's level.
    const QByteArray stereo = floatSines(48000, 1.0, {{440, 0.6}, {440, -0.2}});
    const WaveFile mixed = QtRecorder::toRecording(stereo, formatOf(48000, 2, QAudioFormat::Float));
    EXPECT_EQ(std::tuple(mixed.sampleRate, mixed.channels, mixed.bits), std::tuple(22050, 1, 16));
    EXPECT_NEAR(double(mixed.frameCount()), 22050, 2);
    const std::vector<float> s = mixed.samples();
    EXPECT_NEAR(peak(s, 200), 0.2, 0.01);
    EXPECT_NEAR(upwardCrossings(s), 440, 2);
    EXPECT_NEAR(QtRecorder::peakOf(stereo, formatOf(48000, 2, QAudioFormat::Float)), 0.6, 0.001);

    // A tone above what 22050 Hz can hold is filtered out, not folded down into a lower one.
    const QByteArray high = floatSines(48000, 0.5, {{15000, 0.8}});
    EXPECT_LT(peak(QtRecorder::toRecording(high, formatOf(48000, 1, QAudioFormat::Float)).samples(), 200),
              0.02);

    // 16-bit stereo at the right rate is only mixed down; a part frame at the end is dropped.
    QByteArray ints;
    for (qint16 v : {qint16(1000), qint16(-3000), qint16(-32768), qint16(-32768), qint16(5)})
        ints.append(reinterpret_cast<const char*>(&v), 2);
    const WaveFile fromInts = QtRecorder::toRecording(ints, formatOf(22050, 2, QAudioFormat::Int16));
    EXPECT_EQ(fromInts.samples(), (std::vector<float>{-1000 / 32768.0f, -32767 / 32768.0f}));
    EXPECT_EQ(QtRecorder::peakOf(ints, formatOf(22050, 2, QAudioFormat::Int16)), 1.0);
    for (const QAudioFormat& broken : {QAudioFormat(), formatOf(0, 2, QAudioFormat::Int16)})
        EXPECT_EQ(QtRecorder::toRecording(ints, broken).frameCount(), 0);
}
