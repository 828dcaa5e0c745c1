// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/HelpWindow.h"

#include "platform/AppFiles.h"
#include "platform/Centring.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFile>
#include <QHBoxLayout>
#include <QPushButton>
#include <QShortcut>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>
#include <QWidget>

namespace nibsy {

// The window: the page in a browser, with Contents and Close buttons below.
class HelpWindow : public QWidget {
public:
    HelpWindow() {
        setWindowTitle(QStringLiteral("Nibsy Learning Help"));
        setAttribute(Qt::WA_QuitOnClose, false);
        resize(640, 520);

        m_browser = new QTextBrowser(this);
        m_browser->setObjectName(QStringLiteral("helpBrowser"));
        m_browser->setOpenLinks(false);
        m_browser->setOpenExternalLinks(false);
        auto* contents = new QPushButton(QStringLiteral("&Contents"), this);
        contents->setObjectName(QStringLiteral("contentsButton"));
        auto* close = new QPushButton(QStringLiteral("Close"), this);
        close->setObjectName(QStringLiteral("closeButton"));

        auto* buttons = new QHBoxLayout;
        buttons->addWidget(contents);
        buttons->addStretch(1);
        buttons->addWidget(close);
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(m_browser, 1);
        layout->addLayout(buttons);

        connect(contents, &QPushButton::clicked, this, [this] { go(HelpFile::contentsId()); });
        connect(close, &QPushButton::clicked, this, &QWidget::close);
        // Escape closes the window, as it does a dialog.
        connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this,
                &QWidget::close);
        connect(m_browser, &QTextBrowser::anchorClicked, this, &HelpWindow::follow);
    }

    // Shows that page of the document; false (and nothing changes) when the document has no such page.
    bool showPage(const QString& html, const QString& id) {
        const auto page = HelpFile::page(html, id);
        if (!page) {
            return false;
        }
        m_html = html;
        m_browser->setSearchPaths({AppFiles::userDir(), AppFiles::shippedDir()});
        m_browser->setHtml(*page);
        m_browser->moveCursor(QTextCursor::Start);
        return true;
    }

private:
    void go(const QString& id) {
        if (!showPage(m_html, id)) {
            dialogs().information(this, QStringLiteral("There is no help on this topic yet."));
        }
    }

    void follow(const QUrl& url) {
        if (const auto target = HelpFile::linkTarget(url)) {
            go(*target);
        } else if (url.scheme().isEmpty() && url.path().isEmpty() && url.hasFragment()) {
            m_browser->scrollToAnchor(url.fragment());
        } else if (url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https") ||
                   url.scheme() == QLatin1String("mailto")) {
            QDesktopServices::openUrl(url);
        }
    }

    QTextBrowser* m_browser = nullptr;
    QString m_html;
};

QtHelpViewer::QtHelpViewer() = default;

QtHelpViewer::~QtHelpViewer() {
    // Widgets can only be destroyed while the application lives; at exit the process takes the rest.
    if (m_window && QCoreApplication::instance()) {
        delete m_window.data();
    }
}

QWidget* QtHelpViewer::window() const {
    return m_window.data();
}

void QtHelpViewer::showContents(QWidget* owner) {
    show(owner, HelpFile::contentsId());
}

void QtHelpViewer::showContext(QWidget* owner, int context) {
    show(owner, HelpFile::topicId(context));
}

void QtHelpViewer::show(QWidget* owner, const QString& id) {
    QFile file(AppFiles::resolve(HelpFile::fileName()));
    if (!file.open(QIODevice::ReadOnly)) {
        dialogs().information(
            owner, QStringLiteral("The help file nibsy.hlp is missing. Please reinstall the program."));
        return;
    }
    const QString html = QString::fromUtf8(file.readAll());
    if (!m_window) {
        m_window = new HelpWindow;
    }
    if (!m_window->showPage(html, id)) {
        dialogs().information(owner, QStringLiteral("There is no help on this topic yet."));
        return;
    }
    // A modal window (an options window, the number scale) blocks every window but its own children.
    // Help asked for while one is open is modal itself, so it comes in front of it and takes input
    // until it is closed; asked for otherwise it is an ordinary window beside the activity.
    const QWidget* modal = QApplication::activeModalWidget();
    const Qt::WindowModality modality = modal && modal != m_window ? Qt::ApplicationModal : Qt::NonModal;
    if (m_window->windowModality() != modality) {
        m_window->hide(); // a window takes its new modality when it is shown again
        m_window->setWindowModality(modality);
    }
    if (!m_window->isVisible()) {
        // It opens in the middle of the screen, where a parent looks for it, as every window does.
        centreOnScreen(m_window);
    }
    m_window->show();
    m_window->setWindowState(m_window->windowState() & ~Qt::WindowMinimized);
    m_window->raise();
    m_window->activateWindow();
}

} // namespace nibsy
