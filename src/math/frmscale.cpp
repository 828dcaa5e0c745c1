// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "math/frmscale.h"

#include "platform/Fonts.h"
#include "platform/MessageBoxes.h"
#include "platform/Numbers.h"
#include "platform/PictureBox.h"
#include "platform/SSCommand.h"
#include "platform/Twips.h"
#include "shell/Palette.h"
#include "shell/Settings.h"
#include "shell/Shared.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QFrame>
#include <QLabel>
#include <QPointer>

namespace nibsy {

namespace {

constexpr int FormWidth = 11400;
constexpr int FormHeight = 8640;
// Mark 0 is at this height; each mark lies MarkTwips below the one before.
constexpr int MarkTop = 1560;
constexpr int MarkTwips = 270;
constexpr int MaxCount = 10;

QFrame* makeLine(QWidget* parent, const QColor& color) {
    auto* line = new QFrame(parent);
    line->setAutoFillBackground(true);
    QPalette pal = line->palette();
    pal.setColor(QPalette::Window, color);
    line->setPalette(pal);
    return line;
}

QLabel* makeLabel(QWidget* parent, const QString& text, const QFont& font, Qt::Alignment align) {
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->setFont(font);
    label->setAlignment(align);
    return label;
}

} // namespace

const ActivityDescriptor frmscale::Activity{
    .menuIndex = NoMenuButton,
    .caption = "Number Scale",
    .helpContext = 3,
    .widthTwips = FormWidth,
    .heightTwips = FormHeight,
    .create = [](QWidget* opener) -> ActivityWindow* { return new frmscale(opener); },
    .background = QColor(208, 232, 255)};

frmscale::frmscale(QWidget* opener) : ActivityWindow(opener, Activity) {
    Label4 = makeLabel(this, "Number Scale", comicFont(22, true), Qt::AlignCenter);
    place(Label4, 0, 0, FormWidth, 660);

    // The marks first, so everything else lies over them.
    for (int i = 0; i <= 20; ++i) {
        const int y = MarkTop + i * MarkTwips;
        Line3[size_t(i)] = makeLine(this, QColor(160, 184, 208));
        place(Line3[size_t(i)], 720, y, FormWidth - 1440, 15);
        Label1[size_t(i)] =
            makeLabel(this, QString::number(i), comicFont(9, true), Qt::AlignRight | Qt::AlignVCenter);
        place(Label1[size_t(i)], 60, y - 135, 480, 270);
        Label1[size_t(21 + i)] =
            makeLabel(this, QString::number(i), comicFont(9, true), Qt::AlignLeft | Qt::AlignVCenter);
        place(Label1[size_t(21 + i)], FormWidth - 540, y - 135, 480, 270);
    }

    Line2 = makeLine(this, QColor(96, 64, 32));
    place(Line2, 5670, 660, 60, 420);
    Line1 = makeLine(this, QColor(96, 64, 32));
    place(Line1, 600, 1020, FormWidth - 1200, 75);
    Label5 = makeLabel(this, "Scale", comicFont(12, true), Qt::AlignCenter);
    place(Label5, 4800, 1140, 1800, 360);

    Label3 = makeLabel(this, QtDialogs::plainLines("Add-\r Left Click\r\rSubtract-\r Right Click"),
                       comicFont(12, true), Qt::AlignLeft | Qt::AlignVCenter);
    Label3->setAutoFillBackground(true);
    Label3->setFrameShape(QFrame::Box);
    Label3->setMargin(4);
    place(Label3, 4740, 2100, 1920, 1800);

    // Each side: its pan and pointer at the mark, the boxes hanging under the pan, their counts below.
    const int boxLeft[5] = {0, 1080, 2820, 7080, 8820};
    const int boxWidth = 1500;
    const int boxHeight = 780;
    for (int side = 1; side <= 2; ++side) {
        const bool left = side == 1;
        QFrame* pan = makeLine(this, QColor(96, 64, 32));
        place(pan, left ? 840 : 7020, MarkTop - 30, 3540, 60);
        m_string[size_t(side)] = makeLine(this, QColor(96, 64, 32));
        place(m_string[size_t(side)], (left ? 840 : 7020) + 1770 - 15, 1080, 30, MarkTop - 1080);
        Label2[size_t(side)] = makeLabel(this, left ? QStringLiteral("\u25C0") : QStringLiteral("\u25B6"),
                                         comicFont(14, true), Qt::AlignCenter);
        Label2[size_t(side)]->setStyleSheet("color: rgb(192, 0, 0)");
        place(Label2[size_t(side)], left ? 540 : FormWidth - 840, MarkTop - 180, 300, 360);
        m_side[size_t(side)].push_back({pan, pan->geometry()});
        m_side[size_t(side)].push_back({Label2[size_t(side)], Label2[size_t(side)]->geometry()});
    }
    for (int i = 1; i <= 4; ++i) {
        const size_t side = i <= 2 ? 1 : 2;
        QFrame* hanger = makeLine(this, QColor(96, 64, 32));
        place(hanger, boxLeft[i] + boxWidth / 2 - 15, MarkTop, 30, 240);
        auto* box = new PictureBox(this);
        box->setBackColor(QColor(255, 255, 255));
        box->setLongPressIsRightClick(true); // on a touch screen, a finger held on a box takes one off
        place(box, boxLeft[i], MarkTop + 240, boxWidth, boxHeight);
        connect(box, &PictureBox::MouseDown, this,
                [this, i](Qt::MouseButton button, Qt::KeyboardModifiers, double, double) {
                    picBox_MouseDown(i, button);
                });
        picBox[size_t(i)] = box;
        lblNumber[size_t(i)] = makeLabel(this, "0", comicFont(16, true), Qt::AlignCenter);
        place(lblNumber[size_t(i)], boxLeft[i], MarkTop + 240 + boxHeight, boxWidth, 480);
        for (QWidget* w : std::initializer_list<QWidget*>{hanger, box, lblNumber[size_t(i)]}) {
            m_side[side].push_back({w, w->geometry()});
        }
    }

    cmdClear = new SSCommand("&Clear", this);
    cmdHelp = new SSCommand("&Help", this);
    cmdExit = new SSCommand("&Stop", this);
    int top = 4500;
    for (SSCommand* button : {cmdClear, cmdHelp, cmdExit}) {
        button->setFont(comicFont(12, true));
        place(button, 4890, top, 1620, 600);
        top += 780;
    }
    connect(cmdClear, &SSCommand::clicked, this, &frmscale::cmdClear_Click);
    connect(cmdHelp, &SSCommand::clicked, this, &frmscale::cmdHelp_Click);
    connect(cmdExit, &SSCommand::clicked, this, &frmscale::cmdExit_Click);
}

void frmscale::Form_Load() {
    ActivityWindow::Form_Load();
    sndMove = FullPath("move.wav");
    sndWrong = FullPath("uhoh.wav");
    MarkStep = (Line3[20]->geometry().center().y() - Line3[0]->geometry().center().y()) / 20.0;
    for (int i = 1; i <= 4; ++i) {
        // A settings file may hold any number; a box holds 0 to 10 counters.
        settings().ScaleCount[size_t(i)] =
            qint16(clampSetting(settings().ScaleCount[size_t(i)], 0, MaxCount));
        lblNumber[size_t(i)]->setText(formatNumber(settings().ScaleCount[size_t(i)], "#0"));
        picBox_Paint(i);
    }
    PlaceScale();
}

void frmscale::showModal() {
    setWindowModality(Qt::ApplicationModal);
    QEventLoop loop;
    connect(this, &frmscale::closed, &loop, &QEventLoop::quit);
    connect(this, &QObject::destroyed, &loop, &QEventLoop::quit);
    show();
    raise();
    activateWindow();
    loop.exec();
}

void frmscale::closeEvent(QCloseEvent* event) {
    ActivityWindow::closeEvent(event);
    if (event->isAccepted()) {
        emit closed();
    }
}

void frmscale::picBox_MouseDown(int Index, Qt::MouseButton Button) {
    if (Index < 1 || Index > 4) {
        return;
    }
    int count = clampSetting(settings().ScaleCount[size_t(Index)], 0, MaxCount);
    if (Button == Qt::LeftButton) {
        if (count >= MaxCount) {
            PlayWave(sndWrong, 0);
            return;
        }
        count += 1;
    } else if (Button == Qt::RightButton) {
        if (count <= 0) {
            PlayWave(sndWrong, 0);
            return;
        }
        count -= 1;
    } else {
        return;
    }
    settings().ScaleCount[size_t(Index)] = qint16(count);
    lblNumber[size_t(Index)]->setText(formatNumber(count, "#0"));
    PlayWave(sndMove, 1);
    picBox_Paint(Index);
    const int side = Index <= 2 ? 1 : 2;
    moveSide(side, m_sideMark[size_t(side)] + (Button == Qt::LeftButton ? 1 : -1));
}

void frmscale::picBox_Paint(int Index) {
    if (Index < 1 || Index > 4) {
        return;
    }
    picBox[size_t(Index)]->Cls();
    const int count = clampSetting(settings().ScaleCount[size_t(Index)], 0, MaxCount);
    for (int k = 1; k <= count; ++k) {
        DrawCounter(Index, k);
    }
}

void frmscale::cmdClear_Click() {
    for (int i = 1; i <= 4; ++i) {
        settings().ScaleCount[size_t(i)] = 0;
        picBox[size_t(i)]->Cls();
        lblNumber[size_t(i)]->setText("0");
    }
    PlaceScale();
}

// Counter k (1 to 10) of a box: two rows of five, the second row half the box lower.
void frmscale::DrawCounter(int box, int k) {
    PictureBox& pic = *picBox[size_t(box)];
    const double w = pic.scaleWidth();
    const double h = pic.scaleHeight();
    const double x = (k <= 5 ? k - 1 : k - 6) * w / 5;
    const double y = k <= 5 ? 0 : h / 2;
    pic.setFillStyle(PictureBox::FillStyle::Solid);
    pic.setFillColor(QBColor(12));
    pic.setForeColor(QBColor(4));
    pic.Circle(x + w / 10, y + h / 4, std::min(w / 10, h / 4) * 0.8);
}

void frmscale::PlaceScale() {
    const auto& c = settings().ScaleCount;
    moveSide(1, clampSetting(c[1], 0, MaxCount) + clampSetting(c[2], 0, MaxCount));
    moveSide(2, clampSetting(c[3], 0, MaxCount) + clampSetting(c[4], 0, MaxCount));
}

void frmscale::moveSide(int side, int mark) {
    m_sideMark[size_t(side)] = mark;
    const int down = near(mark * MarkStep);
    for (const Hanging& h : m_side[size_t(side)]) {
        h.control->move(h.atZero.left(), h.atZero.top() + down);
    }
    QFrame* string = m_string[size_t(side)];
    const QWidget* pan = m_side[size_t(side)].front().control;
    string->setGeometry(string->x(), Line1->y(), string->width(), std::max(1, pan->y() - Line1->y()));
}

} // namespace nibsy
