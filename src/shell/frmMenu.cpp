// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/frmMenu.h"

#include "platform/Fonts.h"
#include "platform/PictureBox.h"
#include "platform/SSCommand.h"
#include "platform/Services.h"
#include "platform/Twips.h"
#include "shell/Activities.h"
#include "shell/ActivityWindow.h"
#include "shell/GrownUpGate.h"
#include "shell/InputGuard.h"
#include "shell/OpenWindow.h"
#include "shell/Settings.h"

#include <QCloseEvent>
#include <QFile>
#include <QLabel>
#include <QPainter>
#include <QSvgRenderer>

static void initShellResources() {
    Q_INIT_RESOURCE(shell);
}

namespace nibsy {

namespace {

struct Choice {
    const char* caption;
    int left;
    int top;
};

// Captions and places (twips) of the activity buttons, by index; index 0 is the sound editor's picture.
constexpr std::array<Choice, 16> kChoices{{
    {"", 360, 3240},
    {"Letter Fun", 2880, 240},
    {"Counting Fun", 2880, 960},
    {"Nibsy Math", 2880, 2400},
    {"Snowman Math", 2880, 3120},
    {"Telling Time", 5040, 240},
    {"Card Fun", 2880, 1680},
    {"Colors && Shapes", 5040, 960},
    {"Matching Fun", 5040, 1680},
    {"Barnyard Fun", 5040, 2400},
    {"Memory Game", 5040, 3120},
    {"Puzzle Time", 7200, 240},
    {"Bug Builder", 7200, 960},
    {"Tic Tac Toe", 7200, 1680},
    {"Treasure Maze", 7200, 2400},
    {"Balloon Popper", 7200, 3120},
}};

// A picture of the menu's own, drawn from its vector source at the size it is shown in device pixels;
// drawn any larger, it only costs start-up time and is scaled down again on the screen.
Picture resourcePicture(const QString& name, const QWidget* shownOn) {
    QSvgRenderer renderer(QStringLiteral(":/shell/") + name);
    QImage image(shownOn->size() * shownOn->devicePixelRatio(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter);
    return Picture::fromImage(image);
}

void placeTwips(QWidget* w, int left, int top, int width, int height) {
    w->setGeometry(twipsRect(left, top, width, height));
}

} // namespace

frmMenu::frmMenu(QWidget* parent) : QWidget(parent) {
    initShellResources();
    // F1 and the rest of a double-click are looked after for every window of the suite from here on.
    InputGuard::instance();
    setWindowTitle(QStringLiteral("Nibsy Learning, Version 5.0"));
    setFixedSize(twipsSize(9345, 4140));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(255, 255, 128));
    setPalette(pal);

    m_image1 = new PictureBox(this);
    m_image1->setObjectName(QStringLiteral("Image1"));
    placeTwips(m_image1, 120, 120, 2700, 3000);
    m_image1->setBackColor(QColor(255, 255, 128));
    m_image1->setPicture(resourcePicture(QStringLiteral("title.svg"), m_image1));

    const QFont comic = comicFont(12, true);
    for (int i = 0; i < 16; ++i) {
        auto* button = new SSCommand(this);
        button->setObjectName(QStringLiteral("cmdChoice%1").arg(i));
        button->setFont(comic);
        if (i == 0) {
            placeTwips(button, kChoices[0].left, kChoices[0].top, 615, 615);
            button->setPicture(resourcePicture(QStringLiteral("soundeditor.svg"), button));
            button->setToolTip(QStringLiteral("Sound Editor"));
        } else {
            button->setText(QString::fromLatin1(kChoices[size_t(i)].caption));
            placeTwips(button, kChoices[size_t(i)].left, kChoices[size_t(i)].top, 2055, 615);
        }
        connect(button, &QPushButton::clicked, this, [this, i] { cmdChoice_Click(i); });
        m_cmdChoice[size_t(i)] = button;
    }

    m_label1 = new QLabel(QStringLiteral("Sound Editor"), this);
    m_label1->setObjectName(QStringLiteral("Label1"));
    m_label1->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    const QFont labelFont = arialFont(8, true);
    m_label1->setFont(labelFont);
    placeTwips(m_label1, 60, 3870, 1215, 270);

    m_cmdHelp = new SSCommand(this);
    m_cmdHelp->setObjectName(QStringLiteral("cmdHelp"));
    m_cmdHelp->setText(QStringLiteral("&Help"));
    const QFont helpFont = arialFont(9, true);
    m_cmdHelp->setFont(helpFont);
    placeTwips(m_cmdHelp, 1200, 3240, 615, 615);
    connect(m_cmdHelp, &QPushButton::clicked, this, &frmMenu::cmdHelp_Click);

    m_cmdExit = new SSCommand(this);
    m_cmdExit->setObjectName(QStringLiteral("cmdExit"));
    placeTwips(m_cmdExit, 2040, 3240, 630, 615);
    m_cmdExit->setPicture(resourcePicture(QStringLiteral("exit.svg"), m_cmdExit));
    m_cmdExit->setToolTip(QStringLiteral("Exit"));
    connect(m_cmdExit, &QPushButton::clicked, this, &frmMenu::cmdExit_Click);

    // The grown-ups' Sound Editor comes last on the way round with Tab, and the menu opens with the focus
    // on the first activity, so that a child's Enter or Space never opens the editor.
    setTabOrder(m_cmdChoice[15], m_cmdChoice[0]);
    enableChoices();
}

void frmMenu::enableChoices() {
    for (int i = 0; i < 16; ++i) {
        m_cmdChoice[size_t(i)]->setEnabled(Activities::find(i) != nullptr);
    }
    m_cmdChoice[1]->setFocus();
}

bool frmMenu::Form_Load() {
    centreOnScreen(this);
    if (!LoadSettings()) {
        dialogs().critical(nullptr, QString::fromLatin1(kSettingsBroken));
        m_ended = true; // nothing is saved on the way out
        return false;
    }
    return true;
}

void frmMenu::cmdChoice_Click(int index) {
    const ActivityDescriptor* activity = Activities::find(index);
    if (!activity || (index == 0 && !grownUpAllows(this))) {
        return;
    }
    if (index == 0) {
        // Back from the Sound Editor, the focus is not left on its button.
        m_cmdChoice[1]->setFocus();
    }
    hide();
    openActivity(*activity, this);
}

void frmMenu::cmdHelp_Click() {
    help().showContents(this);
}

void frmMenu::cmdExit_Click() {
    if (grownUpAllows(this)) {
        endSuite(0);
    }
}

void frmMenu::endSuite(int status) {
    if (m_ended) {
        return;
    }
    m_ended = true;
    if (!SaveSettings()) {
        dialogs().critical(this, QStringLiteral("The settings could not be saved in %1. The last saved "
                                                "settings are kept.")
                                     .arg(QString::fromLatin1(kSettingsFile)));
        status = 1;
    }
    emit suiteEnded(status);
}

void frmMenu::closeEvent(QCloseEvent* event) {
    if (kioskMode() && event->spontaneous() && !m_ended) {
        // Closed by its frame or Alt+F4: the gate is asked once the event is over, and the menu stays.
        event->ignore();
        askGrownUpLater(this, [this] { endSuite(0); });
        return;
    }
    endSuite(0);
    event->accept();
}

} // namespace nibsy
