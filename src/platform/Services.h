// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The services a window takes from its platform. Each has a real implementation over Qt and a fake for
// tests; windows reach them only through services(), so a test swaps in fakes before it opens a window.

#include "platform/Surface.h"

#include <QString>
#include <memory>

class QPainter;
class QWidget;

namespace nibsy {

class Clock;
class RandomSource;
class Pictures;
struct WaveFile;

// Wave sounds. play() stops whatever plays, then plays the file: mode 0 returns when the sound has
// ended (through Clock::wait, so the window stays painted), mode 1 at once. A file that is missing or
// cannot be decoded plays a short alert instead, and nothing is reported.
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    virtual void play(const QString& path, int mode) = 0;
    virtual void stop() = 0;
    // The platform's short warning beep (a key that does not fit).
    virtual void beep() = 0;
};

// Recording from the microphone (the default audio input). A recording is always 16-bit mono PCM at
// 22050 Hz, whatever the device delivers. It goes on while the caller waits (Clock::wait).
class Recorder {
public:
    virtual ~Recorder() = default;
    // Starts a new recording, dropping any that runs, which keeps the first maxMs milliseconds of sound
    // (later input is let go until stop()). False when there is no microphone (no input device, or the
    // device would not start); nothing has then changed.
    virtual bool start(qint64 maxMs) = 0;
    // Ends the recording and returns it (with the length recorded so far); an empty sound when none ran.
    virtual WaveFile stop() = 0;
    // From a successful start() until stop().
    virtual bool isRecording() const = 0;
    // The loudness of the latest input, for a level meter to poll: the peak of the last block, 0 for
    // silence to 1 for full scale; 0 when not recording.
    virtual double level() const = 0;
    // The length recorded so far, in milliseconds (never more than maxMs).
    virtual qint64 recordedMs() const = 0;
};

// Message boxes, owned by the given window. An empty title shows the suite's name.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    virtual void critical(QWidget* parent, const QString& text, const QString& title = {}) = 0;
    virtual void information(QWidget* parent, const QString& text, const QString& title = {}) = 0;
    // OK and Cancel buttons (with the information icon); true for OK.
    virtual bool okCancel(QWidget* parent, const QString& text, const QString& title = {}) = 0;
};

// The help file "nibsy.hlp" in the application directory.
class HelpViewer {
public:
    virtual ~HelpViewer() = default;
    virtual void showContents(QWidget* owner) = 0;
    virtual void showContext(QWidget* owner, int context) = 0;
};

// What became of a printed document, and what the user should be told of it (empty when the page went
// where they expected). Never to be dropped: a page that did not print must not go unmentioned.
struct [[nodiscard]] PrintOutcome {
    enum class Result {
        Printed,    // the print system took the job
        Waiting,    // taken, but the printer is paused: the page waits in its queue
        SavedAsPdf, // written to a PDF file
        NotPrinted, // nothing was printed or saved
    };
    Result result = Result::NotPrinted;
    QString message;
};

// Shows the outcome's message, if it has one, with that title: as an error when nothing was printed.
void reportPrinting(QWidget* parent, const PrintOutcome& outcome, const QString& title = {});

// One printed document, a drawing surface of the whole sheet. Its scale starts in twips (1440 to the
// inch) from the sheet's top left corner; setScale() gives it a coordinate system of the caller's own.
// Lines drawn on it are as thick on paper as on the screen (drawWidth in screen pixels), its text is in
// points. The painter draws in the same scale, for what a surface does not offer.
class PrintJob : public Surface {
public:
    virtual QPainter& painter() = 0;
    // Sets the surface's font, and the painter's so that it prints at that size in points whatever the
    // scale.
    virtual void setFont(const QString& family, double points, bool bold = false) = 0;
    virtual void newPage() = 0;
    // Finishes the document and sends it on.
    virtual PrintOutcome end() = 0;
};

class Printer {
public:
    virtual ~Printer() = default;
    // A new document, or nullptr when the user cancelled or no printer nor file could be had.
    virtual std::unique_ptr<PrintJob> begin(QWidget* parent, const QString& documentName) = 0;
};

// How the suite ends when it cannot go on (a picture file missing): the real one shows the message and
// ends the program in order; the fake records it.
class Fatal {
public:
    virtual ~Fatal() = default;
    virtual void fail(const QString& message) = 0;
};

struct Services {
    std::unique_ptr<SoundPlayer> sound;
    std::unique_ptr<Recorder> recorder;
    std::unique_ptr<Clock> clock;
    std::unique_ptr<RandomSource> random;
    std::unique_ptr<Dialogs> dialogs;
    std::unique_ptr<HelpViewer> help;
    std::unique_ptr<Printer> printer;
    std::unique_ptr<Pictures> pictures;
    std::unique_ptr<Fatal> fatal;
};

// The services in use; installRealServices() fills them for the running suite.
Services& services();
void installRealServices();
// Removes every service; done before the application object goes, since sound objects belong to it.
void clearServices();

SoundPlayer& sound();
Recorder& recorder();
Clock& clock();
RandomSource& rnd();
Dialogs& dialogs();
HelpViewer& help();
Printer& printer();
Pictures& pictures();
Fatal& fatal();

} // namespace nibsy
