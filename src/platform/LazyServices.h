// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Services made when first used. The real sound player and printer bring in Qt Multimedia, Qt Print
// Support and CUPS (and through them the sound server's and print system's libraries); the suite loads
// them only when the first sound plays or the first page prints, so the menu shows without them.

#include "platform/Services.h"

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

} // namespace nibsy
