// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Scaling.h"

#include <QSettings>
#include <QString>
#include <QtGui/private/qhighdpiscaling_p.h>
#include <algorithm>
#include <cmath>

namespace nibsy {

namespace {

constexpr double Share = 0.6; // of the screen's width, for the main menu
constexpr double Step = 0.25;

QSettings displaySettings() {
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("nibsy"),
                     QStringLiteral("display"));
}

const QString ScaleKey = QStringLiteral("scale");

// Down to a quarter step, from 1 to 4.
double inSteps(double factor) {
    return std::clamp(std::floor(factor / Step) * Step, MinScale, MaxScale);
}

} // namespace

double fittingScale(QSize screen, int menuWidth, int tallest) {
    if (screen.isEmpty() || menuWidth <= 0) {
        return MinScale;
    }
    double factor = Share * screen.width() / menuWidth;
    if (tallest > 0) {
        factor = std::min(factor, double(screen.height()) / tallest);
    }
    return inSteps(factor);
}

double fullScreenScale(QSize screen, QSize largest) {
    if (screen.isEmpty() || largest.isEmpty()) {
        return MinScale;
    }
    const double fits =
        std::min(double(screen.width()) / largest.width(), double(screen.height()) / largest.height());
    return inSteps(fits);
}

std::optional<double> parseScale(QStringView text) {
    bool ok = false;
    const double factor = text.trimmed().toDouble(&ok);
    if (!ok || !(factor >= MinScale && factor <= MaxScale)) {
        return std::nullopt;
    }
    return factor;
}

std::optional<double> rememberedScale() {
    return parseScale(displaySettings().value(ScaleKey).toString());
}

void rememberScale(std::optional<double> factor) {
    QSettings settings = displaySettings();
    if (factor) {
        settings.setValue(ScaleKey, QString::number(*factor));
    } else {
        settings.remove(ScaleKey);
    }
}

void applyScale(double factor) {
    QHighDpiScaling::setGlobalFactor(std::clamp(factor, MinScale, MaxScale));
}

} // namespace nibsy
