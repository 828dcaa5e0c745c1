// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/FakePlatform.h"

#include "platform/Printing.h"

#include <QFileInfo>
#include <algorithm>

namespace nibsy::test {

void FakeSound::play(const QString& path, int mode) {
    played.append({QFileInfo(path).fileName(), mode});
    if (mode == 0)
        clock().wait(lengthMs);
}

QStringList FakeSound::names() const {
    QStringList out;
    for (const auto& p : played)
        out << p.name;
    return out;
}

bool FakeRecorder::start(qint64 maxMs) {
    m_startMs = clock().monotonicMs();
    m_maxMs = maxMs;
    m_recording = microphone;
    return microphone;
}

qint64 FakeRecorder::recordedMs() const {
    return m_recording ? std::min(clock().monotonicMs() - m_startMs, m_maxMs) : 0;
}

WaveFile FakeRecorder::stop() {
    WaveFile wave;
    wave.pcm = QByteArray(recordedMs() * 22050 / 1000 * 2, '\0');
    m_recording = false;
    return wave;
}

// Puts a new fake of type F into the service slot and returns it.
template <typename F, typename Slot> static F& install(Slot& slot) {
    slot = std::make_unique<F>();
    return static_cast<F&>(*slot);
}

FakePlatform::FakePlatform(const QString& appDir)
    : sound(install<FakeSound>(services().sound)), recorder(install<FakeRecorder>(services().recorder)),
      clock(install<FakeClock>(services().clock)), random(install<FakeRandom>(services().random)),
      dialogs(install<FakeDialogs>(services().dialogs)), help(install<FakeHelp>(services().help)),
      fatal(install<FakeFatal>(services().fatal)) {
    AppFiles::setAppDir(appDir.isEmpty() ? m_tempAppDir.path() : appDir);
    services().pictures = std::make_unique<Pictures>();
    services().printer = std::make_unique<PdfPrinter>(m_scratch.path() + QStringLiteral("/printout.pdf"));
}

FakePlatform::~FakePlatform() {
    clearServices();
    AppFiles::setAppDir(m_savedAppDir);
}

} // namespace nibsy::test
