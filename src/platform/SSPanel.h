// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A 3-D panel with a sunken bevel: a caption for panels used as labels, or a gauge flooded from the
// left with a colour up to a percentage, optionally showing "NN%".

#include <QWidget>

namespace nibsy {

class SSPanel : public QWidget {
    Q_OBJECT
public:
    explicit SSPanel(QWidget* parent = nullptr);

    // Clamped to 0..100.
    void setFloodPercent(int percent);
    int floodPercent() const { return m_percent; }
    void setFloodColor(const QColor& color);
    QColor floodColor() const { return m_floodColor; }
    // Shows the percentage, centred, instead of the caption.
    void setShowPercent(bool show);
    bool showPercent() const { return m_showPercent; }
    void setCaption(const QString& caption);
    QString caption() const { return m_caption; }

    // The part inside the bevel, which the flood fills.
    QRect inner() const;
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_percent = 0;
    QColor m_floodColor{0, 0, 255};
    bool m_showPercent = false;
    QString m_caption;
};

} // namespace nibsy
