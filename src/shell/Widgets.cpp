// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/Widgets.h"

#include "platform/Fonts.h"
#include "platform/SSCommand.h"
#include "platform/Twips.h"
#include "shell/ActivityWindow.h"

#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QRadioButton>
#include <algorithm>

namespace nibsy {

QLabel* makeLabel(QWidget* parent, const QString& text, const QFont& font, Qt::Alignment align) {
    auto* label = new QLabel(text, parent);
    label->setFont(font);
    label->setAlignment(align);
    return label;
}

QFrame* makeOutline(QWidget* parent, const QColor& color, int lineWidth) {
    auto* frame = new QFrame(parent);
    frame->setFrameStyle(QFrame::Box | QFrame::Plain);
    frame->setLineWidth(lineWidth);
    setTextColor(frame, color);
    frame->setAttribute(Qt::WA_TransparentForMouseEvents);
    return frame;
}

SSCommand* makeButton(QWidget* parent, const QString& caption, const QFont& font) {
    auto* button = new SSCommand(caption, parent);
    button->setFont(font);
    return button;
}

SSCommand* makeButton(QWidget* parent, const QString& caption, const QFont& font, const QRect& twips,
                      std::function<void()> onClick) {
    SSCommand* button = makeButton(parent, caption, font);
    button->setGeometry(twipsRect(twips.x(), twips.y(), twips.width(), twips.height()));
    QObject::connect(button, &QPushButton::clicked, button, std::move(onClick));
    return button;
}

QRadioButton* makeOption(QWidget* parent, const QString& caption, const QFont& font, const QRect& twips,
                         std::function<void()> onClick) {
    auto* option = new QRadioButton(caption, parent);
    option->setFont(font);
    option->setGeometry(twipsRect(twips.x(), twips.y(), twips.width(), twips.height()));
    QObject::connect(option, &QRadioButton::clicked, option, std::move(onClick));
    return option;
}

CommandButtons makeCommandButtons(ActivityWindow* window, const CommandLayout& layout) {
    CommandButtons made;
    QWidget* parent = window;
    if (layout.frame) {
        made.frame = new QGroupBox(window);
        const QRect& at = *layout.frame;
        ActivityWindow::place(made.frame, at.x(), at.y(), at.width(), at.height());
        parent = made.frame;
    }
    struct Wanted {
        SSCommand** button;
        const char* caption;
        std::function<void()> onClick;
    };
    QList<Wanted> wanted;
    if (layout.onNew) {
        wanted.append({&made.cmdNew, "&New Game", layout.onNew});
    }
    if (layout.onOptions) {
        wanted.append({&made.cmdOptions, "&Options", layout.onOptions});
    }
    wanted.append({&made.cmdHelp, "&Help", [window] { window->cmdHelp_Click(); }});
    wanted.append({&made.cmdExit, "E&xit", [window] { window->cmdExit_Click(); }});

    const int columns = std::max(layout.columns, 1);
    // A first button on a row of its own spans it; the rest follow from the next row.
    const bool spanning = wanted.size() % columns != 0;
    for (int i = 0; i < wanted.size(); ++i) {
        const int cell = spanning && i > 0 ? i + columns - 1 : i;
        const QPoint at = layout.first.topLeft() +
                          QPoint(cell % columns * layout.step.x(), cell / columns * layout.step.y());
        const int width = layout.first.width() + (spanning && i == 0 ? (columns - 1) * layout.step.x() : 0);
        *wanted[i].button = makeButton(parent, QString::fromLatin1(wanted[i].caption), layout.font,
                                       QRect(at, QSize(width, layout.first.height())), wanted[i].onClick);
    }
    return made;
}

void makeCard(QLabel* card, const QFont& font, const QColor& color) {
    card->setAlignment(Qt::AlignCenter);
    card->setFont(font);
    card->setFrameStyle(QFrame::Box | QFrame::Plain);
    card->setLineWidth(2);
    card->setAutoFillBackground(true);
    QPalette pal = card->palette();
    pal.setColor(QPalette::Window, Qt::white);
    pal.setColor(QPalette::WindowText, color);
    card->setPalette(pal);
}

void ClickLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) && onClick) {
        onClick();
    }
}

namespace {
class KeyPressFilter : public QObject {
public:
    KeyPressFilter(QObject* parent, std::function<void(int&)> handler)
        : QObject(parent), m_handler(std::move(handler)) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) {
            return false;
        }
        const QString text = static_cast<QKeyEvent*>(event)->text();
        if (text.isEmpty() || text == QStringLiteral("\t")) {
            return false;
        }
        const char16_t c = text[0].unicode();
        if (text.size() == 1 && c < 8) {
            return false;
        }
        int ascii = text.size() == 1 && c < 127 ? int(c) : 127;
        m_handler(ascii);
        return ascii == 0;
    }

private:
    std::function<void(int&)> m_handler;
};
} // namespace

void filterKeyPresses(QWidget* box, std::function<void(int&)> handler) {
    box->installEventFilter(new KeyPressFilter(box, std::move(handler)));
}

Picture downArrowPicture(QSize size, const QColor& background) {
    QImage image = deviceImage(size, screenRatio());
    image.fill(background);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(128, 0, 0), 2));
    painter.setBrush(QColor(255, 0, 0));
    const double w = size.width();
    const double h = size.height();
    const QPointF points[] = {{w * 0.33, 2},  {w * 0.67, 2}, {w * 0.67, h * 0.48}, {w - 3, h * 0.48},
                              {w / 2, h - 2}, {3, h * 0.48}, {w * 0.33, h * 0.48}};
    painter.drawPolygon(points, 7);
    return Picture::fromImage(image);
}

Picture fittedPicture(const Picture& picture, QSize size) {
    if (picture.isNull() || size.isEmpty()) {
        return picture;
    }
    QImage image = deviceImage(size, screenRatio());
    image.fill(Qt::transparent);
    const QRectF room =
        QRectF(QPointF(), QSizeF(size))
            .adjusted(size.width() * 0.05, size.height() * 0.05, -size.width() * 0.05, -size.height() * 0.05);
    QRectF target = room;
    const QSize natural = picture.size();
    if (natural.width() > 0 && natural.height() > 0) {
        const QSizeF shown = QSizeF(natural).scaled(room.size(), Qt::KeepAspectRatio);
        target = QRectF(QPointF(0, 0), shown);
        target.moveCenter(room.center());
    }
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    picture.draw(painter, target);
    painter.end();
    return Picture::fromImage(image);
}

} // namespace nibsy
