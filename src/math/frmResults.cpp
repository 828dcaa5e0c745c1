// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "math/frmResults.h"

#include "platform/Fonts.h"
#include "platform/MessageBoxes.h"
#include "platform/Numbers.h"
#include "platform/SSCommand.h"
#include "platform/Services.h"
#include "shell/ActivityWindow.h"
#include "shell/OpenWindow.h"
#include "shell/Widgets.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QStyle>
#include <QStyleOptionFrame>
#include <algorithm>
#include <utility>

namespace nibsy {

QString PlayerName(const Settings::FourNames& names, int player) {
    if (player < 1 || player > 4) {
        return {};
    }
    const QString& name = names[size_t(player)];
    return name.trimmed().isEmpty() ? QStringLiteral("Player %1").arg(player) : name;
}

void makeNameBox(QLineEdit* box) {
    box->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[^\"]*")), box));
}

QString fittedName(const QString& name, const QWidget* where) {
    int width = where->contentsRect().width();
    if (const auto* label = qobject_cast<const QLabel*>(where)) {
        width -= 2 * label->margin();
    } else if (const auto* box = qobject_cast<const QLineEdit*>(where)) {
        // The text runs between the frame and the box's margins, and a box keeps 2 pixels clear either
        // side of it.
        QStyleOptionFrame option;
        option.initFrom(box);
        option.rect = box->rect();
        option.lineWidth =
            box->hasFrame() ? box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, box) : 0;
        const QMargins margins = box->textMargins();
        width = box->style()->subElementRect(QStyle::SE_LineEditContents, &option, box).width() -
                margins.left() - margins.right() - 2 * 2;
    }
    return QFontMetrics(where->font()).elidedText(name, Qt::ElideRight, std::max(width, 0));
}

QString turnMessage(const Settings::FourNames& names, int player, const QWidget* where, const QString& what) {
    return QtDialogs::plainLines(QStringLiteral("Player") + plainNumber(player) + QStringLiteral(":\r") +
                                 fittedName(PlayerName(names, player), where) + QStringLiteral("\r") + what);
}

frmResults::frmResults(QWidget* owner, ResultsBoard board)
    : OptionsDialog(owner, QString(), 4800, 4200), m_board(std::move(board)) {
    setObjectName(QStringLiteral("frmResults"));
    QPalette back = palette();
    back.setColor(QPalette::Window, QColor(255, 255, 192));
    setPalette(back);
    setAutoFillBackground(true);

    const QFont lineFont = comicFont(13, true);
    Label1[0] =
        makeLabel(this, QStringLiteral("These player(s) finished snowmen:"), lineFont, Qt::AlignCenter);
    ActivityWindow::place(Label1[0], 120, 180, 4560, 420);
    Label1[1] = makeLabel(this, QStringLiteral("Game Over."), lineFont, Qt::AlignCenter);
    ActivityWindow::place(Label1[1], 120, 660, 4560, 420);

    Shape1 = makeOutline(this, QColor(0, 0, 128), 3);
    ActivityWindow::place(Shape1, 600, 1200, 3600, 2100);
    for (int i = 0; i < 4; ++i) {
        lblWin[size_t(i)] = makeLabel(this, QString(), comicFont(16, true), Qt::AlignCenter);
        setTextColor(lblWin[size_t(i)], QColor(0, 0, 128));
        ActivityWindow::place(lblWin[size_t(i)], 720, 1290 + i * 480, 3360, 460);
    }

    cmdOK = makeButton(this, QStringLiteral("&OK"), comicFont(12, true), QRect(1800, 3480, 1200, 540),
                       [this] { cmdOK_Click(); });
    cmdOK->setDefault(true);
}

void frmResults::Form_Load() {
    setWindowTitle(m_board.title);
    Label1[0]->setText(m_board.line1);
    Label1[1]->setText(m_board.line2);
    // The board has four name labels: no more players are scanned.
    const int count = std::min(m_board.playerCount, 4);
    size_t next = 0;
    for (int i = 1; i <= count; ++i) {
        if (m_board.finished[size_t(i)]) {
            QLabel* label = lblWin[next++];
            label->setText(fittedName(PlayerName(m_board.names, i), label));
        }
    }
}

void ShowResults(QWidget* owner, const QString& title, const QString& line1, const QString& line2,
                 int playerCount, const FinishedFlags& finished, const Settings::FourNames& names,
                 int helpContext) {
    openModal<frmResults>(owner,
                          ResultsBoard{title, line1, line2, playerCount, finished, names, helpContext});
}

} // namespace nibsy
