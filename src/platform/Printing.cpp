// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Printing.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRegularExpression>
#include <cmath>

namespace nibsy {

namespace {

constexpr double TwipsPerPoint = 20.0;

bool isWhole(double v) {
    return std::abs(v - std::round(v)) < 1e-9 && std::abs(v) < 1e9;
}

std::unique_ptr<QPrinter> letterPrinter(std::unique_ptr<QPrinter> printer, const QString& documentName) {
    printer->setPageSize(QPageSize(QPageSize::Letter));
    printer->setPageOrientation(QPageLayout::Portrait);
    printer->setDocName(documentName);
    printer->setCreator(QStringLiteral("Nibsy Learning"));
    return printer;
}

std::unique_ptr<PrintJob> started(std::unique_ptr<QPrinter> printer) {
    auto job = std::make_unique<PrintJobOnDevice>(std::move(printer));
    if (!job->isActive()) {
        return nullptr;
    }
    return job;
}

} // namespace

PrintJobOnDevice::PrintJobOnDevice(std::unique_ptr<QPagedPaintDevice> device) : m_device(std::move(device)) {
    if (auto* printer = dynamic_cast<QPrinter*>(m_device.get())) {
        printer->setFullPage(true);
    }
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
    setScale(0, 0, sheet.width() * TwipsPerPoint, sheet.height() * TwipsPerPoint);
}

PrintJobOnDevice::~PrintJobOnDevice() {
    if (m_painter.isActive()) {
        m_painter.end();
    }
}

void PrintJobOnDevice::setScale(double left, double top, double right, double bottom) {
    const double width = right - left;
    const double height = bottom - top;
    if (!m_painter.isActive() || width == 0 || height == 0 || !std::isfinite(width) ||
        !std::isfinite(height)) {
        return;
    }
    m_painter.setViewport(m_page);
    m_scaleHeight = std::abs(height);
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
    // The scale multiplies the font's size on the device by (device pixels per unit); divide it out.
    const double pixelsPerUnit = m_page.height() / m_scaleHeight;
    QFont font(family);
    font.setBold(bold);
    font.setPointSizeF(std::max(0.1, points / (pixelsPerUnit > 0 ? pixelsPerUnit : 1.0)));
    m_painter.setFont(font);
}

void PrintJobOnDevice::newPage() {
    if (m_painter.isActive() && !m_device->newPage()) {
        m_ok = false;
    }
}

bool PrintJobOnDevice::end() {
    if (!m_painter.isActive()) {
        return false;
    }
    const bool ended = m_painter.end();
    return m_ok && ended;
}

std::unique_ptr<PrintJob> QtPrinter::begin(QWidget* parent, const QString& documentName) {
    const QString name = documentName.isEmpty() ? QStringLiteral("Printout") : documentName;
    const QList<QPrinterInfo> printers = QPrinterInfo::availablePrinters();
    if (!printers.isEmpty()) {
        QPrinterInfo target = QPrinterInfo::defaultPrinter();
        if (target.isNull()) {
            target = printers.first();
        }
        auto printer = std::make_unique<QPrinter>(target, QPrinter::HighResolution);
        if (auto job = started(letterPrinter(std::move(printer), name))) {
            return job;
        }
        dialogs().critical(parent,
                           QStringLiteral("The printer %1 could not be started.").arg(target.printerName()));
        return nullptr;
    }

    // No printer: the printout goes to a PDF file the user names, or nowhere if they cancel.
    QString fileName = name;
    fileName.replace(QRegularExpression(QStringLiteral(R"([/\\:*?"<>|])")), QStringLiteral("-"));
    QString path = QFileDialog::getSaveFileName(parent, QStringLiteral("Save Printout as PDF"),
                                                QDir::home().filePath(fileName + QStringLiteral(".pdf")),
                                                QStringLiteral("PDF files (*.pdf)"));
    if (path.isEmpty()) {
        return nullptr;
    }
    if (QFileInfo(path).suffix().isEmpty()) {
        path += QStringLiteral(".pdf");
    }
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(path);
    if (auto job = started(letterPrinter(std::move(printer), name))) {
        return job;
    }
    dialogs().critical(
        parent, QStringLiteral("The printout could not be saved as %1.").arg(QDir::toNativeSeparators(path)));
    return nullptr;
}

std::unique_ptr<PrintJob> PdfPrinter::begin(QWidget*, const QString& documentName) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(m_path);
    return started(letterPrinter(std::move(printer), documentName));
}

} // namespace nibsy
