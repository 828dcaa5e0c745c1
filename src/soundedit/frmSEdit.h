// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Sound Editor: a grown-up picks one of the suite's spoken sounds from the list, hears it, and records
// their own voice over it (up to five seconds from the microphone), which then plays back at once. The old
// sound is replaced only once the new one is safely on disk, and every shipped sound can be put back from
// the read-only "originals" folder of the application directory.

#include "shell/ActivityWindow.h"

#include <QString>
#include <QStringList>

class QGroupBox;
class QLabel;
class QListWidget;
class QProgressBar;

namespace nibsy {

class SSCommand;
class WindowTimer;

class frmSEdit : public ActivityWindow {
    Q_OBJECT
public:
    static const ActivityDescriptor Activity;
    // The longest recording, in milliseconds.
    static constexpr int MaxRecordingMs = 5000;
    explicit frmSEdit(QWidget* opener);

    void Form_Load() override;

    QLabel* Label1;
    QListWidget* lstFiles;
    SSCommand* cmdPlay;
    QLabel* lblPlay;
    SSCommand* cmdRecord;
    QLabel* lblRecord;
    SSCommand* cmdStop;
    // The microphone's level while recording.
    QLabel* lblLevel;
    QProgressBar* prgLevel;
    SSCommand* cmdRestore;
    // Which sound is chosen, and what became of the last recording.
    QLabel* lblNote;
    QGroupBox* fraChoice;
    SSCommand* cmdHelp;
    SSCommand* cmdExit;
    WindowTimer* Timer1;
    WindowTimer* tmrLevel;

    bool recording() const { return Recording; }
    int currentSound() const { return CurrentSound; }
    // The folder of the shipped sounds, inside the application directory.
    static QString originalsFolder();

public slots:
    void lstFiles_Click();
    void lstFiles_DblClick();
    void cmdPlay_Click();
    void cmdRecord_Click();
    void cmdStop_Click();
    void Timer1_Timer();
    void tmrLevel_Timer();
    void cmdRestore_Click();

private:
    void Form_Unload() override;
    // Play and Record back in place, the list and Restore usable.
    void ShowReady();
    void ShowChosen();

    QStringList SoundFiles;
    QStringList SoundTitles;
    int CurrentSound = 0;
    bool Loading = false;
    bool Recording = false;
    // Fixed when Record is pressed: the file the recording replaces, and its title.
    QString RecordingFile;
    QString RecordingTitle;
};

} // namespace nibsy
