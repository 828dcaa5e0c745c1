// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
// A monkey: from the main menu, a seeded stream of a child's clicks, double-clicks, drags, keys and closes
// goes to whatever window is on top, and the clock moves on between them. After every event the suite
// must still hold together; the first breach ends the run with the seed and the event that found it.
//
//   nibsy_monkey [--seed N] [--events M] [--minutes T] [--real] [--report]
//
// By default the fake platform stands in for sound, clock, recorder and dialogs; --real uses the suite's
// own services (run under a real X server and sound server, as scripts/monkey.sh does). --report prints
// the events sent and the windows reached every few seconds. NIBSY_MONKEY_TRACE in the environment lists
// every event.
#include "ActivityList.h"
#include "platform/AppFiles.h"
#include "platform/Fonts.h"
#include "platform/PictureBox.h"
#include "platform/Printing.h"
#include "platform/Recorder.h"
#include "platform/Services.h"
#include "platform/Sound.h"
#include "platform/Waits.h"
#include "platform/WindowTimer.h"
#include "shell/ModeWindow.h"
#include "shell/Settings.h"
#include "shell/frmMenu.h"
#include "support/FakePlatform.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMouseEvent>
#include <QPointer>
#include <QStyleHints>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <malloc.h>
#include <map>
#include <memory>
#include <random>
#include <thread>

#if defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(undefined_behavior_sanitizer)
#include <sanitizer/allocator_interface.h>
#include <sanitizer/common_interface_defs.h>
#define NIBSY_MONKEY_SANITIZED 1
#endif
#endif

using namespace nibsy;

namespace {

// The windows a run must reach; one that does not has not done its work.
const QStringList kEveryWindow = {
    "frmMenu",  "frmLet", "frmCount", "optCount",    "frmTime",  "frmEMath",   "frmscale",
    "frmCards", "frmTic", "optTic",   "frmMatch",    "optMatch", "frmBarn",    "optbarn",
    "frmMem",   "optMem", "frmSnow",  "optSnow",     "frmBug",   "frmCSPMenu", "frmShape",
    "frmPatt",  "frmPuz", "frmMaze",  "frmBalloons", "frmSEdit", "frmResults"};

// What the watchdog and a sanitizer's last words need to know, shared with their threads.
std::atomic<quint32> g_seed{0};
std::atomic<long> g_event{0};
std::atomic<qint64> g_beat{0};
std::atomic<const char*> g_window{"frmMenu"};

// The heap the walk holds, in MB, without the memory the allocator keeps for later or its own records.
double heapMb() {
#ifdef NIBSY_MONKEY_SANITIZED
    return double(__sanitizer_get_current_allocated_bytes()) / (1 << 20);
#else
    const struct mallinfo2 info = mallinfo2();
    return double(info.uordblks + info.hblkhd) / (1 << 20);
#endif
}

qint64 steadyMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

QString className(const QWidget* w) {
    return QString::fromLatin1(w->metaObject()->className()).section(QStringLiteral("::"), -1);
}

// A fault of the program that the real services report: it ends the run as a breach.
class FatalIsBreach : public Fatal {
public:
    void fail(const QString& message) override {
        std::fprintf(stderr, "BREACH seed %u event %ld: fatal: %s\n", g_seed.load(), g_event.load(),
                     qPrintable(message));
        std::_Exit(2);
    }
};

class Monkey : public QObject {
public:
    Monkey(quint32 seed, long events, qint64 minutes, bool real, bool report)
        : m_rng(seed), m_seed(seed), m_events(events), m_minutes(minutes), m_real(real), m_report(report) {
        // The suite's data in a folder of the run's own, where the settings are written.
        for (const QFileInfo& file : QDir(test::builtAppDir()).entryInfoList(QDir::Files)) {
            QFile::copy(file.filePath(), m_appDir.filePath(file.fileName()));
        }
        if (m_real) {
            installRealServices();
            // Sound, recording and printing straight from the code the suite loads as its media module.
            services().sound = std::make_unique<QtSoundPlayer>();
            services().recorder = std::make_unique<QtRecorder>();
            services().fatal = std::make_unique<FatalIsBreach>();
            services().printer = std::make_unique<PdfPrinter>(m_appDir.filePath(QStringLiteral("print.pdf")));
        } else {
            m_fake = std::make_unique<test::FakePlatform>(m_appDir.path() + u'/');
            m_fake->random.setFixedSeed(seed);
        }
        AppFiles::setAppDir(m_appDir.path() + u'/');
        registerActivities();
        newMenu();
    }
    ~Monkey() override {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            w->close();
        }
        delete m_menu.data();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        for (QWidget* w : QApplication::topLevelWidgets()) {
            delete w;
        }
    }

    void start() {
        m_clock.start();
        m_lastReport = 0;
        QTimer::singleShot(0, this, [this] { step(); });
    }

    // Figures of the run, at its end.
    void summary() const {
        std::printf("monkey: %ld events, %d fresh menus, %.1f s\n", g_event.load(), m_freshMenus,
                    m_clock.elapsed() / 1000.0);
        for (const auto& [name, count] : m_perWindow) {
            std::printf("  %-12s %ld\n", qPrintable(name), count);
        }
    }
    QStringList missed() const {
        QStringList out;
        for (const QString& name : kEveryWindow) {
            if (!m_perWindow.count(name)) {
                out << name;
            }
        }
        return out;
    }

private:
    void newMenu() {
        m_menu = new frmMenu;
        if (!m_menu->Form_Load()) {
            breach(QStringLiteral("the menu could not read its settings"));
        }
        m_menu->enableChoices();
        // Exit on the menu would end the suite: its settings must read back, and a fresh menu starts.
        connect(m_menu, &frmMenu::suiteEnded, this, [this] { suiteEnded(); });
        m_menu->show();
    }

    void suiteEnded() {
        const Settings saved = settings();
        QFile file(m_appDir.filePath(QStringLiteral("nibsy51.ini")));
        const auto read = file.open(QIODevice::ReadOnly) ? parseSettings(file.readAll()) : std::nullopt;
        if (!read || !(*read == saved)) {
            breach(QStringLiteral("the settings saved at Exit do not read back"));
        }
        m_menu->hide();
        m_menu->deleteLater();
        settings() = Settings{};
        ++m_freshMenus;
        newMenu();
        if (!(settings() == saved)) {
            breach(QStringLiteral("a fresh menu does not load the settings saved"));
        }
    }

    [[noreturn]] void breach(const QString& what) {
        std::fprintf(stderr,
                     "BREACH seed %u event %ld in %s: %s\nreplay: nibsy_monkey --seed %u --events %ld\n",
                     m_seed, g_event.load(), g_window.load(), qPrintable(what), m_seed, g_event.load());
        std::fflush(stderr);
        std::_Exit(2);
    }

    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_rng); }
    bool chance(double p) { return std::uniform_real_distribution<double>(0, 1)(m_rng) < p; }

    // The window a child's input goes to: a modal window, or the one suite window shown.
    QWidget* topWindow() const {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            return modal;
        }
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (isSuiteWindow(w) && w->isVisible()) {
                return w;
            }
        }
        return nullptr;
    }
    static bool isSuiteWindow(const QWidget* w) {
        auto* activity = qobject_cast<const ActivityWindow*>(w);
        return (activity && !activity->closeAsked()) || qobject_cast<const frmMenu*>(w);
    }

    // One event, then the checks. The next event is asked for first: an event that opens a modal window
    // returns only once it is closed, and the walk goes on inside it meanwhile.
    void step() {
        g_beat = steadyMs();
        if (done()) {
            QApplication::exit(0);
            return;
        }
        // Input made during a real wait would be dropped by the window system's queue; none is sent. Nor
        // is any while an event is being handled, unless it opened a modal window whose loop runs now.
        QWidget* top = topWindow();
        if (Waits::busy() || m_busyIn.contains(top)) {
            QTimer::singleShot(m_real ? 5 : 0, this, [this] { step(); });
            return;
        }
        QTimer::singleShot(0, this, [this] { step(); });
        if (!top) {
            breach(QStringLiteral("no window is shown"));
        }
        m_busyIn << top;
        const long n = ++g_event;
        g_window = top->metaObject()->className();
        const QString name = className(top);
        ++m_perWindow[name];
        m_inWindow = top == m_lastTop ? m_inWindow + 1 : 0;
        m_lastTop = top;
        if (m_trace) {
            std::fprintf(stderr, "event %ld: %s\n", n, qPrintable(name));
        }
        send(top);
        g_window = m_busyIn.last() ? m_busyIn.last()->metaObject()->className() : "?";
        m_busyIn.removeLast();
        if (!done()) {
            check();
        }
        // For scripts/monkey.sh: the events so far and the windows reached, every few seconds.
        if (m_report && m_clock.elapsed() - m_lastReport >= 5000) {
            m_lastReport = m_clock.elapsed();
            QStringList reached;
            for (const auto& entry : m_perWindow) {
                reached << entry.first;
            }
            std::printf("status events=%ld heap=%.0f windows=%s missing=%s\n", n, heapMb(),
                        qPrintable(reached.join(u',')), qPrintable(missed().join(u',')));
            std::fflush(stdout);
        }
    }

    bool done() const { return m_minutes > 0 ? m_clock.elapsed() >= m_minutes * 60000 : g_event >= m_events; }

    // Controls of the window a child could hit: shown, enabled, and not the window's frame itself.
    QList<QWidget*> targets(QWidget* top) const {
        QList<QWidget*> out;
        for (QWidget* w : top->findChildren<QWidget*>()) {
            if (w->isVisibleTo(top) && w->isEnabled() && w->width() > 0 && w->height() > 0) {
                out << w;
            }
        }
        return out;
    }

    // The button that leaves the window: Exit, Stop or OK.
    static QAbstractButton* exitButton(QWidget* top) {
        for (QAbstractButton* b : top->findChildren<QAbstractButton*>()) {
            const QString t = b->text();
            if (b->isVisibleTo(top) && b->isEnabled() &&
                (t == QStringLiteral("E&xit") || t == QStringLiteral("&Stop") || t == QStringLiteral("&OK") ||
                 b->objectName() == QStringLiteral("cmdExit"))) {
                return b;
            }
        }
        return nullptr;
    }

    void mouse(QWidget* w, QEvent::Type type, QPoint at, Qt::MouseButton button, ulong gap) {
        m_stamp += gap;
        QMouseEvent event(type, at, w->mapToGlobal(at), button,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button),
                          Qt::NoModifier);
        event.setTimestamp(m_stamp);
        QApplication::sendEvent(w, &event);
    }
    void clickAt(QWidget* w, QPoint at, Qt::MouseButton button = Qt::LeftButton) {
        QPointer<QWidget> guard = w;
        mouse(w, QEvent::MouseButtonPress, at, button, 700 + ulong(pick(800)));
        if (guard) {
            mouse(w, QEvent::MouseButtonRelease, at, button, 1 + ulong(pick(60)));
        }
    }
    static QPoint somewhere(QWidget* w, std::mt19937& rng) {
        return {std::uniform_int_distribution<int>(0, w->width() - 1)(rng),
                std::uniform_int_distribution<int>(0, w->height() - 1)(rng)};
    }

    void send(QWidget* top) {
        QPointer<QWidget> window = top;
        const QList<QWidget*> controls = targets(top);
        QWidget* control = controls.isEmpty() ? top : controls[pick(int(controls.size()))];
        // A child plays on the pictures (cards, pieces, the dice) more than on anything else.
        if (QList<PictureBox*> boxes = top->findChildren<PictureBox*>(); !boxes.isEmpty() && chance(0.4)) {
            PictureBox* box = boxes[pick(int(boxes.size()))];
            control = box->isVisibleTo(top) && box->isEnabled() ? box : control;
        }
        const auto* mode = qobject_cast<const ModeWindow*>(top);
        // Now and then the child settles down to play a game that runs: for a while every event is a
        // click where the game asks, on the control it gave the focus, so that a game comes to its end
        // and shows its results board.
        if (mode && mode->running() && (m_playing != top || m_playFor <= 0) && chance(0.005)) {
            m_playing = top;
            m_playFor = 60;
        }
        if (QWidget* asked = top->focusWidget(); m_playing == top && mode && mode->running() &&
                                                 m_playFor-- > 0 && asked && asked->isVisibleTo(top)) {
            clickAt(asked, asked->rect().center());
            if (window) {
                QCoreApplication::processEvents();
            }
            return;
        }
        // The longer the walk stays in one window, the likelier it leaves, so that it goes on to others;
        // a game that runs is given the time to come to its end now and then.
        const int leave = 2 + m_inWindow / (mode && mode->running() ? 300 : 40);
        const int kind = pick(100 + leave * 2);
        if (m_trace) {
            std::fprintf(stderr, "  kind %d on %s %s\n", kind, qPrintable(className(control)),
                         qPrintable(control->objectName()));
        }
        if (kind < 34) {
            clickAt(control, control->rect().center());
        } else if (kind < 42) { // a child's double-click, its second half quickly after the first
            QPointer<QWidget> guard = control;
            clickAt(control, control->rect().center());
            const ulong gap = ulong(QGuiApplication::styleHints()->mouseDoubleClickInterval()) / 3;
            if (guard && guard->isVisible()) {
                mouse(control, QEvent::MouseButtonDblClick, control->rect().center(), Qt::LeftButton, gap);
            }
            if (guard && guard->isVisible()) {
                mouse(control, QEvent::MouseButtonRelease, control->rect().center(), Qt::LeftButton, 1);
            }
        } else if (kind < 50) {
            QWidget* at = top->childAt(somewhere(top, m_rng));
            at = at ? at : top;
            clickAt(at, somewhere(at, m_rng));
        } else if (kind < 53) {
            clickAt(control, somewhere(control, m_rng), Qt::RightButton);
        } else if (kind < 61) { // a drag from one control to another, the press held by the first
            QWidget* to = controls.isEmpty() ? top : controls[pick(int(controls.size()))];
            QPointer<QWidget> guard = control;
            const QPoint from = control->rect().center();
            const QPoint end = control->mapFrom(top, to->mapTo(top, to->rect().center()));
            mouse(control, QEvent::MouseButtonPress, from, Qt::LeftButton, 900);
            for (int i = 1; i <= 4 && guard; ++i) {
                QMouseEvent move(QEvent::MouseMove, from + (end - from) * i / 4,
                                 control->mapToGlobal(from + (end - from) * i / 4), Qt::NoButton,
                                 Qt::LeftButton, Qt::NoModifier);
                move.setTimestamp(m_stamp += 30);
                QApplication::sendEvent(control, &move);
            }
            if (guard) {
                mouse(control, QEvent::MouseButtonRelease, end, Qt::LeftButton, 30);
            }
        } else if (kind < 88) {
            key(top);
        } else if (kind < 100) {
            if (m_fake) {
                m_fake->clock.advance(1 + pick(chance(0.2) ? 20000 : 2000));
            } else {
                QTest::qWait(pick(300));
            }
        } else if (kind < 100 + leave) {
            if (QAbstractButton* exit = exitButton(top)) {
                clickAt(exit, exit->rect().center());
            } else {
                QTest::keyClick(top, Qt::Key_Escape);
            }
        } else if (kind < 100 + leave + leave / 2 + 1) {
            top->close(); // Alt+F4, or the close box of the window's frame
        } else {
            QTest::keyClick(top, Qt::Key_Escape);
        }
        if (window) {
            QCoreApplication::processEvents();
        }
    }

    void key(QWidget* top) {
        QWidget* to = top->focusWidget() ? top->focusWidget() : top;
        static const Qt::Key named[] = {Qt::Key_Return, Qt::Key_Escape,   Qt::Key_Space, Qt::Key_Tab,
                                        Qt::Key_Left,   Qt::Key_Right,    Qt::Key_Up,    Qt::Key_Down,
                                        Qt::Key_F1,     Qt::Key_Backspace};
        const int kind = pick(10);
        if (kind < 4) {
            QTest::keyClick(to, char('a' + pick(26)));
        } else if (kind < 6) {
            QTest::keyClick(to, char('0' + pick(10)));
        } else if (kind < 7) { // Alt and a letter: the shortcut of a button, or nothing
            QTest::keyClick(to, char('a' + pick(26)), Qt::AltModifier);
        } else {
            QTest::keyClick(to, named[pick(int(std::size(named)))]);
        }
    }

    // The suite still holds together.
    void check() {
        QStringList shown;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            const bool visible = w->isVisible();
            if (visible && isSuiteWindow(w)) {
                shown << className(w);
            } else if (visible && !w->isModal() && w->windowModality() == Qt::NonModal &&
                       !(w->windowType() == Qt::ToolTip || w->windowType() == Qt::Popup) &&
                       !w->windowTitle().endsWith(QStringLiteral(" Help")) &&
                       !qobject_cast<ActivityWindow*>(w)) {
                breach(
                    QStringLiteral("a stray window is shown: %1 \"%2\"").arg(className(w), w->windowTitle()));
            }
            auto* activity = qobject_cast<ActivityWindow*>(w);
            if (!visible || (activity && activity->closeAsked())) {
                for (const WindowTimer* timer : w->findChildren<WindowTimer*>()) {
                    if (timer->isEnabled()) {
                        breach(QStringLiteral("%1, hidden or closed, has a timer running").arg(className(w)));
                    }
                }
            }
        }
        if (shown.size() != 1) {
            breach(QStringLiteral("%1 suite windows are shown: %2").arg(shown.size()).arg(shown.join(u' ')));
        }
        const Settings& s = settings();
        const auto back = parseSettings(formatSettings(s));
        if (!back || !(*back == s)) {
            breach(QStringLiteral("the settings do not read back as written"));
        }
        Settings inRange = s;
        normaliseSettings(inRange);
        if (!(inRange == s)) {
            breach(QStringLiteral("a setting is out of the range its activity uses"));
        }
        if (m_fake && !m_fake->fatal.messages.isEmpty()) {
            breach(QStringLiteral("fatal: ") + m_fake->fatal.messages.join(u'\n'));
        }
    }

    std::mt19937 m_rng;
    quint32 m_seed;
    long m_events;
    qint64 m_minutes;
    bool m_real, m_report;
    bool m_trace = qEnvironmentVariableIsSet("NIBSY_MONKEY_TRACE");
    QTemporaryDir m_appDir;
    std::unique_ptr<test::FakePlatform> m_fake;
    QPointer<frmMenu> m_menu;
    QElapsedTimer m_clock;
    qint64 m_lastReport = 0;
    std::map<QString, long> m_perWindow;
    QPointer<QWidget> m_lastTop;
    int m_inWindow = 0;
    QPointer<QWidget> m_playing; // the game the child plays along with, for m_playFor more events
    int m_playFor = 0;
    int m_freshMenus = 0;
    // The windows whose events are being handled, outermost first.
    QList<QPointer<QWidget>> m_busyIn;
    ulong m_stamp = 1'000'000'000;
};

} // namespace

int main(int argc, char** argv) {
    // What the offscreen platform cannot do (raise a window, grab the keyboard) is no news here.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (!message.startsWith(QStringLiteral("This plugin does not support"))) {
            std::fprintf(stderr, "%s%s\n", type == QtWarningMsg ? "warning: " : "", qPrintable(message));
        }
    });
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    installFontSubstitutions();
    const QStringList args = QApplication::arguments();
    auto value = [&](const char* name, qint64 fallback) {
        const qsizetype at = args.indexOf(QString::fromLatin1(name));
        return at >= 0 && at + 1 < args.size() ? args[at + 1].toLongLong() : fallback;
    };
    const auto seed = quint32(value("--seed", qint64(std::random_device{}())));
    g_seed = seed;
    std::printf("monkey: seed %u\n", seed);
    std::fflush(stdout);
#ifdef NIBSY_MONKEY_SANITIZED
    __sanitizer_set_death_callback([] {
        std::fprintf(stderr, "BREACH seed %u event %ld in %s: sanitizer report\n", g_seed.load(),
                     g_event.load(), g_window.load());
    });
#endif
    // The watchdog: an event loop that has not turned for 10 s is a hang.
    std::thread([] {
        for (;;) {
            std::this_thread::sleep_for(std::chrono::seconds(1));
            if (g_beat != 0 && steadyMs() - g_beat > 10000) {
                std::fprintf(stderr, "HANG seed %u event %ld in %s\n", g_seed.load(), g_event.load(),
                             g_window.load());
                std::_Exit(3);
            }
        }
    }).detach();

    int status = 0;
    {
        const long events = long(value("--events", 50000));
        const qint64 minutes = value("--minutes", 0);
        Monkey monkey(seed, events, minutes, args.contains("--real"), args.contains("--report"));
        monkey.start();
        app.exec();
        monkey.summary();
        if (const QStringList missed = monkey.missed(); !missed.isEmpty()) {
            std::printf("monkey: windows never reached: %s\n", qPrintable(missed.join(u' ')));
            // A full walk must reach them all; a short replay or a timed run only says so.
            status = events >= 50000 && minutes == 0 ? 1 : 0;
        }
        g_beat = 0;
    }
    clearServices();
    return status;
}
