// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Printing.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QPointer>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <cmath>

namespace nibsy {

namespace {

bool isWhole(double v) {
    return std::abs(v - std::round(v)) < 1e-9 && std::abs(v) < 1e9;
}

// A printer that writes a Letter-sized PDF file.
std::unique_ptr<QPrinter> pdfPrinter(const QString& path, const QString& documentName) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(path);
    printer->setPageSize(QPageSize(QPageSize::Letter));
    printer->setPageOrientation(QPageLayout::Portrait);
    printer->setDocName(documentName);
    printer->setCreator(QStringLiteral("Nibsy Learning"));
    return printer;
}

// Asks the user where to save the document as PDF; empty when they cancel.
QString askPdfPath(QWidget* parent, const QString& documentName) {
    QString fileName = documentName;
    fileName.replace(QRegularExpression(QStringLiteral(R"([/\\:*?"<>|])")), QStringLiteral("-"));
    QString path = QFileDialog::getSaveFileName(parent, QStringLiteral("Save Printout as PDF"),
                                                QDir::home().filePath(fileName + QStringLiteral(".pdf")),
                                                QStringLiteral("PDF files (*.pdf)"));
    if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty()) {
        path += QStringLiteral(".pdf");
    }
    return path;
}

QString couldNotSave(const QString& path) {
    return QStringLiteral("The printout could not be saved as %1.").arg(QDir::toNativeSeparators(path));
}

// A page for the system printer: painted into a PDF file in a folder of its own, then given to the
// print queue.
class QueuedPrintJob : public PrintJobOnDevice {
public:
    QueuedPrintJob(std::unique_ptr<QTemporaryDir> folder, PrintQueues& queues, const QString& queue,
                   QWidget* parent, const QString& documentName)
        : PrintJobOnDevice(pdfPrinter(folder->filePath(QStringLiteral("page.pdf")), documentName)),
          m_folder(std::move(folder)), m_queues(queues), m_queue(queue), m_parent(parent),
          m_name(documentName) {}

    PrintOutcome end() override {
        if (!finish()) {
            return {PrintOutcome::Result::NotPrinted,
                    QStringLiteral("The printout could not be prepared for the printer %1.").arg(m_queue)};
        }
        const std::optional<QueueState> before = m_queues.state(m_queue);
        if (before && !before->accepting) {
            return offerPdf(QStringLiteral("The printer %1 is not taking any printouts now").arg(m_queue),
                            before->message);
        }
        QString error;
        if (m_queues.submit(m_queue, fileName(), m_name, &error) == 0) {
            return offerPdf(QStringLiteral("The printer %1 refused the printout").arg(m_queue), error);
        }
        const std::optional<QueueState> after = m_queues.state(m_queue);
        if (after ? after->paused : before && before->paused) {
            return {PrintOutcome::Result::Waiting,
                    QStringLiteral("The printer %1 is paused. The printout waits in its queue and is printed "
                                   "when the printer is started again.")
                        .arg(m_queue)};
        }
        return {PrintOutcome::Result::Printed, {}};
    }

private:
    // Says why the printer did not take the page and offers it as a PDF file instead.
    PrintOutcome offerPdf(const QString& what, const QString& reason) {
        QString said = reason.trimmed();
        if (said.endsWith(u'.')) {
            said.chop(1);
        }
        const QString why = said.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(said);
        if (!dialogs().okCancel(m_parent, what + why + QStringLiteral(".\r\rSave it as a PDF file instead?"),
                                QStringLiteral("Print"))) {
            return {PrintOutcome::Result::NotPrinted, {}};
        }
        const QString path = askPdfPath(m_parent, m_name);
        if (path.isEmpty()) {
            return {PrintOutcome::Result::NotPrinted, {}};
        }
        QFile::remove(path); // the user agreed to replace it in the dialog
        if (!QFile::copy(fileName(), path)) {
            return {PrintOutcome::Result::NotPrinted, couldNotSave(path)};
        }
        return {PrintOutcome::Result::SavedAsPdf, {}};
    }

    std::unique_ptr<QTemporaryDir> m_folder;
    PrintQueues& m_queues;
    QString m_queue;
    QPointer<QWidget> m_parent;
    QString m_name;
};

} // namespace

PrintJobOnDevice::PrintJobOnDevice(std::unique_ptr<QPrinter> device) : m_device(std::move(device)) {
    m_device->setFullPage(true);
    // The whole sheet in device pixels. Outside full-page mode the painter's origin is the corner of the
    // printable area, so the sheet starts above and left of it.
    const QPageLayout layout = m_device->pageLayout();
    const QRectF sheet = layout.fullRect(QPageLayout::Point);
    const QPointF origin = layout.paintRect(QPageLayout::Point).topLeft() - sheet.topLeft();
    const double pxPerPointX = m_device->logicalDpiX() / 72.0;
    const double pxPerPointY = m_device->logicalDpiY() / 72.0;
    m_page =
        QRect(int(std::lround(-origin.x() * pxPerPointX)), int(std::lround(-origin.y() * pxPerPointY)),
              int(std::lround(sheet.width() * pxPerPointX)), int(std::lround(sheet.height() * pxPerPointY)));

    if (!m_painter.begin(m_device.get())) {
        m_ok = false;
        return;
    }
    scaleChanged();
}

PrintJobOnDevice::~PrintJobOnDevice() {
    if (m_painter.isActive()) {
        m_painter.end();
    }
}

double PrintJobOnDevice::twipsPerDevicePixel() const {
    return 1440.0 / m_device->logicalDpiX();
}

const QPaintDevice* PrintJobOnDevice::metricsDevice() const {
    return m_device.get();
}

void PrintJobOnDevice::paint(const std::function<void(QPainter&)>& draw) {
    if (!m_painter.isActive()) {
        return;
    }
    m_painter.save();
    m_painter.resetTransform();
    m_painter.translate(m_page.topLeft());
    draw(m_painter);
    m_painter.restore();
}

void PrintJobOnDevice::scaleChanged() {
    const double left = scaleLeft();
    const double top = scaleTop();
    const double width = scaleWidth();
    const double height = scaleHeight();
    if (!m_painter.isActive() || width == 0 || height == 0 || !std::isfinite(width) ||
        !std::isfinite(height)) {
        return;
    }
    m_painter.setViewport(m_page);
    if (isWhole(left) && isWhole(top) && isWhole(width) && isWhole(height)) {
        // Whole-numbered scales go in the window, so a caller's own transforms compose with them.
        m_painter.setWindow(int(std::lround(left)), int(std::lround(top)), int(std::lround(width)),
                            int(std::lround(height)));
        m_painter.setWorldTransform(QTransform()); // resetTransform() would undo the window too
    } else {
        // The window takes only whole numbers; a fractional scale goes in the world transform instead.
        m_painter.setWindow(m_page);
        QTransform t;
        t.translate(m_page.left(), m_page.top());
        t.scale(m_page.width() / width, m_page.height() / height);
        t.translate(-left, -top);
        m_painter.setWorldTransform(t);
    }
}

void PrintJobOnDevice::setFont(const QString& family, double points, bool bold) {
    QFont font(family);
    font.setBold(bold);
    font.setPointSizeF(points);
    setFontSpec(font);
    // The painter's scale multiplies the font's size on the device by (device pixels per unit); divide
    // it out.
    const double scaleHeight = std::abs(this->scaleHeight());
    const double pixelsPerUnit = scaleHeight > 0 ? m_page.height() / scaleHeight : 0;
    font.setPointSizeF(std::max(0.1, points / (pixelsPerUnit > 0 ? pixelsPerUnit : 1.0)));
    m_painter.setFont(font);
}

void PrintJobOnDevice::newPage() {
    if (m_painter.isActive() && !m_device->newPage()) {
        m_ok = false;
    }
}

bool PrintJobOnDevice::finish() {
    if (!m_painter.isActive()) {
        return false;
    }
    const bool ended = m_painter.end();
    return m_ok && ended;
}

QString PrintJobOnDevice::fileName() const {
    return m_device->outputFileName();
}

PrintOutcome PrintJobOnDevice::end() {
    if (!finish()) {
        return {PrintOutcome::Result::NotPrinted, couldNotSave(fileName())};
    }
    return {PrintOutcome::Result::SavedAsPdf, {}};
}

QtPrinter::QtPrinter(std::unique_ptr<PrintQueues> queues) : m_queues(std::move(queues)) {}

std::unique_ptr<PrintJob> QtPrinter::begin(QWidget* parent, const QString& documentName) {
    const QString name = documentName.isEmpty() ? QStringLiteral("Printout") : documentName;
    if (const QString queue = m_queues->defaultQueue(); !queue.isEmpty()) {
        auto folder = std::make_unique<QTemporaryDir>();
        if (folder->isValid()) {
            auto job = std::make_unique<QueuedPrintJob>(std::move(folder), *m_queues, queue, parent, name);
            if (job->isActive()) {
                return job;
            }
        }
        dialogs().critical(parent, QStringLiteral("The printer %1 could not be started.").arg(queue));
        return nullptr;
    }

    // No printer: the user is told so, and the printout goes to a PDF file they name, or nowhere if they
    // cancel.
    if (!dialogs().okCancel(
            parent, QStringLiteral("No printer could be reached.\r\rSave the page as a PDF file instead?"),
            QStringLiteral("Print"))) {
        return nullptr;
    }
    const QString path = askPdfPath(parent, name);
    if (path.isEmpty()) {
        return nullptr;
    }
    auto job = std::make_unique<PrintJobOnDevice>(pdfPrinter(path, name));
    if (job->isActive()) {
        return job;
    }
    dialogs().critical(parent, couldNotSave(path));
    return nullptr;
}

std::unique_ptr<PrintJob> PdfPrinter::begin(QWidget*, const QString& documentName) {
    auto job = std::make_unique<PrintJobOnDevice>(pdfPrinter(m_path, documentName));
    if (!job->isActive()) {
        return nullptr;
    }
    return job;
}

} // namespace nibsy
