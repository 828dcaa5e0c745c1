// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "soundedit/frmSEdit.h"

#include "platform/AppFiles.h"
#include "platform/Fonts.h"
#include "platform/Picture.h"
#include "platform/SSCommand.h"
#include "platform/SafeFile.h"
#include "platform/Services.h"
#include "platform/WaveFile.h"
#include "platform/WindowTimer.h"
#include "shell/Shared.h"
#include "shell/Widgets.h"
#include "soundedit/SEditCatalogue.h"

#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPainterPath>
#include <QProgressBar>
#include <cmath>

namespace nibsy {

namespace {

constexpr int WindowWidth = 7800;
constexpr int WindowHeight = 6180;
constexpr int ListLeft = 240;
constexpr int ListWidth = 4380;
constexpr int SideLeft = 4860;
constexpr int SideWidth = 2700;
constexpr int ButtonSize = 1080;
constexpr int PlayTop = 660;
constexpr int RecordTop = 1920;
constexpr int LevelRefreshMs = 50;

const QColor Background(204, 229, 255);
const QColor Ink(0, 0, 128);

// The pictures of the Play, Record and Stop buttons, drawn as vectors on a grid of 128.
enum class Icon { Play, Record, Stop };

Picture iconPicture(Icon icon) {
    constexpr int Size = 128;
    return Picture::fromDrawing({Size, Size}, [icon](QPainter& painter) {
        painter.setPen(QPen(QColor(40, 40, 40), 4));
        switch (icon) {
        case Icon::Play: {
            QPainterPath arrow;
            arrow.moveTo(32, 16);
            arrow.lineTo(112, 64);
            arrow.lineTo(32, 112);
            arrow.closeSubpath();
            painter.setBrush(QColor(0, 160, 60));
            painter.drawPath(arrow);
            break;
        }
        case Icon::Record:
            painter.setBrush(QColor(220, 30, 30));
            painter.drawEllipse(QRectF(16, 16, 96, 96));
            break;
        case Icon::Stop:
            painter.setBrush(QColor(30, 30, 60));
            painter.drawRect(QRectF(24, 24, 80, 80));
            break;
        }
    });
}

SSCommand* pictureButton(QWidget* parent, Icon icon, const QString& name, int top,
                         std::function<void()> onClick) {
    SSCommand* button = makeButton(parent, QString(), comicFont(12),
                                   QRect(SideLeft, top, ButtonSize, ButtonSize), std::move(onClick));
    button->setPicture(iconPicture(icon));
    button->setToolTip(name);
    return button;
}

QByteArray contentsOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString quoted(const QString& title) {
    return QStringLiteral("\u201c%1\u201d").arg(title);
}

} // namespace

const ActivityDescriptor frmSEdit::Activity{
    .menuIndex = 0,
    .caption = "Nibsy Learning Sound Editor",
    .helpContext = 16,
    .widthTwips = WindowWidth,
    .heightTwips = WindowHeight,
    .create = [](QWidget* opener) -> ActivityWindow* { return new frmSEdit(opener); },
    .background = Background};

QString frmSEdit::originalsFolder() {
    // Installed, the shipped sounds are the originals, and a recording lies in the user's folder.
    return AppFiles::installed() ? AppFiles::shippedDir() : AppFiles::userDir() + QStringLiteral("originals");
}

frmSEdit::frmSEdit(QWidget* opener) : ActivityWindow(opener, Activity) {
    setObjectName(QStringLiteral("frmSEdit"));

    Label1 = makeLabel(this, QStringLiteral("Recordable Sounds:"), comicFont(14, true),
                       Qt::AlignLeft | Qt::AlignVCenter);
    setTextColor(Label1, Ink);
    place(Label1, ListLeft, 180, ListWidth, 420);
    lstFiles = new QListWidget(this);
    lstFiles->setObjectName(QStringLiteral("lstFiles"));
    lstFiles->setFont(arialFont(12, true));
    // Long titles wrap instead of hiding behind a sideways scroll.
    lstFiles->setWordWrap(true);
    lstFiles->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    place(lstFiles, ListLeft, PlayTop, ListWidth, 4620);
    connect(lstFiles, &QListWidget::currentRowChanged, this, [this] { lstFiles_Click(); });
    connect(lstFiles, &QListWidget::itemDoubleClicked, this, [this] { lstFiles_DblClick(); });

    const auto sideLabel = [this](const QString& text, int top) {
        QLabel* label = makeLabel(this, text, comicFont(16, true), Qt::AlignLeft | Qt::AlignVCenter);
        setTextColor(label, Ink);
        place(label, SideLeft + ButtonSize + 180, top, SideWidth - ButtonSize - 180, ButtonSize);
        return label;
    };
    cmdPlay = pictureButton(this, Icon::Play, QStringLiteral("Play"), PlayTop, [this] { cmdPlay_Click(); });
    lblPlay = sideLabel(QStringLiteral("Play"), PlayTop);
    cmdRecord =
        pictureButton(this, Icon::Record, QStringLiteral("Record"), RecordTop, [this] { cmdRecord_Click(); });
    lblRecord = sideLabel(QStringLiteral("Record"), RecordTop);
    // Stop takes Record's place while a recording runs.
    cmdStop = pictureButton(this, Icon::Stop, QStringLiteral("Stop"), RecordTop, [this] { cmdStop_Click(); });
    cmdStop->hide();

    lblLevel =
        makeLabel(this, QStringLiteral("Microphone:"), comicFont(11, true), Qt::AlignLeft | Qt::AlignBottom);
    setTextColor(lblLevel, Ink);
    place(lblLevel, SideLeft, 3120, SideWidth, 300);
    lblLevel->hide();
    prgLevel = new QProgressBar(this);
    prgLevel->setObjectName(QStringLiteral("prgLevel"));
    prgLevel->setTextVisible(false);
    place(prgLevel, SideLeft, 3450, SideWidth, 330);
    prgLevel->hide();

    cmdRestore = makeButton(this, QStringLiteral("Restore &Original"), comicFont(12, true),
                            QRect(SideLeft, 3960, SideWidth, 600), [this] { cmdRestore_Click(); });

    const CommandButtons buttons = makeCommandButtons(this, {.frame = QRect(SideLeft, 4680, SideWidth, 1020),
                                                             .first = QRect(120, 240, 1170, 660),
                                                             .columns = 2,
                                                             .step = {1290, 0},
                                                             .font = comicFont(12, true)});
    fraChoice = buttons.frame;
    cmdHelp = buttons.cmdHelp;
    cmdExit = buttons.cmdExit;

    lblNote = makeLabel(this, QString(), arialFont(10, true), Qt::AlignLeft | Qt::AlignVCenter);
    lblNote->setWordWrap(true);
    setTextColor(lblNote, Ink);
    place(lblNote, ListLeft, 5340, ListWidth, 660);

    Timer1 = new WindowTimer(this, MaxRecordingMs);
    Timer1->onTick([this] { Timer1_Timer(); });
    tmrLevel = new WindowTimer(this, LevelRefreshMs);
    tmrLevel->onTick([this] { tmrLevel_Timer(); });

    setTabOrder(lstFiles, cmdPlay);
    setTabOrder(cmdPlay, cmdRecord);
    setTabOrder(cmdRecord, cmdStop);
    setTabOrder(cmdStop, cmdRestore);
}

void frmSEdit::Form_Load() {
    ActivityWindow::Form_Load();
    Loading = true;
    // Left by a save that never finished.
    SafeFile::removeStaleTemporaries(AppFiles::userDir());
    const SEditCatalogue catalogue = SEditCatalogue::load();
    if (catalogue.status == SEditCatalogue::Status::Missing) {
        dialogs().critical(nullptr, catalogue.message());
        unload();
        return;
    }
    SoundFiles = catalogue.files;
    SoundTitles = catalogue.titles;
    lstFiles->addItems(SoundTitles);
    CurrentSound = 0;
    lstFiles->setCurrentRow(0);
    // A spare copy of the first sound; that it cannot be made matters to nobody.
    (void)SafeFile::copy(FullPath(SoundFiles[0]), AppFiles::writable(QStringLiteral("xjunk.wav")));
    ShowChosen();
    lstFiles->setFocus();
    Loading = false;
    if (catalogue.status == SEditCatalogue::Status::Short) {
        dialogs().information(nullptr, catalogue.message());
    }
}

void frmSEdit::lstFiles_Click() {
    if (Loading || lstFiles->currentRow() < 0) {
        return;
    }
    CurrentSound = lstFiles->currentRow();
    ShowChosen();
}

void frmSEdit::lstFiles_DblClick() {
    lstFiles_Click();
    cmdPlay_Click();
}

void frmSEdit::cmdPlay_Click() {
    if (Recording) {
        return;
    }
    cmdPlay->hide();
    lblRecord->hide();
    cmdRecord->hide();
    lblPlay->setText(QStringLiteral("Playing ..."));
    lblPlay->repaint();
    PlayWave(FullPath(SoundFiles[CurrentSound]), 0);
    lblPlay->setText(QStringLiteral("Play"));
    ShowReady();
}

void frmSEdit::cmdRecord_Click() {
    if (Recording) {
        return;
    }
    RecordingFile = AppFiles::writable(SoundFiles[CurrentSound]);
    RecordingTitle = SoundTitles[CurrentSound];
    if (!recorder().start(MaxRecordingMs)) {
        dialogs().information(this, QStringLiteral("No microphone was found, so nothing can be recorded. %1 "
                                                   "is unchanged.")
                                        .arg(quoted(RecordingTitle)));
        return;
    }
    Recording = true;
    Timer1->setEnabled(true);
    tmrLevel->setEnabled(true);
    lblPlay->hide();
    cmdPlay->hide();
    cmdRecord->hide();
    lstFiles->setEnabled(false);
    cmdRestore->setEnabled(false);
    lblRecord->setText(QStringLiteral("Recording"));
    prgLevel->setValue(0);
    lblLevel->show();
    prgLevel->show();
    cmdStop->show();
    cmdStop->setFocus();
    lblNote->setText(QStringLiteral("Speak now: recording %1. It stops by itself after %2 seconds.")
                         .arg(quoted(RecordingTitle))
                         .arg(MaxRecordingMs / 1000));
}

void frmSEdit::Timer1_Timer() {
    cmdStop_Click();
}

void frmSEdit::tmrLevel_Timer() {
    prgLevel->setValue(int(std::lround(recorder().level() * 100)));
}

void frmSEdit::cmdStop_Click() {
    if (!Recording) {
        return;
    }
    Recording = false;
    Timer1->setEnabled(false);
    tmrLevel->setEnabled(false);
    const WaveFile take = recorder().stop();
    cmdStop->hide();
    lblLevel->hide();
    prgLevel->hide();
    lblRecord->setText(QStringLiteral("Record"));
    lblPlay->show();
    if (take.frameCount() == 0) {
        ShowReady();
        lblNote->setText(
            QStringLiteral("Nothing was recorded, so %1 is unchanged.").arg(quoted(RecordingTitle)));
        return;
    }
    if (!take.writeFile(RecordingFile)) {
        ShowReady();
        lblNote->setText(QString());
        dialogs().critical(this, QStringLiteral("Your recording could not be saved: the file %1 cannot be "
                                                "written. The old sound of %2 is kept.")
                                     .arg(QDir::toNativeSeparators(RecordingFile), quoted(RecordingTitle)));
        return;
    }
    AppFiles::rescan();
    lblNote->setText(QStringLiteral("Your recording of %1 is saved.").arg(quoted(RecordingTitle)));
    cmdPlay_Click();
}

void frmSEdit::cmdRestore_Click() {
    if (Recording) {
        return;
    }
    const QString title = quoted(SoundTitles[CurrentSound]);
    const QString original = AppFiles::findIn(originalsFolder(), SoundFiles[CurrentSound]);
    if (original.isEmpty()) {
        dialogs().information(this,
                              QStringLiteral("There is no original sound of %1 to put back.").arg(title));
        return;
    }
    const QString file = FullPath(SoundFiles[CurrentSound]);
    if (contentsOf(original) == contentsOf(file)) {
        dialogs().information(this, QStringLiteral("%1 is the original sound already.").arg(title));
        return;
    }
    if (!dialogs().okCancel(this,
                            QStringLiteral("Put the original sound of %1 back in place of the one there "
                                           "now?")
                                .arg(title))) {
        return;
    }
    if (AppFiles::installed() ? !QFile::remove(file) : !SafeFile::copy(original, file)) {
        dialogs().critical(
            this, QStringLiteral("The original sound of %1 could not be put back: the file %2 "
                                 "cannot be %3.")
                      .arg(title, QDir::toNativeSeparators(file),
                           AppFiles::installed() ? QStringLiteral("removed") : QStringLiteral("written")));
        return;
    }
    AppFiles::rescan();
    lblNote->setText(QStringLiteral("The original sound of %1 is back.").arg(title));
    cmdPlay_Click();
}

void frmSEdit::ShowReady() {
    cmdPlay->show();
    lblRecord->show();
    cmdRecord->show();
    lstFiles->setEnabled(true);
    cmdRestore->setEnabled(true);
    lstFiles->setFocus();
}

void frmSEdit::ShowChosen() {
    lblNote->setText(
        QStringLiteral("%1 (%2)").arg(quoted(SoundTitles[CurrentSound]), SoundFiles[CurrentSound]));
}

void frmSEdit::Form_Unload() {
    Timer1->setEnabled(false);
    tmrLevel->setEnabled(false);
    if (Recording) {
        // The recording is let go; the sound it was to replace has not been touched.
        Recording = false;
        (void)recorder().stop();
    }
}

} // namespace nibsy
