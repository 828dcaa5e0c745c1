// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Closing Counting Fun by its frame while the song sings: the window goes after the line, no new line.

#include "letters/frmCount.h"
#include "platform/SSCommand.h"
#include "platform/Waits.h"
#include "support/WindowFixture.h"

#include <QFileInfo>

using namespace nibsy;
using namespace nibsy::test;

namespace {

// Asks the window to close, as the frame's close button does, when the named sound starts.
class CloseOnSound : public SoundPlayer {
public:
    CloseOnSound(std::unique_ptr<SoundPlayer> inner, QString name, QWidget* window)
        : m_inner(std::move(inner)), m_name(std::move(name)), m_window(window) {}
    void play(const QString& path, int mode) override {
        if (m_window && QFileInfo(path).fileName() == m_name) {
            const WaitScope waiting; // the line is being sung
            m_window->close();
        }
        m_inner->play(path, mode);
    }
    void stop() override { m_inner->stop(); }
    void beep() override { m_inner->beep(); }

private:
    std::unique_ptr<SoundPlayer> m_inner;
    QString m_name;
    QPointer<QWidget> m_window;
};

using CountingSong = WindowFixture<frmCount>;

} // namespace

TEST_F(CountingSong, ClosedByTheFrameDuringALineItEndsThereAndStartsNoOther) {
    open();
    FakeSound& heardSounds = fake.sound;
    // The number word's wait lets the next tick fall due; the close comes during the song line after it.
    services().sound = std::make_unique<CloseOnSound>(std::move(services().sound), "cnt1.wav", w);
    click(w->cmdChoice[0]);
    fake.clock.advance(600);
    for (int i = 0; i < 5; ++i) {
        QCoreApplication::processEvents();
        fake.clock.advance(500);
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(w.isNull());
    EXPECT_FALSE(heardSounds.names().contains("N2.wav")) << heardSounds.names().join(' ').toStdString();
}
