// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The real recorder: takes raw samples from the default audio input through a QAudioSource and turns
// them into 16-bit mono PCM at 22050 Hz.

#include "platform/RetiredDevices.h"
#include "platform/Services.h"
#include "platform/WaveFile.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QByteArray>
#include <QObject>
#include <optional>
#include <vector>

class QAudioSource;
class QIODevice;

namespace nibsy {

class QtRecorder : public Recorder {
public:
    // Records from the system's default input, looked up afresh at every start().
    QtRecorder();
    // Records from the given device; a null device is no microphone.
    explicit QtRecorder(const QAudioDevice& device);
    ~QtRecorder() override;
    QtRecorder(const QtRecorder&) = delete;
    QtRecorder& operator=(const QtRecorder&) = delete;

    bool start(qint64 maxMs) override;
    WaveFile stop() override;
    bool isRecording() const override { return m_recording; }
    double level() const override { return m_recording ? m_level : 0.0; }
    qint64 recordedMs() const override;

    // The format of every recording, and the one the device is asked for first.
    static QAudioFormat recordingFormat();
    // Raw input in the given format as a recording: channels mixed down to one, resampled to 22050 Hz,
    // samples made 16-bit. A trailing part frame is dropped.
    static WaveFile toRecording(const QByteArray& input, const QAudioFormat& format);
    // The largest sample magnitude of raw input in that format, 0..1.
    static double peakOf(const QByteArray& input, const QAudioFormat& format);

private:
    void takeInput();
    void retire(QAudioSource* source);

    std::optional<QAudioDevice> m_device; // empty: the default input
    QObject m_context;                    // receiver of the source's signals and deferred deletes
    QAudioSource* m_source = nullptr;
    QIODevice* m_input = nullptr; // the source's device, read as data arrives
    QAudioFormat m_format;        // what the device delivers
    QByteArray m_raw;             // whole frames as delivered, at most m_maxBytes
    QByteArray m_partial;         // the start of a frame not yet complete
    qint64 m_maxBytes = 0;
    double m_level = 0;
    bool m_recording = false;
    RetiredDevices<QAudioSource> m_retired{&m_context}; // stopped, deleted outside any handler
};

} // namespace nibsy
