// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Reads arbitrary bytes as a wave file, then takes what was read through the conversions the player makes
// for devices that take the file's own samples, only 16-bit ones, or only their own preferred format.

#include "platform/SoundFormat.h"
#include "platform/WaveFile.h"

#include <QAudioFormat>
#include <QByteArray>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

void check(bool ok) {
    if (!ok) {
        std::abort();
    }
}

QAudioFormat makeFormat(int rate, int channels, QAudioFormat::SampleFormat sample) {
    QAudioFormat f;
    f.setSampleRate(rate);
    f.setChannelCount(channels);
    f.setSampleFormat(sample);
    return f;
}

// What the player hands a device that takes formats as supported says, with preferred as its own.
void play(const nibsy::WaveFile& wave, const std::function<bool(const QAudioFormat&)>& supported,
          const QAudioFormat& preferred) {
    QAudioFormat format;
    const QByteArray data = nibsy::deviceSamples(wave, supported, preferred, format);
    if (wave.frameCount() == 0) {
        return;
    }
    check(!data.isEmpty());
    check(format.isValid());
    check(data.size() % format.bytesPerFrame() == 0);
    // The device is given as long a sound as the file holds, to within a frame at the device's rate,
    const double seconds = double(wave.frameCount()) / wave.sampleRate;
    const double given = double(data.size() / format.bytesPerFrame()) / format.sampleRate();
    // and only a sound too long to convert whole is cut.
    const double frame = 1.0 / format.sampleRate() + 1e-9;
    check(given <= seconds + frame);
    if (data.size() + format.bytesPerFrame() <= nibsy::kMaxConvertedBytes) {
        check(std::abs(given - seconds) <= frame);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    const auto wave = nibsy::WaveFile::read(bytes);
    if (!wave) {
        return 0;
    }
    check(wave->channels >= 1 && wave->sampleRate >= 1 && wave->pcm.size() % wave->bytesPerFrame() == 0);
    const std::vector<float> samples = wave->samples();
    check(qint64(samples.size()) == wave->frameCount() * wave->channels);
    for (const float s : samples) {
        check(s >= -1.0f && s <= 1.0f);
    }
    const double peak = wave->peakLevel();
    check(peak >= 0.0 && peak <= 1.0);
    check(wave->durationMs() * wave->sampleRate >= wave->frameCount() * 1000);

    // A sound written back out reads in again as it was.
    if (wave->format == nibsy::WaveFile::Format::Integer) {
        const auto again = nibsy::WaveFile::read(
            nibsy::WaveFile::encode(wave->sampleRate, wave->channels, wave->bits, wave->pcm));
        check(again && again->format == wave->format && again->channels == wave->channels &&
              again->sampleRate == wave->sampleRate && again->bits == wave->bits && again->pcm == wave->pcm);
    }

    play(*wave, [](const QAudioFormat&) { return true; }, {});
    play(*wave, [](const QAudioFormat& f) { return f.sampleFormat() == QAudioFormat::Int16; }, {});
    const auto none = [](const QAudioFormat&) { return false; };
    play(*wave, none, makeFormat(48000, 2, QAudioFormat::Float));
    play(*wave, none, makeFormat(44100, 1, QAudioFormat::Int32));
    play(*wave, none, makeFormat(8000, 6, QAudioFormat::UInt8));
    return 0;
}
