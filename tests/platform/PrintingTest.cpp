// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Printing.h"
#include "platform/PictureBox.h"

#include "support/FakePlatform.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>
#include <gtest/gtest.h>

using namespace nibsy;
using nibsy::test::FakeDialogs;
using nibsy::test::FakePlatform;

namespace {

void run(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    p.waitForFinished(30000);
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A picture in tenths of an inch: filled and outlined boxes, a filled circle, a thick line, a filled
// triangle, a picture and a line of text.
void drawScene(Surface& s) {
    s.setScale(0, 0, 85, 110);
    s.BoxFilled(10, 10, 30, 30, QColor(255, 0, 0));
    s.setFillStyle(Surface::FillStyle::Solid);
    s.setFillColor(QColor(0, 0, 255));
    s.setDrawWidth(3);
    s.Box(40, 10, 75, 30, QColor(0, 160, 0));
    s.setFillColor(QColor(0, 160, 0));
    s.Circle(20, 50, 8);
    s.setDrawWidth(4);
    s.Line(40, 45, 75, 45, QColor(255, 0, 255));
    s.setDrawWidth(1);
    s.setFillColor(QColor(255, 255, 0));
    s.PolygonScaled(QPolygonF({{40, 60}, {75, 60}, {57.5, 85}}));
    QImage cyan(8, 8, QImage::Format_RGB32);
    cyan.fill(QColor(0, 255, 255));
    s.PaintPicture(Picture::fromImage(cyan), 10, 70, 20, 15);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSize(36);
    s.setFontSpec(font);
    s.currentX = 10;
    s.currentY = 92;
    s.Print(QStringLiteral("Nibsy"));
}

} // namespace

// The same routine on a picture box the size of a Letter sheet at 96 dpi and on a PDF page seen at 96
// dpi gives the same picture.
TEST(Surface, DrawsTheSamePictureOnAPictureBoxAndOnAPrintedPage) {
    EXPECT_EQ(PdfPrinter(QStringLiteral("/nonexistent-folder/out.pdf")).begin(nullptr, QStringLiteral("L")),
              nullptr);
    if (QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty())
        GTEST_SKIP() << "poppler-utils is not installed";
    FakePlatform fake;
    PictureBox box;
    box.resize(816, 1056);
    drawScene(box);
    const QImage screen = box.image();

    const QString pdf = fake.scratch() + QStringLiteral("/scene.pdf");
    auto job = PdfPrinter(pdf).begin(nullptr, QStringLiteral("Scene"));
    ASSERT_NE(job, nullptr);
    drawScene(*job);
    // The painter still draws in the surface's scale afterwards.
    job->painter().fillRect(QRectF(80, 100, 2, 2), Qt::black);
    EXPECT_EQ(job->end().result, PrintOutcome::Result::SavedAsPdf);
    run("pdftoppm", QStringLiteral("-r 96 -singlefile").split(u' ') << pdf << fake.scratch() + "/scene");
    const QImage paper =
        QImage(fake.scratch() + QStringLiteral("/scene.ppm")).convertToFormat(screen.format());
    ASSERT_EQ(paper.size(), screen.size());

    // Tenths of an inch to pixels: 9.6 a tenth. The disc, the triangle and the picture are there.
    auto at = [](const QImage& image, double x, double y) {
        return image.pixelColor(int(x * 9.6), int(y * 9.6));
    };
    EXPECT_TRUE(at(screen, 20, 50) == QColor(0, 160, 0) && at(screen, 57, 70) == QColor(255, 255, 0) &&
                at(screen, 20, 80) == QColor(0, 255, 255));
    EXPECT_EQ(at(paper, 81, 101), QColor(Qt::black));

    // The page is the same picture, bar the edges of shapes and type.
    int different = 0;
    for (int y = 0; y < screen.height(); ++y)
        for (int x = 0; x < screen.width(); ++x) {
            const QRgb a = screen.pixel(x, y), b = paper.pixel(x, y);
            different += std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
                             std::abs(qBlue(a) - qBlue(b)) >
                         150;
        }
    EXPECT_LT(different, screen.width() * screen.height() / 100);
}

namespace {

// A print system with one queue whose state the test sets before and after the job is given to it.
class FakeQueues : public PrintQueues {
public:
    QString defaultQueue() override { return name; }
    std::optional<QueueState> state(const QString&) override { return asked++ == 0 ? before : after; }
    int submit(const QString& queue, const QString& pdf, const QString& title, QString* error) override {
        EXPECT_EQ(queue, name);
        titles << title;
        submitted = readAll(pdf);
        *error = refusal;
        return refusal.isEmpty() ? 7 : 0;
    }

    QString name = QStringLiteral("Office");
    std::optional<QueueState> before = QueueState{}, after = QueueState{};
    QString refusal; // the print system's reason when it refuses the job
    int asked = 0;
    QStringList titles;
    QByteArray submitted;
};

// Answers the next file dialog with that path (cancels it when empty); gives what it offered.
class FileDialogAnswer {
public:
    explicit FileDialogAnswer(const QString& answer) {
        QObject::connect(&m_poll, &QTimer::timeout, [this, answer] {
            if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
                m_poll.stop();
                title = dialog->windowTitle();
                offered = dialog->selectedFiles().value(0);
                // The path goes into the file name box, as the user types it: selectFile() leaves the
                // box as it is once it has the focus, and the dialog would save under the name offered.
                if (auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
                    name->setText(answer);
                QMetaObject::invokeMethod(dialog, answer.isEmpty() ? "reject" : "accept");
            }
        });
        m_poll.start(10);
    }
    QString title, offered;

private:
    QTimer m_poll;
};

} // namespace

TEST(QtPrinter, WithoutAPrinterSavesToThePdfTheUserNamesAndNothingOnCancel) {
    FakePlatform fake;
    auto queues = std::make_unique<FakeQueues>();
    queues->name.clear(); // no printer can be reached
    QtPrinter printer(std::move(queues));
    // The user is told first, and may stop there.
    fake.dialogs.answerOk = false;
    {
        FileDialogAnswer never(fake.scratch() + QStringLiteral("/never"));
        EXPECT_EQ(printer.begin(nullptr, QStringLiteral("Shapes")), nullptr);
        EXPECT_EQ(never.title, QString());
    }
    ASSERT_EQ(fake.dialogs.shown.size(), 1);
    EXPECT_EQ(
        std::tuple(fake.dialogs.shown[0].kind, fake.dialogs.shown[0].text, fake.dialogs.shown[0].title),
        std::tuple(FakeDialogs::OkCancel,
                   QStringLiteral("No printer could be reached.\r\rSave the page as a PDF file instead?"),
                   QStringLiteral("Print")));
    fake.dialogs.answerOk = true;
    {
        FileDialogAnswer cancel({});
        EXPECT_EQ(printer.begin(nullptr, QStringLiteral("Shapes")), nullptr);
        EXPECT_EQ(cancel.title, QStringLiteral("Save Printout as PDF"));
        EXPECT_EQ(QFileInfo(cancel.offered).fileName(), QStringLiteral("Shapes.pdf"));
    }
    FileDialogAnswer mine(fake.scratch() + QStringLiteral("/mine")); // ".pdf" is added
    auto job = printer.begin(nullptr, QStringLiteral("Shapes"));
    ASSERT_NE(job, nullptr);
    job->painter().drawLine(0, 0, 1440, 1440);
    EXPECT_EQ(job->end().result, PrintOutcome::Result::SavedAsPdf);
    EXPECT_TRUE(readAll(fake.scratch() + QStringLiteral("/mine.pdf")).startsWith("%PDF"));
    EXPECT_EQ(fake.dialogs.shown.size(), 3);
}

// The page goes to the default queue as a PDF; a queue that refuses it is told, with the page offered as
// a PDF file; a paused printer is told too. What the user is told is what reportPrinting shows.
TEST(QtPrinter, TellsWhatBecameOfThePageInThePrintQueue) {
    using R = PrintOutcome::Result;
    const QString paused = QStringLiteral("The printer Office is paused. The printout waits in its queue and "
                                          "is printed when the printer is started again."),
                  save = QStringLiteral("\r\rSave it as a PDF file instead?"),
                  rejects = "The printer Office is not taking any printouts now (Rejecting Jobs)." + save,
                  refused =
                      "The printer Office refused the printout (Destination not accepting jobs)." + save;
    const QueueState ready, rejecting{false, false, QStringLiteral("Rejecting Jobs")},
        stopped{true, true, {}};
    const std::optional<QueueState> unknown;
    struct Case {
        std::optional<QueueState> before, after;
        QString refusal;
        bool saveAsPdf; // the user's answer when the PDF is offered
        R result;
        bool submitted;
        QString offer, told; // the question offering the PDF and the message afterwards, if any
    };
    const Case cases[] = {
        {ready, ready, {}, false, R::Printed, true, {}, {}},
        {unknown, unknown, {}, false, R::Printed, true, {}, {}},
        {ready, stopped, {}, false, R::Waiting, true, {}, paused},
        {rejecting, ready, {}, true, R::SavedAsPdf, false, rejects, {}},
        {ready, ready, "Destination not accepting jobs.", false, R::NotPrinted, true, refused, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(&c - cases));
        FakePlatform fake;
        fake.dialogs.answerOk = c.saveAsPdf;
        auto owned = std::make_unique<FakeQueues>();
        FakeQueues& queues = *owned;
        queues.before = c.before;
        queues.after = c.after;
        queues.refusal = c.refusal;
        QtPrinter printer(std::move(owned));
        auto job = printer.begin(nullptr, QStringLiteral("Worksheet"));
        ASSERT_NE(job, nullptr);
        job->painter().drawLine(0, 0, 1440, 1440);
        const QString pdf = fake.scratch() + QStringLiteral("/Worksheet.pdf");
        FileDialogAnswer answer(pdf);
        const PrintOutcome outcome = job->end();

        EXPECT_EQ(std::tuple(outcome.result, outcome.message), std::tuple(c.result, c.told));
        EXPECT_EQ(queues.titles, c.submitted ? QStringList{QStringLiteral("Worksheet")} : QStringList{});
        EXPECT_EQ(queues.submitted.startsWith("%PDF"), c.submitted);
        EXPECT_EQ(readAll(pdf).startsWith("%PDF"), c.result == R::SavedAsPdf);
        reportPrinting(nullptr, outcome, QStringLiteral("Print Worksheet"));
        const auto& shown = fake.dialogs.shown;
        ASSERT_EQ(shown.size(), (c.offer.isEmpty() ? 0 : 1) + (c.told.isEmpty() ? 0 : 1));
        if (!c.offer.isEmpty()) {
            EXPECT_EQ(std::tuple(shown[0].kind, shown[0].text), std::tuple(FakeDialogs::OkCancel, c.offer));
        }
        if (!c.told.isEmpty()) {
            EXPECT_EQ(std::tuple(shown.last().kind, shown.last().text, shown.last().title),
                      std::tuple(FakeDialogs::Information, c.told, QStringLiteral("Print Worksheet")));
        }
    }

    // A page that could not be saved is an error; a cancelled one is not mentioned.
    FakePlatform fake;
    const PrintOutcome lost{R::NotPrinted, QStringLiteral("The printout could not be saved.")};
    reportPrinting(nullptr, lost, QStringLiteral("Print"));
    reportPrinting(nullptr, PrintOutcome{}, QStringLiteral("Print"));
    ASSERT_EQ(fake.dialogs.shown.size(), 1);
    EXPECT_EQ(std::tuple(fake.dialogs.shown[0].kind, fake.dialogs.shown[0].text),
              std::tuple(FakeDialogs::Critical, lost.message));
}
