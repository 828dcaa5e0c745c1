// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Fakes of the platform services, installed for the lifetime of a FakePlatform: sounds and dialogs are
// recorded, waits are instant, random numbers can be scripted.

#include "platform/AppFiles.h"
#include "platform/Picture.h"
#include "platform/Services.h"
#include "platform/WaveFile.h"
#include "support/FakeClock.h"

#include <QStringList>
#include <QTemporaryDir>
#include <vector>

namespace nibsy::test {

struct PlayedSound {
    QString name; // file name without its folder, as asked for
    int mode;
};

class FakeSound : public SoundPlayer {
public:
    void play(const QString& path, int mode) override;
    void stop() override { ++stops; }
    void beep() override { ++beeps; }
    // Names of the sounds played, in order.
    QStringList names() const;
    void clear() { played.clear(); }

    QList<PlayedSound> played;
    int stops = 0, beeps = 0;
    qint64 lengthMs = 500; // how long a synchronous sound holds the handler
};

// Records silence on the fake clock's time, at half scale on the level meter.
class FakeRecorder : public Recorder {
public:
    bool start(qint64 maxMs) override;
    WaveFile stop() override;
    bool isRecording() const override { return m_recording; }
    double level() const override { return m_recording ? 0.5 : 0.0; }
    qint64 recordedMs() const override;
    bool microphone = true; // false: there is none, and start() fails

private:
    qint64 m_startMs = 0, m_maxMs = 0;
    bool m_recording = false;
};

class FakeDialogs : public Dialogs {
public:
    enum Kind { Critical, Information, OkCancel };
    struct Shown {
        Kind kind;
        QString text, title;
    };
    void critical(QWidget*, const QString& text, const QString& title) override {
        shown.append({Critical, text, title});
    }
    void information(QWidget*, const QString& text, const QString& title) override {
        shown.append({Information, text, title});
    }
    bool okCancel(QWidget*, const QString& text, const QString& title) override {
        shown.append({OkCancel, text, title});
        return answers.isEmpty() ? answerOk : answers.takeFirst();
    }
    QList<Shown> shown;
    QList<bool> answers; // the next OK/Cancel answers in turn (true for OK); then answerOk for every one
    bool answerOk = true;
};

class FakeHelp : public HelpViewer {
public:
    void showContents(QWidget*) override { asked.append(0); }
    void showContext(QWidget*, int context) override { asked.append(context); }
    QList<int> asked; // 0 for the contents
};

class FakeFatal : public Fatal {
public:
    void fail(const QString& message) override { messages.append(message); }
    QStringList messages;
};

class FakePlatform {
public:
    // The application directory becomes a fresh temporary folder unless appDir is given.
    explicit FakePlatform(const QString& appDir = {});
    ~FakePlatform();
    Q_DISABLE_COPY(FakePlatform)

    FakeSound& sound;
    FakeRecorder& recorder;
    FakeClock& clock;
    FakeRandom& random;
    FakeDialogs& dialogs;
    FakeHelp& help;
    FakeFatal& fatal;
    QString appDir() const { return AppFiles::userDir(); }
    // A folder for files a test writes (PDFs and the like).
    QString scratch() const { return m_scratch.path(); }

private:
    QTemporaryDir m_tempAppDir, m_scratch;
    QString m_savedAppDir = AppFiles::userDir();
};

// The folder of the built application directory (data laid out by the build).
inline QString builtAppDir() {
    return QStringLiteral(NIBSY_APPDIR);
}

} // namespace nibsy::test
