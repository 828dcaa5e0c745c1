// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Services made when first used. The real sound player, recorder and printer bring in Qt Multimedia, Qt Print
// Support and CUPS (and through them the sound server's and print system's libraries); the suite loads
// them only when the first sound plays or the first page prints, so the menu shows without them.

#include "platform/Services.h"
#include "platform/WaveFile.h"

#include <functional>
#include <memory>

namespace nibsy {

// Makes its player on the first play() or beep(). A factory that gives nothing (it has told the user
// why) leaves the suite silent; it is not asked again.
class LazySoundPlayer : public SoundPlayer {
public:
    using Factory = std::function<std::unique_ptr<SoundPlayer>()>;
    explicit LazySoundPlayer(Factory make) : m_make(std::move(make)) {}

    void play(const QString& path, int mode) override;
    // Nothing plays before the first sound, so there is nothing to stop and nothing is made.
    void stop() override;
    void beep() override;

    // The player made so far, or nullptr.
    SoundPlayer* made() const { return m_real.get(); }

private:
    SoundPlayer* real();

    Factory m_make;
    std::unique_ptr<SoundPlayer> m_real;
    bool m_asked = false;
};

// Makes its printer on the first begin(). A factory that gives nothing makes every begin() give
// nothing, as when no printer nor file could be had.
class LazyPrinter : public Printer {
public:
    using Factory = std::function<std::unique_ptr<Printer>()>;
    explicit LazyPrinter(Factory make) : m_make(std::move(make)) {}

    std::unique_ptr<PrintJob> begin(QWidget* parent, const QString& documentName) override;

    Printer* made() const { return m_real.get(); }

private:
    Factory m_make;
    std::unique_ptr<Printer> m_real;
    bool m_asked = false;
};

// Makes its recorder on the first start(). Before that nothing records; a factory that gives nothing
// leaves the suite without a microphone.
class LazyRecorder : public Recorder {
public:
    using Factory = std::function<std::unique_ptr<Recorder>()>;
    explicit LazyRecorder(Factory make) : m_make(std::move(make)) {}

    bool start(qint64 maxMs) override;
    WaveFile stop() override;
    bool isRecording() const override { return m_real && m_real->isRecording(); }
    double level() const override { return m_real ? m_real->level() : 0.0; }
    qint64 recordedMs() const override { return m_real ? m_real->recordedMs() : 0; }

    Recorder* made() const { return m_real.get(); }

private:
    Factory m_make;
    std::unique_ptr<Recorder> m_real;
    bool m_asked = false;
};

} // namespace nibsy
