// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/GrownUpGate.h"

#include "platform/Fonts.h"
#include "platform/Random.h"
#include "platform/SSCommand.h"
#include "platform/Services.h"
#include "platform/Waits.h"
#include "shell/Widgets.h"

#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QVBoxLayout>

namespace nibsy {

namespace {
bool g_kiosk = false;
} // namespace

bool kioskMode() {
    return g_kiosk;
}

void setKioskMode(bool on) {
    g_kiosk = on;
}

bool grownUpAllows(QWidget* parent) {
    if (!g_kiosk) {
        return true;
    }
    GrownUpGate gate(parent);
    return gate.exec() == QDialog::Accepted;
}

void askGrownUpLater(QWidget* window, std::function<void()> allowed) {
    QTimer::singleShot(0, window, [window, allowed = std::move(allowed)] {
        Waits::runWhenIdle(window, [window, allowed] {
            if (grownUpAllows(window)) {
                allowed();
            }
        });
    });
}

GrownUpGate::GrownUpGate(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("For Grown-Ups"));
    const int a = rnd().upTo(4) + 5;
    const int b = rnd().upTo(4) + 5;
    m_answer = a * b;
    lblQuestion = makeLabel(this, QStringLiteral("Type the answer: %1 \u00d7 %2").arg(a).arg(b),
                            arialFont(14, true), Qt::AlignCenter);
    txtAnswer = new QLineEdit(this);
    txtAnswer->setFont(arialFont(14, true));
    txtAnswer->setAlignment(Qt::AlignCenter);
    txtAnswer->setValidator(new QIntValidator(0, 999, txtAnswer));
    cmdOK = makeButton(this, QStringLiteral("OK"), arialFont(10, true));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblQuestion);
    layout->addWidget(txtAnswer);
    layout->addWidget(cmdOK, 0, Qt::AlignCenter);
    connect(cmdOK, &QPushButton::clicked, this, &GrownUpGate::cmdOK_Click);
    connect(txtAnswer, &QLineEdit::returnPressed, this, &GrownUpGate::cmdOK_Click);
    txtAnswer->setFocus();
}

void GrownUpGate::cmdOK_Click() {
    bool ok = false;
    const int typed = txtAnswer->text().toInt(&ok);
    done(ok && typed == m_answer ? Accepted : Rejected);
}

} // namespace nibsy
