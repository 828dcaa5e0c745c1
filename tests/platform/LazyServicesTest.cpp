// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/LazyServices.h"
#include "platform/MediaModule.h"
#include "platform/Printing.h"
#include "support/FakePlatform.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace nibsy;
using nibsy::test::FakePlatform;

namespace {

// A factory that hands out a fresh F each time it is asked (or nothing when last is null), counting
// the times.
template <typename F, typename Base> std::function<std::unique_ptr<Base>()> counted(int& made, F** last) {
    return [&made, last]() -> std::unique_ptr<Base> {
        ++made;
        if (!last)
            return nullptr;
        auto p = std::make_unique<F>();
        *last = p.get();
        return p;
    };
}

} // namespace

TEST(LazyServices, TheFirstSoundOrBeepMakesThePlayerOnceAndEverythingReachesIt) {
    FakePlatform fake;
    int made = 0;
    test::FakeSound* real = nullptr;
    LazySoundPlayer sound(counted<test::FakeSound, SoundPlayer>(made, &real));
    sound.stop();
    EXPECT_EQ(std::tuple(made, sound.made()), std::tuple(0, nullptr)) << "stop() made the player";
    sound.play(QStringLiteral("/x/tada.wav"), 0);
    sound.play(QStringLiteral("ding.wav"), 1);
    sound.beep();
    sound.stop();
    ASSERT_EQ(std::tuple(made, sound.made()), std::tuple(1, real));
    EXPECT_EQ(real->names(), (QStringList{"tada.wav", "ding.wav"}));
    EXPECT_EQ(std::tuple(real->played[0].mode, real->played[1].mode, real->beeps, real->stops),
              std::tuple(0, 1, 1, 1));
    EXPECT_EQ(fake.clock.totalWaited(), real->lengthMs); // the synchronous one held the caller

    // A factory that gives nothing leaves the suite silent and is not asked again.
    LazySoundPlayer none(counted<test::FakeSound, SoundPlayer>(made, nullptr));
    none.play(QStringLiteral("tada.wav"), 0);
    none.beep();
    none.stop();
    EXPECT_EQ(std::tuple(made, none.made()), std::tuple(2, nullptr));
}

TEST(LazyServices, RecorderAndPrinterAreMadeByTheirFirstUseOnly) {
    FakePlatform fake;
    int made = 0;
    test::FakeRecorder* mic = nullptr;
    LazyRecorder recorder(counted<test::FakeRecorder, Recorder>(made, &mic));
    EXPECT_EQ(std::tuple(recorder.isRecording(), recorder.level(), recorder.recordedMs(),
                         recorder.stop().frameCount(), made),
              std::tuple(false, 0.0, qint64(0), qint64(0), 0));
    ASSERT_TRUE(recorder.start(5000));
    fake.clock.wait(400);
    EXPECT_TRUE(recorder.isRecording() && recorder.recordedMs() == 400);
    EXPECT_NEAR(recorder.level(), 0.5, 0.01);
    EXPECT_EQ(recorder.stop().durationMs(), 400);
    mic->microphone = false;
    EXPECT_FALSE(recorder.start(5000));
    EXPECT_EQ(made, 1);

    // Two pages, one printer, made for the first.
    made = 0;
    const QString pdf = fake.scratch() + QStringLiteral("/out.pdf");
    LazyPrinter printer([&]() -> std::unique_ptr<Printer> {
        ++made;
        return std::make_unique<PdfPrinter>(pdf);
    });
    EXPECT_EQ(printer.made(), nullptr);
    for (int page = 0; page < 2; ++page) {
        auto job = printer.begin(nullptr, QStringLiteral("Sheet"));
        ASSERT_NE(job, nullptr);
        EXPECT_EQ(job->end().result, PrintOutcome::Result::SavedAsPdf);
    }
    EXPECT_TRUE(made == 1 && QFile::exists(pdf));
}

TEST(MediaModule, MissingBesideTheProgramIsFatalAndNamesTheModule) {
    // Test programs have no media module in their folder; the suite's executable has.
    FakePlatform platform;
    EXPECT_EQ(makeModuleSoundPlayer(), nullptr);
    EXPECT_EQ(makeModulePrinter(), nullptr);
    ASSERT_EQ(platform.fatal.messages.size(), 2);
    for (const QString& message : platform.fatal.messages)
        EXPECT_TRUE(message.startsWith(QStringLiteral(
                        "The sound and printing part of Nibsy Learning could not be loaded")) &&
                    message.contains(QStringLiteral("nibsy_media")))
            << message.toStdString();
}
