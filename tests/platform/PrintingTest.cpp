#include "platform/Printing.h"

#include "support/FakePlatform.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTimer>
#include <gtest/gtest.h>

using namespace nibsy;
using nibsy::test::FakePlatform;

namespace {

QString run(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

struct Word {
    int page = 0;
    QRectF box; // in points from the sheet's top left corner
};

// Where pdftotext finds each word of the PDF.
QHash<QString, Word> words(const QString& pdf) {
    static const QRegularExpression token(QStringLiteral(
        R"re(<page |<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
    QHash<QString, Word> out;
    int page = 0;
    const QString html =
        run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    for (auto it = token.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        if (m.captured(0) == QLatin1String("<page ")) {
            ++page;
        } else {
            out.insert(m.captured(5),
                       {page, QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                                     QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()))});
        }
    }
    return out;
}

QFont sansOfSize(int pixels) {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(pixels);
    return font;
}

} // namespace

TEST(PdfPrinter, PlacesDrawingOnTheWholeLetterSheetInTheCallersScale) {
    for (const char* tool : {"pdftotext", "pdfinfo", "pdftoppm"}) {
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty()) {
            GTEST_SKIP() << "poppler-utils is not installed";
        }
    }
    FakePlatform fake;
    const QString pdf = fake.scratch() + QStringLiteral("/scaled.pdf");
    auto job = PdfPrinter(pdf).begin(nullptr, QStringLiteral("Scaled"));
    ASSERT_NE(job, nullptr);
    QPainter& p = job->painter();

    // Twips at first: an inch in and down, in 12-point type.
    p.setFont(sansOfSize(240));
    p.drawText(QRectF(1440, 1440, 5000, 400), Qt::AlignLeft | Qt::AlignTop, QStringLiteral("Inch"));
    // Hundredths of an inch, held on the next page too.
    job->setScale(0, 0, 850, 1100);
    p.setFont(sansOfSize(20));
    p.drawText(QRectF(0, 0, 300, 30), Qt::AlignLeft | Qt::AlignTop, QStringLiteral("Corner"));
    // A font given in points prints at that size whatever the scale.
    job->setFont(QStringLiteral("Arial"), 24);
    p.drawText(QPointF(400, 300), QStringLiteral("Twentyfour"));
    p.setFont(sansOfSize(20));
    p.setPen(QPen(Qt::black, 10));
    p.drawLine(100, 550, 750, 550);
    job->newPage();
    p.drawText(QRectF(600, 1000, 200, 30), Qt::AlignLeft | Qt::AlignTop, QStringLiteral("Low"));
    // A fractional scale: the middle of the sheet is (0.5, 0.5).
    job->newPage();
    job->setScale(0, 0, 1, 1);
    p.translate(0.5, 0.5);
    p.scale(1.0 / 850, 1.0 / 1100);
    p.drawText(QPointF(0, 0), QStringLiteral("Middle"));
    EXPECT_TRUE(job->end());

    const QString info = run(QStringLiteral("pdfinfo"), {pdf});
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral(R"(Pages:\s+3\n)")))) << info.toStdString();
    EXPECT_TRUE(info.contains(QStringLiteral("612 x 792 pts"))) << info.toStdString();

    // Within a few points of where they were put (a printer's margin would be 18 or more).
    const auto found = words(pdf);
    ASSERT_TRUE(found.contains("Inch") && found.contains("Corner") && found.contains("Low") &&
                found.contains("Middle"));
    EXPECT_EQ(found["Inch"].page, 1);
    EXPECT_NEAR(found["Inch"].box.left(), 72, 3);
    EXPECT_NEAR(found["Inch"].box.top(), 72, 4);
    EXPECT_NEAR(found["Inch"].box.height(), 12, 3);
    ASSERT_TRUE(found.contains("Twentyfour"));
    EXPECT_NEAR(found["Twentyfour"].box.height(), 24, 4);
    EXPECT_NEAR(found["Twentyfour"].box.left(), 288, 3);
    EXPECT_NEAR(found["Corner"].box.left(), 0, 3);
    EXPECT_NEAR(found["Corner"].box.top(), 0, 4);
    EXPECT_EQ(found["Low"].page, 2);
    EXPECT_NEAR(found["Low"].box.left(), 432, 3);
    EXPECT_NEAR(found["Low"].box.top(), 720, 4);
    EXPECT_EQ(found["Middle"].page, 3);
    EXPECT_NEAR(found["Middle"].box.left(), 306, 3);
    EXPECT_NEAR(found["Middle"].box.bottom(), 396, 5);

    // The line across page 1, seen at 20 dots to the inch: from x 20 to 150 on row 110.
    const QString image = fake.scratch() + QStringLiteral("/page1");
    run(QStringLiteral("pdftoppm"), {QStringLiteral("-gray"), QStringLiteral("-r"), QStringLiteral("20"),
                                     QStringLiteral("-singlefile"), pdf, image});
    const QImage page(image + QStringLiteral(".pgm"));
    ASSERT_EQ(page.size(), QSize(170, 220));
    auto dark = [&](int x, int y) { return qGray(page.pixel(x, y)) < 128; };
    EXPECT_TRUE(dark(25, 110) && dark(85, 110) && dark(145, 110));
    EXPECT_FALSE(dark(15, 110) || dark(155, 110) || dark(85, 105) || dark(85, 115));
}

TEST(PdfPrinter, GivesNoJobWhenTheFileCannotBeWritten) {
    EXPECT_EQ(
        PdfPrinter(QStringLiteral("/nonexistent-folder/out.pdf")).begin(nullptr, QStringLiteral("Lost")),
        nullptr);
}

TEST(QtPrinter, WithoutAPrinterSavesToThePdfTheUserNamesAndNothingOnCancel) {
    if (!QPrinterInfo::availablePrinters().isEmpty()) {
        GTEST_SKIP() << "this machine has a printer; the test would print on it";
    }
    FakePlatform fake;
    QString title, offered, answer;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
            poll.stop();
            title = dialog->windowTitle();
            offered = dialog->selectedFiles().value(0);
            if (answer.isEmpty()) {
                dialog->reject();
            } else {
                dialog->selectFile(answer);
                QMetaObject::invokeMethod(dialog, "accept");
            }
        }
    });

    QtPrinter printer;
    poll.start(10);
    EXPECT_EQ(printer.begin(nullptr, QStringLiteral("Shapes")), nullptr);
    EXPECT_EQ(title, QStringLiteral("Save Printout as PDF"));
    EXPECT_EQ(QFileInfo(offered).fileName(), QStringLiteral("Shapes.pdf"));

    answer = fake.scratch() + QStringLiteral("/mine"); // ".pdf" is added
    poll.start(10);
    auto job = printer.begin(nullptr, QStringLiteral("Shapes"));
    ASSERT_NE(job, nullptr);
    job->painter().drawLine(0, 0, 1440, 1440);
    EXPECT_TRUE(job->end());
    EXPECT_GT(QFileInfo(fake.scratch() + QStringLiteral("/mine.pdf")).size(), 0);
}
