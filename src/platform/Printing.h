// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Printing: a PrintJob over any paged device, the system printer, and a PDF file.
//
// Text is scaled with the page like any drawing: QPainter sizes a point-sized font for the device and
// then applies the page's scale to it. setFont() makes up for the scale in force, so a font given in
// points prints at that size.

#include "platform/Services.h"

#include <QPainter>

class QPagedPaintDevice;

namespace nibsy {

class PrintJobOnDevice : public PrintJob {
public:
    // Paints on the device, which it owns. A QPrinter is put in full-page mode, so the whole sheet is
    // addressed (what lies outside the printable area is lost on paper).
    explicit PrintJobOnDevice(std::unique_ptr<QPagedPaintDevice> device);
    ~PrintJobOnDevice() override;
    PrintJobOnDevice(const PrintJobOnDevice&) = delete;
    PrintJobOnDevice& operator=(const PrintJobOnDevice&) = delete;

    // False when the device could not be opened for painting (a file that cannot be written).
    bool isActive() const { return m_painter.isActive(); }

    QPainter& painter() override { return m_painter; }
    void setScale(double left, double top, double right, double bottom) override;
    void setFont(const QString& family, double points, bool bold = false) override;
    void newPage() override;
    bool end() override;

private:
    std::unique_ptr<QPagedPaintDevice> m_device;
    QPainter m_painter;
    QRect m_page; // the whole sheet in device pixels, relative to the painter's origin
    double m_scaleHeight = 1; // the sheet's height in the caller's units
    bool m_ok = true;
};

// The system's default printer, or a PDF file the user names where the system has no printer.
class QtPrinter : public Printer {
public:
    std::unique_ptr<PrintJob> begin(QWidget* parent, const QString& documentName) override;
};

// Every document goes to one PDF file (Letter, portrait), replacing what was there.
class PdfPrinter : public Printer {
public:
    explicit PdfPrinter(const QString& path) : m_path(path) {}
    std::unique_ptr<PrintJob> begin(QWidget* parent, const QString& documentName) override;
    QString path() const { return m_path; }

private:
    QString m_path;
};

} // namespace nibsy
