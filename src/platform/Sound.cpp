// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Sound.h"

#include "platform/Clock.h"
#include "platform/SoundFormat.h"
#include "platform/Waits.h"

#include <QApplication>
#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QMediaDevices>
#include <QTimer>
#include <QtEndian>
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>
#include <numbers>
#include <utility>

namespace nibsy {

namespace {

// How often a sink that has handed over its last bytes is asked how far the device has got, and how
// long it is kept after the device reports the end (its report lags a little behind the speaker).
constexpr int DrainPollMs = 40;
constexpr qint64 DeviceTailMs = 150;
// A sink that never reports the end of its data is dropped this long after the sound should be over.
// Generous: some servers (PulseAudio's null sink) take their data in blocks of a second or more.
constexpr qint64 StallGraceMs = 5000;

WaveFile makeAlert() {
    WaveFile wave;
    wave.format = WaveFile::Format::Integer;
    wave.channels = 1;
    wave.sampleRate = 22050;
    wave.bits = 16;

    struct Note {
        double hz;
        double seconds;
    };
    // A rising fourth, E5 then A5, each a soft bell: quick attack, decay, and a short fade to avoid clicks.
    const Note notes[] = {{659.26, 0.11}, {880.0, 0.14}};
    for (const Note& note : notes) {
        const int n = int(note.seconds * wave.sampleRate);
        QByteArray pcm(n * 2, Qt::Uninitialized);
        auto* p = reinterpret_cast<uchar*>(pcm.data());
        for (int i = 0; i < n; ++i, p += 2) {
            const double t = double(i) / wave.sampleRate;
            const double attack = std::min(1.0, t / 0.005);
            const double release = std::min(1.0, (note.seconds - t) / 0.012);
            const double envelope = attack * release * std::exp(-3.0 * t / note.seconds);
            const double tone = std::sin(2 * std::numbers::pi * note.hz * t) +
                                0.25 * std::sin(4 * std::numbers::pi * note.hz * t);
            qToLittleEndian<qint16>(qint16(std::lround(0.3 * 32767 * envelope * tone / 1.25)), p);
        }
        wave.pcm += pcm;
    }
    return wave;
}

} // namespace

// A sound being played. The sink owns the buffer it reads from, so the buffer outlives it.
struct QtSoundPlayer::Playback {
    QAudioSink* sink = nullptr;
    qint64 lengthMs = 0; // the file's length, rounded up
    qint64 dataUs = 0;   // the exact length of the data handed to the sink
    quint64 generation = 0;
    bool draining = false;
};

QtSoundPlayer::QtSoundPlayer() {
    alert();
}

QtSoundPlayer::QtSoundPlayer(const QAudioDevice& device) : m_device(device) {
    alert();
}

QtSoundPlayer::~QtSoundPlayer() {
    retire(std::move(m_playback));
    m_retired.deleteAll();
}

const WaveFile& QtSoundPlayer::alert() {
    static const WaveFile wave = makeAlert();
    return wave;
}

const QAudioSink* QtSoundPlayer::sink() const {
    return m_playback ? m_playback->sink : nullptr;
}

void QtSoundPlayer::stop() {
    retire(std::move(m_playback));
}

void QtSoundPlayer::play(const QString& path, int mode) {
    stop();
    const std::optional<WaveFile> file = WaveFile::readFile(path);
    m_lastWasAlert = !file;
    const WaveFile& wave = file ? *file : alert();
    start(wave);
    if (mode == 0) {
        // The sink is not the timekeeper: without a device, or with one that stalls, the caller is
        // still held for exactly the sound's length.
        clock().wait(wave.durationMs());
    }
}

void QtSoundPlayer::start(const WaveFile& wave) {
    if (wave.frameCount() == 0) {
        return;
    }
    const QAudioDevice device = m_device ? *m_device : QMediaDevices::defaultAudioOutput();
    if (device.isNull()) {
        return;
    }
    QAudioFormat format;
    const QByteArray data = deviceSamples(
        wave, [&device](const QAudioFormat& f) { return device.isFormatSupported(f); },
        device.preferredFormat(), format);
    if (data.isEmpty()) {
        return;
    }

    auto playback = std::make_unique<Playback>();
    playback->generation = ++m_generation;
    playback->lengthMs = wave.durationMs();
    playback->dataUs = format.durationForBytes(qint32(std::min<qsizetype>(data.size(), INT_MAX)));
    playback->sink = new QAudioSink(device, format);
    auto* buffer = new QBuffer(playback->sink);
    buffer->setData(data);
    buffer->open(QIODevice::ReadOnly);
    const quint64 generation = playback->generation;
    QObject::connect(playback->sink, &QAudioSink::stateChanged, &m_context,
                     [this, generation](QAudio::State state) { onStateChanged(generation, state); });

    playback->sink->start(buffer);
    if (playback->sink->error() != QAudio::NoError || playback->sink->state() == QAudio::StoppedState) {
        retire(std::move(playback)); // no usable output
        return;
    }
    m_playback = std::move(playback);
    releaseLater(generation, m_playback->lengthMs + StallGraceMs);
}

void QtSoundPlayer::onStateChanged(quint64 generation, int state) {
    if (!m_playback || m_playback->generation != generation) {
        return;
    }
    if (state == QAudio::StoppedState) {
        releaseLater(generation, 0); // the device failed or went away
    } else if (state == QAudio::IdleState && !m_playback->draining) {
        // All bytes are with the device, which may buffer a good deal; watch it sound them out.
        m_playback->draining = true;
        watchDrain(generation);
    }
}

void QtSoundPlayer::watchDrain(quint64 generation) {
    QTimer::singleShot(DrainPollMs, &m_context, [this, generation] {
        if (!m_playback || m_playback->generation != generation) {
            return;
        }
        if (m_playback->sink->processedUSecs() >= m_playback->dataUs - 1000) {
            releaseLater(generation, DeviceTailMs);
        } else {
            watchDrain(generation);
        }
    });
}

void QtSoundPlayer::releaseLater(quint64 generation, qint64 delayMs) {
    QTimer::singleShot(int(std::min<qint64>(delayMs, INT_MAX)), &m_context, [this, generation] {
        if (m_playback && m_playback->generation == generation) {
            retire(std::move(m_playback));
        }
    });
}

// Stops a sink at once, but deletes it later: the platform sink's destructor runs the event loop, which
// must not happen inside a handler or a wait (held input would be delivered).
void QtSoundPlayer::retire(std::unique_ptr<Playback> playback) {
    if (!playback) {
        return;
    }
    QObject::disconnect(playback->sink, nullptr, &m_context, nullptr);
    playback->sink->stop();
    m_retired.add(playback->sink);
}

void QtSoundPlayer::beep() {
    QApplication::beep();
}

} // namespace nibsy
