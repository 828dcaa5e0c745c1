// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Recorder.h"

#include "platform/Waits.h"

#include <QAudioSource>
#include <QMediaDevices>
#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <soxr.h>
#include <utility>

namespace nibsy {

namespace {

constexpr int RecordingRate = 22050;
// What the sound server may hold before handing it over, in microseconds.
constexpr qint64 BufferUs = 50'000;

// One sample scaled to -1..1; a sample that is not a finite number counts as silence.
float sampleAt(const QAudioFormat& format, const char* p) {
    const float v = format.normalizedSampleValue(p);
    return std::isfinite(v) ? std::clamp(v, -1.0f, 1.0f) : 0.0f;
}

// Band-limited resampling of one channel (libsoxr at its high quality).
std::vector<float> resample(const std::vector<float>& in, int fromRate, int toRate) {
    const double ratio = double(toRate) / fromRate;
    std::vector<float> out(size_t(std::ceil(double(in.size()) * ratio)) + 1);
    size_t done = 0;
    const soxr_quality_spec_t quality = soxr_quality_spec(SOXR_HQ, 0);
    const soxr_error_t error = soxr_oneshot(fromRate, toRate, 1, in.data(), in.size(), nullptr, out.data(),
                                            out.size(), &done, nullptr, &quality, nullptr);
    out.resize(error ? 0 : done);
    return out;
}

} // namespace

QtRecorder::QtRecorder() = default;

QtRecorder::QtRecorder(const QAudioDevice& device) : m_device(device) {}

QtRecorder::~QtRecorder() {
    if (m_source) {
        retire(std::exchange(m_source, nullptr));
    }
    m_retired.deleteAll();
}

QAudioFormat QtRecorder::recordingFormat() {
    QAudioFormat format;
    format.setSampleRate(RecordingRate);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    return format;
}

bool QtRecorder::start(qint64 maxMs) {
    const QAudioDevice device = m_device ? *m_device : QMediaDevices::defaultAudioInput();
    if (device.isNull()) {
        return false;
    }
    QAudioFormat format = recordingFormat();
    if (!device.isFormatSupported(format)) {
        format = device.preferredFormat();
        if (format.sampleFormat() == QAudioFormat::Unknown || format.bytesPerFrame() <= 0 ||
            format.sampleRate() <= 0) {
            return false;
        }
    }
    auto* source = new QAudioSource(device, format);
    // A small buffer: the sound server then hands over what it has every few tens of milliseconds, so
    // that what is still on its way when the recording stops is no more than that.
    source->setBufferSize(format.bytesForDuration(BufferUs));
    QIODevice* input = source->start();
    if (!input || source->error() != QAudio::NoError || source->state() == QAudio::StoppedState) {
        retire(source);
        return false;
    }

    if (m_source) {
        retire(std::exchange(m_source, nullptr));
    }
    m_source = source;
    m_input = input;
    m_format = format;
    m_raw.clear();
    m_partial.clear();
    m_maxBytes = qint64(format.sampleRate()) * std::max<qint64>(maxMs, 0) / 1000 * format.bytesPerFrame();
    m_level = 0;
    m_recording = true;
    QObject::connect(input, &QIODevice::readyRead, &m_context, [this, input] {
        if (input == m_input) {
            takeInput();
        }
    });
    QObject::connect(source, &QAudioSource::stateChanged, &m_context, [this, source](QAudio::State state) {
        if (state == QAudio::StoppedState && source == m_source) {
            // The device failed or went away: what came before is kept.
            takeInput();
            retire(std::exchange(m_source, nullptr));
            m_input = nullptr;
        }
    });
    return true;
}

void QtRecorder::takeInput() {
    if (!m_input) {
        return;
    }
    QByteArray chunk = m_partial + m_input->readAll();
    const int frameBytes = m_format.bytesPerFrame();
    const qsizetype whole = chunk.size() - chunk.size() % frameBytes;
    m_partial = chunk.mid(whole);
    chunk.truncate(whole);
    if (chunk.isEmpty()) {
        return;
    }
    m_level = peakOf(chunk, m_format);
    const qint64 room = m_maxBytes - m_raw.size();
    if (room > 0) {
        m_raw.append(chunk.left(qsizetype(room)));
    }
}

WaveFile QtRecorder::stop() {
    if (!m_recording) {
        return {};
    }
    takeInput();
    if (m_source) {
        retire(std::exchange(m_source, nullptr));
    }
    m_input = nullptr;
    m_recording = false;
    m_level = 0;
    return toRecording(std::exchange(m_raw, {}), m_format);
}

qint64 QtRecorder::recordedMs() const {
    if (!m_recording || m_format.bytesPerFrame() <= 0 || m_format.sampleRate() <= 0) {
        return 0;
    }
    return qint64(m_raw.size() / m_format.bytesPerFrame()) * 1000 / m_format.sampleRate();
}

double QtRecorder::peakOf(const QByteArray& input, const QAudioFormat& format) {
    const int sampleBytes = format.bytesPerSample();
    if (format.bytesPerFrame() <= 0) {
        return 0;
    }
    const qsizetype end = input.size() - input.size() % format.bytesPerFrame();
    float peak = 0;
    for (qsizetype i = 0; i < end; i += sampleBytes) {
        peak = std::max(peak, std::abs(sampleAt(format, input.constData() + i)));
    }
    return peak;
}

WaveFile QtRecorder::toRecording(const QByteArray& input, const QAudioFormat& format) {
    WaveFile out; // 22050 Hz mono 16-bit, empty
    const int channels = format.channelCount();
    const int sampleBytes = format.bytesPerSample();
    const int frameBytes = format.bytesPerFrame();
    if (frameBytes <= 0 || format.sampleRate() <= 0) {
        return out;
    }
    const qsizetype frames = input.size() / frameBytes;
    if (format.sampleRate() == RecordingRate && channels == 1 &&
        format.sampleFormat() == QAudioFormat::Int16) {
        out.pcm = input.left(frames * frameBytes);
        return out;
    }

    std::vector<float> mono(static_cast<size_t>(frames));
    const char* p = input.constData();
    for (float& v : mono) {
        float sum = 0;
        for (int c = 0; c < channels; ++c, p += sampleBytes) {
            sum += sampleAt(format, p);
        }
        v = sum / float(channels);
    }
    if (format.sampleRate() != RecordingRate) {
        mono = resample(mono, format.sampleRate(), RecordingRate);
    }

    out.pcm.resize(qsizetype(mono.size()) * 2);
    auto* q = reinterpret_cast<uchar*>(out.pcm.data());
    for (const float v : mono) {
        qToLittleEndian<qint16>(qint16(std::clamp(std::lround(v * 32767.0f), -32768L, 32767L)), q);
        q += 2;
    }
    return out;
}

// Stops a source at once, but deletes it later: the platform's audio objects may run the event loop as
// they go, which must not happen inside a handler or a wait (held input would be delivered).
void QtRecorder::retire(QAudioSource* source) {
    QObject::disconnect(source, nullptr, &m_context, nullptr);
    source->stop();
    m_retired.add(source);
}

} // namespace nibsy
