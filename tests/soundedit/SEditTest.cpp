// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The Sound Editor as a grown-up uses it: a sound chosen by keys or clicks, recorded over, heard back and
// restored, with every way a recording can fail leaving the old sound as it was.

#include "math/MathFixture.h"
#include "platform/Recorder.h"
#include "platform/SSCommand.h"
#include "platform/WindowTimer.h"
#include "soundedit/SEditCatalogue.h"
#include "soundedit/frmSEdit.h"
#include "support/KillRepeatedly.h"
#include "support/WindowFixture.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QListWidget>
#include <QProgressBar>
#include <QTemporaryDir>

using namespace nibsy;
using namespace nibsy::test;

namespace {

QByteArray bytesOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

// A short sound of its own for every entry, so that each file can be told from the others.
QByteArray shippedSound(int i) {
    return WaveFile::encode(22050, 1, 16, QByteArray(200, char(i + 1)));
}

// A catalogue of the given entries, "S0.wav" and on unless names are given.
void writeCatalogue(const QString& folder, int count, const QStringList& names = {}) {
    QString text;
    for (int i = 0; i < count; ++i) {
        const QString name = i < names.size() ? names[i] : QString("S%1.wav").arg(i);
        text += QString("\"%1\",\"Sound %2\"\r\n").arg(name).arg(i);
    }
    writeBytes(folder + "sedit5.ini", text.toLatin1());
}

class SoundEditor : public WindowFixture<frmSEdit> {
protected:
    void SetUp() override {
        writeCatalogue(fake.appDir(), SEditCatalogue::Records);
        QDir().mkpath(frmSEdit::originalsFolder());
        for (int i = 0; i < SEditCatalogue::Records; ++i) {
            writeBytes(fake.appDir() + QString("S%1.wav").arg(i), shippedSound(i));
            writeBytes(frmSEdit::originalsFolder() + QString("/S%1.wav").arg(i), shippedSound(i));
        }
        AppFiles::rescan();
    }
    // Every entry's file, in order.
    static QList<QByteArray> allSounds() {
        QList<QByteArray> sounds;
        for (int i = 0; i < SEditCatalogue::Records; ++i) {
            sounds << bytesOf(AppFiles::resolve(QString("S%1.wav").arg(i)));
        }
        return sounds;
    }
    void clickEntry(int row) {
        const QRect item = w->lstFiles->visualItemRect(w->lstFiles->item(row));
        QTest::mouseClick(w->lstFiles->viewport(), Qt::LeftButton, {}, item.center());
    }
    bool readyToRecord() const {
        return w->cmdPlay->isVisible() && w->lblPlay->isVisible() && w->cmdRecord->isVisible() &&
               w->lblRecord->isVisible() && !w->cmdStop->isVisible() && !w->prgLevel->isVisible() &&
               w->lstFiles->isEnabled() && w->lblPlay->text() == "Play" && w->lblRecord->text() == "Record";
    }
};

// The sound chosen with the arrow keys is the one recorded over, and no other, even when another entry is
// clicked meanwhile; five seconds on it stops by itself, and the new sound plays back at once.
TEST_F(SoundEditor, RecordsOverTheChosenSoundOnlyAndPlaysItBack) {
    open();
    EXPECT_EQ(w->currentSound(), 0);
    for (int i = 0; i < 40; ++i) { // the list has the focus
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    }
    EXPECT_EQ(w->currentSound(), 40);
    EXPECT_TRUE(w->lblNote->text().contains("S40.wav"));
    QList<QByteArray> expected = allSounds();
    heard();
    click(w->cmdRecord);
    ASSERT_TRUE(w->recording());
    EXPECT_FALSE(w->cmdPlay->isVisible() || w->cmdRecord->isVisible() || w->lstFiles->isEnabled() ||
                 w->cmdRestore->isEnabled());
    EXPECT_TRUE(w->cmdStop->isVisible() && w->prgLevel->isVisible());
    fake.clock.advance(100);
    EXPECT_EQ(w->prgLevel->value(), 50); // the microphone's level shows
    clickEntry(41);
    type("S");
    EXPECT_EQ(w->currentSound(), 40);
    fake.clock.advance(frmSEdit::MaxRecordingMs - 100);
    EXPECT_FALSE(w->recording());
    EXPECT_EQ(heard(), QStringList{"S40.wav"});
    EXPECT_TRUE(readyToRecord());

    const auto take = WaveFile::readFile(AppFiles::resolve("S40.wav"));
    ASSERT_TRUE(take);
    EXPECT_EQ(take->sampleRate, 22050);
    EXPECT_EQ(take->channels, 1);
    EXPECT_EQ(take->bits, 16);
    EXPECT_EQ(take->durationMs(), frmSEdit::MaxRecordingMs);
    expected[40] = bytesOf(AppFiles::resolve("S40.wav"));
    EXPECT_EQ(allSounds(), expected);
    EXPECT_NE(expected[40], shippedSound(40));
    // Play shows a green arrow, Record a red disc, Stop a dark square.
    const auto middle = [](QWidget* b) { return b->grab().toImage().pixelColor(b->rect().center()); };
    EXPECT_EQ(middle(w->cmdPlay), QColor(0, 160, 60));
    EXPECT_EQ(middle(w->cmdRecord), QColor(220, 30, 30));
    EXPECT_EQ(middle(w->cmdStop), QColor(30, 30, 60));
}

// Leaving in the middle of a recording, by Exit or by the frame, keeps the old sound; the editor records
// again afterwards.
TEST_F(SoundEditor, LeavingMidRecordingKeepsTheOldSound) {
    for (const bool byFrame : {false, true}) {
        open();
        click(w->cmdRecord);
        fake.clock.advance(2000);
        byFrame ? (void)w->close() : click(w->cmdExit);
        EXPECT_FALSE(w->Timer1->isEnabled() || w->tmrLevel->isEnabled());
        settle();
        EXPECT_FALSE(w);
        EXPECT_TRUE(menu.isVisible());
        EXPECT_FALSE(fake.recorder.isRecording());
        EXPECT_EQ(bytesOf(AppFiles::resolve("S0.wav")), shippedSound(0));
    }
    // Stop ends it early, with what was recorded so far; the rest of a double-click on Record does not
    // press the Stop button that takes its place.
    open();
    doubleClick(w->cmdRecord, w->cmdStop);
    ASSERT_TRUE(w->recording());
    fake.clock.advance(1200);
    click(w->cmdStop);
    EXPECT_EQ(WaveFile::readFile(AppFiles::resolve("S0.wav"))->durationMs(), 1200);
    EXPECT_TRUE(readyToRecord());
}

// Without a microphone, or where the file cannot be written, the parent is told and the sound stays.
TEST_F(SoundEditor, AFailedRecordingIsReportedAndChangesNothing) {
    open();
    fake.recorder.microphone = false;
    click(w->cmdRecord);
    EXPECT_FALSE(w->recording());
    ASSERT_EQ(fake.dialogs.shown.size(), 1);
    EXPECT_TRUE(fake.dialogs.shown[0].text.startsWith("No microphone was found"));
    EXPECT_TRUE(readyToRecord());

    fake.recorder.microphone = true;
    const QString file = AppFiles::resolve("S0.wav");
    QFile::setPermissions(file, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    heard();
    click(w->cmdRecord);
    click(w->cmdStop); // nothing recorded yet
    EXPECT_TRUE(w->lblNote->text().startsWith("Nothing was recorded"));
    click(w->cmdRecord);
    fake.clock.advance(frmSEdit::MaxRecordingMs);
    ASSERT_EQ(fake.dialogs.shown.size(), 2);
    EXPECT_EQ(fake.dialogs.shown[1].kind, FakeDialogs::Critical);
    EXPECT_TRUE(fake.dialogs.shown[1].text.contains("S0.wav"));
    EXPECT_EQ(bytesOf(file), shippedSound(0));
    EXPECT_EQ(heard(), QStringList());
    EXPECT_TRUE(readyToRecord());
}

// A process killed at any moment of recording and saving leaves the sound whole: the old one, or the
// new one complete.
TEST_F(SoundEditor, AKilledEditorLeavesTheOldSoundOrTheNewOneWhole) {
    if (const QString folder = folderToSaveInto(); !folder.isEmpty()) {
        AppFiles::setAppDir(folder);
        open();
        for (int round = 0;; ++round) {
            click(w->cmdRecord);
            fake.clock.advance(frmSEdit::MaxRecordingMs);
            if (round == 0) {
                firstSaveDone();
            }
        }
    }
    const QByteArray recorded = WaveFile::encode(22050, 1, 16, QByteArray(22050 * 2 * 5, '\0'));
    const QString file = fake.appDir() + "S0.wav";
    killRepeatedly(fake.appDir(), 200, [&](int kill) {
        const QByteArray after = bytesOf(file);
        EXPECT_TRUE(after == shippedSound(0) || after == recorded) << kill << " " << after.size();
        writeBytes(file, shippedSound(0));
    });
    // The editor opens again afterwards.
    open();
    EXPECT_TRUE(w->isVisible());
}

// Double-clicking an entry plays it; a single click only chooses it. Playing shows "Playing ..." with
// Play and Record out of the way.
TEST_F(SoundEditor, ADoubleClickPlaysAndASingleClickChooses) {
    open();
    heard();
    clickEntry(3);
    EXPECT_EQ(w->currentSound(), 3);
    EXPECT_EQ(heard(), QStringList());
    QStringList during;
    PeekingClock::install().peek = [&](qint64) {
        during << QString("%1 %2 %3")
                      .arg(w->lblPlay->text())
                      .arg(w->cmdPlay->isVisible())
                      .arg(w->cmdRecord->isVisible());
    };
    const QRect item = w->lstFiles->visualItemRect(w->lstFiles->item(5));
    QTest::mouseClick(w->lstFiles->viewport(), Qt::LeftButton, {}, item.center());
    QTest::mouseDClick(w->lstFiles->viewport(), Qt::LeftButton, {}, item.center());
    EXPECT_EQ(heard(), QStringList{"S5.wav"});
    EXPECT_EQ(during, QStringList{"Playing ... 0 0"});
    EXPECT_TRUE(readyToRecord());
}

// Restore Original puts the shipped sound back once the parent agrees, and says when there is nothing
// to put back.
TEST_F(SoundEditor, RestoreOriginalBringsBackTheShippedSound) {
    open();
    clickEntry(7);
    click(w->cmdRestore);
    ASSERT_EQ(fake.dialogs.shown.size(), 1);
    EXPECT_TRUE(fake.dialogs.shown[0].text.endsWith("is the original sound already."));
    click(w->cmdRecord);
    click(w->cmdStop);
    fake.clock.advance(1000);
    click(w->cmdRecord);
    fake.clock.advance(1000);
    click(w->cmdStop);
    fake.dialogs.answerOk = false;
    click(w->cmdRestore);
    EXPECT_NE(bytesOf(AppFiles::resolve("S7.wav")), shippedSound(7));
    fake.dialogs.answerOk = true;
    heard();
    click(w->cmdRestore);
    ASSERT_EQ(fake.dialogs.shown.size(), 3);
    EXPECT_EQ(fake.dialogs.shown[2].kind, FakeDialogs::OkCancel);
    EXPECT_EQ(bytesOf(AppFiles::resolve("S7.wav")), shippedSound(7));
    EXPECT_EQ(heard(), QStringList{"S7.wav"});

    QFile::remove(frmSEdit::originalsFolder() + "/S7.wav");
    click(w->cmdRestore);
    ASSERT_EQ(fake.dialogs.shown.size(), 4);
    EXPECT_TRUE(fake.dialogs.shown[3].text.startsWith("There is no original sound"));
}

// Installed, the shipped sounds are only read: a recording and the spare copy go to the user's folder,
// and Restore Original takes the user's recording away so that the shipped sound is heard again.
TEST_F(SoundEditor, InstalledRecordingsAreTheUsersOwnAndRestoreOriginalRemovesThem) {
    QTemporaryDir user;
    const QString shipped = fake.appDir();
    const QStringList shippedFiles = QDir(shipped).entryList(QDir::Files);
    AppFiles::setFolders(user.path(), shipped);
    open();
    clickEntry(7);
    click(w->cmdRecord);
    fake.clock.advance(1000);
    click(w->cmdStop);
    const QString mine = user.filePath("S7.wav");
    EXPECT_EQ(AppFiles::resolve("s7.WAV"), mine);
    EXPECT_NE(bytesOf(mine), shippedSound(7));
    EXPECT_TRUE(QFile::exists(user.filePath("xjunk.wav")));

    heard();
    click(w->cmdRestore);
    ASSERT_EQ(fake.dialogs.shown.size(), 1);
    EXPECT_EQ(fake.dialogs.shown[0].kind, FakeDialogs::OkCancel);
    EXPECT_FALSE(QFile::exists(mine));
    EXPECT_EQ(AppFiles::resolve("S7.wav"), shipped + "S7.wav");
    EXPECT_EQ(heard(), QStringList{"S7.wav"});
    click(w->cmdRestore);
    ASSERT_EQ(fake.dialogs.shown.size(), 2);
    EXPECT_TRUE(fake.dialogs.shown[1].text.endsWith("is the original sound already."));
    EXPECT_EQ(QDir(shipped).entryList(QDir::Files), shippedFiles);
    for (int i = 0; i < SEditCatalogue::Records; ++i) {
        EXPECT_EQ(bytesOf(shipped + QString("S%1.wav").arg(i)), shippedSound(i)) << i;
    }
}

// Each load copies the first sound to "xjunk.wav" and clears away what an unfinished save left.
TEST_F(SoundEditor, LoadingRefreshesTheSpareCopyAndClearsStaleTemporaries) {
    const QString stale = fake.appDir() + "S3.wav.nibsy-tmp-abcd1234";
    writeBytes(stale, "half");
    QFile old(stale);
    ASSERT_TRUE(old.open(QIODevice::ReadWrite));
    old.setFileTime(QDateTime::currentDateTime().addSecs(-3600), QFileDevice::FileModificationTime);
    old.close();
    writeBytes(fake.appDir() + "XJUNK.WAV", "old");
    open();
    EXPECT_EQ(bytesOf(fake.appDir() + "XJUNK.WAV"), shippedSound(0));
    EXPECT_FALSE(QFile::exists(stale));
}

// Only plain ".wav" names of the folder are recorded over; a short catalogue opens with what it has,
// and a missing one keeps the editor shut.
TEST_F(SoundEditor, TheCatalogueNamesOnlySoundsOfTheFolder) {
    for (const char* bad :
         {"nibsy51.ini", "sub/x.wav", "..\\x.wav", "", ".wav", "zzblank.wav", "XJunk.wav", "a\tb.wav"}) {
        EXPECT_FALSE(SEditCatalogue::isRecordable(QString::fromLatin1(bad))) << bad;
    }
    EXPECT_TRUE(SEditCatalogue::isRecordable("apple.WAV"));

    writeCatalogue(fake.appDir(), SEditCatalogue::Records, {"nibsy51.ini", "S1.wav", "../S2.wav"});
    open();
    ASSERT_EQ(fake.dialogs.shown.size(), 1);
    EXPECT_EQ(fake.dialogs.shown[0].kind, FakeDialogs::Information);
    EXPECT_TRUE(fake.dialogs.shown[0].text.contains(" 119 of its 121 "));
    EXPECT_EQ(w->lstFiles->count(), 119);
    EXPECT_EQ(w->lstFiles->item(0)->text(), "Sound 1");
    EXPECT_TRUE(w->isVisible());

    QFile::remove(fake.appDir() + "sedit5.ini");
    AppFiles::rescan();
    menu.hide();
    open();
    settle();
    ASSERT_EQ(fake.dialogs.shown.size(), 2);
    EXPECT_EQ(fake.dialogs.shown[1].kind, FakeDialogs::Critical);
    EXPECT_FALSE(shownWindow());
    EXPECT_TRUE(menu.isVisible());
}

// A real recording from the sound server's null source is saved in the suite's format at its length.
TEST_F(SoundEditor, ARealRecordingIsSavedAsMono22kHz16Bit) {
    if (QtRecorder probe; !probe.start(100)) {
        GTEST_SKIP() << "no audio input device (scripts/test.sh starts a sound server that has one)";
    }
    services().recorder = std::make_unique<QtRecorder>();
    services().clock = std::make_unique<SystemClock>();
    open();
    QElapsedTimer held;
    held.start();
    click(w->cmdRecord);
    QTest::qWait(1000);
    click(w->cmdStop);
    const qint64 heldMs = held.elapsed();
    const auto take = WaveFile::readFile(AppFiles::resolve("S0.wav"));
    ASSERT_TRUE(take);
    EXPECT_EQ(take->sampleRate, 22050);
    EXPECT_EQ(take->channels, 1);
    EXPECT_EQ(take->bits, 16);
    // As long as Record was held down for, less what the sound server took to start on a busy machine.
    EXPECT_GT(take->durationMs(), 300);
    EXPECT_LE(take->durationMs(), heldMs + 100);
    EXPECT_EQ(bytesOf(AppFiles::resolve("S0.wav")).size(), 44 + take->pcm.size());
}

} // namespace
