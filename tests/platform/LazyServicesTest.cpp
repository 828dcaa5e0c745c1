// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/LazyServices.h"
#include "platform/Clock.h"
#include "platform/MediaModule.h"
#include "platform/Printing.h"
#include "platform/Sound.h"
#include "platform/WaveFile.h"
#include "support/FakeClock.h"
#include "support/FakePlatform.h"

#include <QAudioSink>
#include <QElapsedTimer>
#include <QFile>
#include <QMediaDevices>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <gtest/gtest.h>
#include <numbers>
#include <tuple>

using nibsy::LazyPrinter;
using nibsy::LazySoundPlayer;
using nibsy::QtSoundPlayer;

namespace {

class LazyServicesTest : public testing::Test {
protected:
    void TearDown() override { nibsy::services().clock.reset(); }

    // A 440 Hz tone of that length, 22050 Hz mono 16-bit.
    QString toneFile(qint64 ms) {
        QByteArray pcm;
        for (qint64 i = 0; i < ms * 22050 / 1000; ++i) {
            const auto s =
                qint16(std::lround(16000 * std::sin(2 * std::numbers::pi * 440.0 * double(i) / 22050)));
            pcm += char(s & 0xff);
            pcm += char((s >> 8) & 0xff);
        }
        QFile f(m_dir.filePath(QStringLiteral("tone%1.wav").arg(ms)));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(nibsy::WaveFile::encode(22050, 1, 16, pcm));
        return f.fileName();
    }

    // Makes a player the way the given maker does, counting how often it was asked.
    LazySoundPlayer::Factory counted(std::function<std::unique_ptr<nibsy::SoundPlayer>()> make) {
        return [this, make] {
            ++m_made;
            return make();
        };
    }

    QTemporaryDir m_dir;
    int m_made = 0;
};

} // namespace

TEST_F(LazyServicesTest, PlayerIsMadeOnceByTheFirstSoundWhichTakesItsFullLength) {
    auto& clock = *new nibsy::test::FakeClock;
    nibsy::services().clock.reset(&clock);
    LazySoundPlayer sound(counted([] { return std::make_unique<QtSoundPlayer>(QAudioDevice()); }));
    sound.stop();
    EXPECT_EQ(std::tuple(m_made, sound.made()), std::tuple(0, nullptr)) << "stop() made the player";

    const QString tone = toneFile(300);
    sound.play(tone, 0);
    EXPECT_EQ(std::tuple(m_made, clock.totalWaited()), std::tuple(1, qint64(300)));
    sound.play(tone, 0);
    sound.beep();
    sound.play(tone, 1);
    sound.stop();
    EXPECT_EQ(std::tuple(m_made, clock.totalWaited()), std::tuple(1, qint64(600)));
}

TEST_F(LazyServicesTest, BeepAloneMakesThePlayer) {
    nibsy::services().clock = std::make_unique<nibsy::test::FakeClock>();
    LazySoundPlayer sound(counted([] { return std::make_unique<QtSoundPlayer>(QAudioDevice()); }));
    sound.beep();
    EXPECT_EQ(m_made, 1);
    EXPECT_NE(sound.made(), nullptr);
}

TEST_F(LazyServicesTest, FirstSoundStartsAtOnceOnTheDeviceAndPlaysToItsEnd) {
    if (QMediaDevices::defaultAudioOutput().isNull())
        GTEST_SKIP() << "no audio output device (start a PulseAudio server, e.g. with a null sink)";
    nibsy::services().clock = std::make_unique<nibsy::SystemClock>();
    const QString tone = toneFile(1500);
    LazySoundPlayer sound(counted([] { return std::make_unique<QtSoundPlayer>(); }));

    QElapsedTimer t;
    t.start();
    sound.play(tone, 1);
    EXPECT_LT(t.elapsed(), 150);
    auto* player = dynamic_cast<QtSoundPlayer*>(sound.made());
    ASSERT_NE(player, nullptr);
    ASSERT_TRUE(player->isPlaying() && player->sink()->state() == QAudio::ActiveState);
    EXPECT_TRUE(QTest::qWaitFor([&] { return player->sink()->processedUSecs() > 0; }, 1000))
        << "no samples reached the device";
    QTest::qWait(1000);
    EXPECT_TRUE(player->isPlaying()) << "the first sound stopped before its end";
    EXPECT_FALSE(player->lastWasAlert());
    sound.stop();
    EXPECT_FALSE(player->isPlaying());

    // A synchronous first sound holds the caller for its whole length.
    LazySoundPlayer fresh(counted([] { return std::make_unique<QtSoundPlayer>(); }));
    t.restart();
    fresh.play(toneFile(300), 0);
    EXPECT_TRUE(t.elapsed() >= 300 && t.elapsed() < 1500) << t.elapsed();
    EXPECT_EQ(m_made, 2);
}

TEST_F(LazyServicesTest, WithoutAPlayerTheSuiteStaysSilentAndDoesNotAskAgain) {
    LazySoundPlayer sound(counted([] { return nullptr; }));
    sound.play(toneFile(100), 0);
    sound.beep();
    sound.stop();
    EXPECT_EQ(std::tuple(m_made, sound.made()), std::tuple(1, nullptr));
}

TEST_F(LazyServicesTest, PrinterIsMadeByTheFirstPageOnlyAndNothingPrintsWithoutOne) {
    int made = 0;
    const QString pdf = m_dir.filePath(QStringLiteral("out.pdf"));
    LazyPrinter printer([&] {
        ++made;
        return std::make_unique<nibsy::PdfPrinter>(pdf);
    });
    EXPECT_EQ(std::tuple(made, printer.made()), std::tuple(0, nullptr));
    for (int page = 0; page < 2; ++page) {
        auto job = printer.begin(nullptr, QStringLiteral("Sheet"));
        ASSERT_NE(job, nullptr);
        job->painter().drawLine(0, 0, 1440, 1440);
        EXPECT_EQ(job->end().result, nibsy::PrintOutcome::Result::SavedAsPdf);
    }
    EXPECT_EQ(made, 1);
    EXPECT_TRUE(QFile::exists(pdf));

    int asked = 0;
    LazyPrinter none([&] {
        ++asked;
        return std::unique_ptr<nibsy::Printer>();
    });
    EXPECT_EQ(none.begin(nullptr, QStringLiteral("Sheet")), nullptr);
    EXPECT_EQ(none.begin(nullptr, QStringLiteral("Sheet")), nullptr);
    EXPECT_EQ(asked, 1);
}

TEST(MediaModule, MissingBesideTheProgramIsFatalAndNamesTheModule) {
    // Test programs have no media module in their folder; the suite's executable has.
    nibsy::test::FakePlatform platform;
    EXPECT_EQ(nibsy::makeModuleSoundPlayer(), nullptr);
    EXPECT_EQ(nibsy::makeModulePrinter(), nullptr);
    ASSERT_EQ(platform.fatal.messages.size(), 2);
    for (const QString& message : platform.fatal.messages) {
        EXPECT_TRUE(message.contains(QStringLiteral("sound and printing")) &&
                    message.contains(QStringLiteral("could not be loaded")) &&
                    message.contains(QStringLiteral("nibsy_media")))
            << message.toStdString();
    }
}
