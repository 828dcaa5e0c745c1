// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Fakes of the platform services, installed for the lifetime of a FakePlatform: sounds and dialogs are
// recorded, waits are instant, random numbers can be scripted.

#include "platform/Picture.h"
#include "platform/Services.h"
#include "support/FakeClock.h"

#include <QStringList>
#include <QTemporaryDir>

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
    int stops = 0;
    int beeps = 0;
    qint64 lengthMs = 500; // how long a synchronous sound holds the handler
};

class FakeDialogs : public Dialogs {
public:
    enum Kind { Critical, Information, OkCancel };
    struct Shown {
        Kind kind;
        QString text;
        QString title;
    };
    void critical(QWidget*, const QString& text, const QString& title) override {
        shown.append({Critical, text, title});
    }
    void information(QWidget*, const QString& text, const QString& title) override {
        shown.append({Information, text, title});
    }
    bool okCancel(QWidget*, const QString& text, const QString& title) override {
        shown.append({OkCancel, text, title});
        return answerOk;
    }
    QList<Shown> shown;
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
    FakePlatform(const FakePlatform&) = delete;
    FakePlatform& operator=(const FakePlatform&) = delete;

    FakeSound& sound;
    FakeClock& clock;
    FakeRandom& random;
    FakeDialogs& dialogs;
    FakeHelp& help;
    FakeFatal& fatal;
    QString appDir() const;
    // A folder for files a test writes (PDFs and the like).
    QString scratch() const { return m_scratch.path(); }

private:
    QTemporaryDir m_tempAppDir;
    QTemporaryDir m_scratch;
    QString m_savedAppDir;
};

// The folder of the built application directory (data laid out by the build).
QString builtAppDir();

} // namespace nibsy::test
