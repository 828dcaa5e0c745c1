// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The Sound Editor: how long it takes to open with the suite's catalogue, and how long from Stop until
// the new recording's first sample plays (saved, read back and started on the default output).

#include "OpenWindowBench.h"
#include "platform/AppFiles.h"
#include "platform/Sound.h"
#include "soundedit/frmSEdit.h"

#include <QAudioSink>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMediaDevices>
#include <QTemporaryDir>
#include <QTimer>
#include <cmath>

namespace {

// A folder of its own holding the suite's catalogue and sounds, which the editor writes into.
class SoundFolder {
public:
    SoundFolder() {
        const QString data = nibsy::AppFiles::userDir();
        for (const QString& file : QDir(data).entryList({"*.wav", "*.ini"}, QDir::Files)) {
            QFile::copy(data + file, m_folder.filePath(file));
        }
        nibsy::AppFiles::setAppDir(m_folder.path());
    }

private:
    QTemporaryDir m_folder;
};

void OpenSoundEditor(benchmark::State& state) {
    nibsy::bench::BenchPlatform platform(state, {"sedit5.ini"});
    if (!platform.ready()) {
        return;
    }
    SoundFolder folder;
    for (auto _ : state) {
        auto* window = nibsy::openWindow<nibsy::frmSEdit>(nullptr);
        QCoreApplication::processEvents();
        state.PauseTiming();
        delete window;
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(OpenSoundEditor)->Unit(benchmark::kMillisecond);

// Hands over a second of a 440 Hz tone as the recording.
class ToneRecorder : public nibsy::Recorder {
public:
    bool start(qint64) override { return m_recording = true; }
    nibsy::WaveFile stop() override {
        m_recording = false;
        nibsy::WaveFile wave;
        for (int i = 0; i < 22050; ++i) {
            const auto s = qint16(8000 * std::sin(2 * M_PI * 440 * i / 22050.0));
            wave.pcm.append(char(s & 0xff)).append(char((s >> 8) & 0xff));
        }
        return wave;
    }
    bool isRecording() const override { return m_recording; }
    double level() const override { return 0; }
    qint64 recordedMs() const override { return 0; }

private:
    bool m_recording = false;
};

void StopToFirstSampleOfPlayback(benchmark::State& state) {
    nibsy::bench::BenchPlatform platform(state, {"sedit5.ini"});
    if (!platform.ready()) {
        return;
    }
    if (QMediaDevices::defaultAudioOutput().isNull()) {
        state.SkipWithError("no audio output (start a sound server)");
        return;
    }
    SoundFolder folder;
    auto* player = new nibsy::QtSoundPlayer;
    nibsy::services().sound.reset(player);
    nibsy::services().recorder = std::make_unique<ToneRecorder>();
    auto* window = nibsy::openWindow<nibsy::frmSEdit>(nullptr);
    QCoreApplication::processEvents();
    for (auto _ : state) {
        window->cmdRecord_Click();
        QElapsedTimer since;
        double firstSampleMs = -1;
        // Looks, while the playback holds the handler, for the sink's first processed sample.
        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout, [&] {
            const QAudioSink* sink = player->sink();
            if (firstSampleMs < 0 && sink && sink->state() == QAudio::ActiveState &&
                sink->processedUSecs() > 0) {
                firstSampleMs = double(since.nsecsElapsed()) / 1e6;
            }
        });
        watch.start(1);
        since.start();
        window->cmdStop_Click();
        watch.stop();
        state.SetIterationTime(firstSampleMs / 1000.0);
    }
    delete window;
    nibsy::services().sound.reset();
    QCoreApplication::processEvents();
}
BENCHMARK(StopToFirstSampleOfPlayback)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);

} // namespace
