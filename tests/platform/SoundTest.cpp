// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Sound.h"
#include "support/FakeClock.h"

#include <QAudioSink>
#include <QElapsedTimer>
#include <QFile>
#include <QMediaDevices>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <numbers>
#include <tuple>

using nibsy::QtSoundPlayer;
using nibsy::WaveFile;

namespace {

// A 440 Hz tone at half scale; bits is 8, 16 or 24.
QByteArray tone(qint64 ms, int rate = 22050, int channels = 1, int bits = 16) {
    QByteArray pcm;
    for (qint64 i = 0; i < ms * rate / 1000 * channels; ++i) {
        const double v = 0.5 * std::sin(2 * std::numbers::pi * 440.0 * double(i / channels) / rate);
        const auto s = qint32(bits == 8 ? 128 + std::lround(v * 127) : std::lround(v * (1 << (bits - 1))));
        for (int b = 0; b < bits; b += 8)
            pcm += char((s >> b) & 0xff);
    }
    return pcm;
}

class SoundTest : public testing::Test {
protected:
    void TearDown() override { nibsy::services().clock.reset(); }

    QString write(const QString& name, const QByteArray& bytes) {
        QFile f(m_dir.filePath(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return f.fileName();
    }
    QString toneFile(const QString& name, qint64 ms) {
        return write(name, WaveFile::encode(22050, 1, 16, tone(ms)));
    }

    QTemporaryDir m_dir;
};

// Plays through the machine's default output; skipped where there is none.
class DeviceSoundTest : public SoundTest {
protected:
    void SetUp() override {
        if (QMediaDevices::defaultAudioOutput().isNull())
            GTEST_SKIP() << "no audio output device (start a PulseAudio server, e.g. with a null sink)";
        nibsy::services().clock = std::make_unique<nibsy::SystemClock>();
    }
    QPointer<QAudioSink> currentSink() const { return const_cast<QAudioSink*>(player.sink()); }

    QtSoundPlayer player;
};

} // namespace

TEST_F(SoundTest, WithoutDeviceSoundsTakeTheirLengthAndBadFilesTheShortAlertChime) {
    auto& clock = *new nibsy::test::FakeClock;
    nibsy::services().clock.reset(&clock);
    QtSoundPlayer player{QAudioDevice()};
    // The alert is a short chime, audible and unclipped, starting and ending near silence.
    const WaveFile& alert = QtSoundPlayer::alert();
    const qint64 alertMs = alert.durationMs();
    EXPECT_EQ(std::tuple(alert.channels, alert.sampleRate, alert.bits), std::tuple(1, 22050, 16));
    EXPECT_TRUE(alertMs >= 150 && alertMs <= 400 && alert.peakLevel() > 0.1 && alert.peakLevel() < 0.9);
    EXPECT_LT(std::max(std::abs(alert.samples().front()), std::abs(alert.samples().back())), 0.01);

    for (const auto& [path, mode, waited, alert] : {
             std::tuple{toneFile("a.wav", 300), 0, qint64(300), false},
             {toneFile("b.wav", 300), 1, 0, false},
             {write("empty.wav", WaveFile::encode(22050, 1, 16, {})), 0, 0, false},
             {m_dir.filePath("missing.wav"), 0, alertMs, true},
             {write("garbage.wav", QByteArray(5000, 'g')), 0, alertMs, true},
             {m_dir.path(), 1, 0, true}, // a folder
         }) {
        const qint64 before = clock.totalWaited();
        player.play(path, mode);
        EXPECT_EQ(std::tuple(clock.totalWaited() - before, player.lastWasAlert(), player.isPlaying()),
                  std::tuple(waited, alert, false))
            << path.toStdString();
    }
}

TEST_F(DeviceSoundTest, EveryKindOfFilePlaysOnThroughTheDeviceThenLetsGoOfIt) {
    // 24-bit stereo and 8-bit at 11 kHz go through conversion where the device needs it; unreadable
    // files play the alert. Each play returns at once and the sound plays on.
    for (const auto& [path, alert] : {
             std::pair{toneFile("a.wav", 2000), false},
             {write("deep.wav", WaveFile::encode(44100, 2, 24, tone(2000, 44100, 2, 24))), false},
             {write("small.wav", WaveFile::encode(11025, 1, 8, tone(2000, 11025, 1, 8))), false},
             {m_dir.filePath("missing.wav"), true},
             {write("garbage.wav", QByteArray(5000, 'g')), true},
         }) {
        SCOPED_TRACE(path.toStdString());
        QElapsedTimer playing;
        playing.start();
        player.play(path, 1);
        EXPECT_LT(playing.elapsed(), 150);
        EXPECT_EQ(player.lastWasAlert(), alert);
        ASSERT_TRUE(player.isPlaying() && player.sink()->state() == QAudio::ActiveState);
        EXPECT_TRUE(QTest::qWaitFor([&] { return player.sink()->processedUSecs() > 0; }, 1000))
            << "no samples reached the device";
        if (!alert) {
            QTest::qWait(300);
            EXPECT_TRUE(player.isPlaying()) << "stopped before its end";
        }
    }
    // PulseAudio's null sink takes its data in large blocks, hence the generous limit.
    EXPECT_TRUE(QTest::qWaitFor([&] { return !player.isPlaying(); }, 6000));
}

TEST_F(DeviceSoundTest, NextPlayAndStopCutTheSoundOffButTheSinkOutlivesAWait) {
    // Deleting a platform sink runs the event loop, which would hand the held clicks and keys to the
    // window in the middle of a synchronous sound.
    auto stopped = [](const QPointer<QAudioSink>& sink) {
        return !sink || sink->state() == QAudio::StoppedState;
    };
    player.play(toneFile("long.wav", 3000), 1);
    const QPointer<QAudioSink> first = currentSink();
    ASSERT_TRUE(first);
    bool aliveDuringWait = false, stoppedDuringWait = false;
    QTimer::singleShot(150, [&] { aliveDuringWait = bool(first), stoppedDuringWait = stopped(first); });
    player.play(toneFile("short.wav", 300), 0);
    EXPECT_TRUE(aliveDuringWait && stoppedDuringWait);

    player.play(toneFile("long.wav", 3000), 1);
    const QPointer<QAudioSink> second = currentSink();
    ASSERT_TRUE(second && second->state() == QAudio::ActiveState);
    player.stop();
    EXPECT_TRUE(!player.isPlaying() && stopped(second));
    player.stop(); // harmless when nothing plays
    EXPECT_TRUE(QTest::qWaitFor([&] { return !first && !second; }, 500)) << "stopped sinks are never deleted";
}
