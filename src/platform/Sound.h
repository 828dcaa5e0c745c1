// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The real wave player: decodes the file itself and plays the samples through a QAudioSink.

#include "platform/RetiredDevices.h"
#include "platform/Services.h"
#include "platform/WaveFile.h"

#include <QAudioDevice>
#include <QObject>
#include <memory>
#include <optional>
#include <vector>

class QAudioSink;

namespace nibsy {

class QtSoundPlayer : public SoundPlayer {
public:
    // Plays on the system's default output, looked up afresh for every sound.
    QtSoundPlayer();
    // Plays on the given device. A null device plays nothing, but synchronous sounds still take their
    // full length, so timing does not depend on the machine having sound.
    explicit QtSoundPlayer(const QAudioDevice& device);
    ~QtSoundPlayer() override;
    QtSoundPlayer(const QtSoundPlayer&) = delete;
    QtSoundPlayer& operator=(const QtSoundPlayer&) = delete;

    // Mode 0 holds the caller (through Clock::wait) for the sound's length; any other mode returns at
    // once. A file that cannot be read or decoded plays alert() instead.
    void play(const QString& path, int mode) override;
    void stop() override;
    void beep() override;

    // True while a sink holds the output: from play() until the sound and its device latency have run
    // out, or until stop() or the next play().
    bool isPlaying() const { return m_playback != nullptr; }
    // True when the last play() fell back on the alert.
    bool lastWasAlert() const { return m_lastWasAlert; }
    // The sink of the sound now playing, or nullptr.
    const QAudioSink* sink() const;

    // The built-in alert: two short rising notes, 22050 Hz mono 16-bit.
    static const WaveFile& alert();

private:
    struct Playback;
    void start(const WaveFile& wave);
    void onStateChanged(quint64 generation, int state);
    void watchDrain(quint64 generation);
    void releaseLater(quint64 generation, qint64 delayMs);
    void retire(std::unique_ptr<Playback> playback);

    std::optional<QAudioDevice> m_device; // empty: the default output
    QObject m_context;                    // receiver of sink signals, timers and deferred deletes
    std::unique_ptr<Playback> m_playback;
    RetiredDevices<QAudioSink> m_retired{&m_context}; // stopped, deleted outside any handler
    quint64 m_generation = 0;
    bool m_lastWasAlert = false;
};

} // namespace nibsy
