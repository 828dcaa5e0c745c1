// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Printing: a PrintJob that paints a PDF file, the system printer (through its print queue), and a
// PDF file as the printer.
//
// Text is scaled with the page like any drawing: QPainter sizes a point-sized font for the device and
// then applies the page's scale to it. setFont() makes up for the scale in force, so a font given in
// points prints at that size.

#include "platform/PrintQueues.h"
#include "platform/Services.h"

#include <QPainter>

class QPrinter;

namespace nibsy {

// Paints a PDF file (Letter, portrait) through a QPrinter, which it owns, in full-page mode, so the
// whole sheet is addressed. The painter follows the surface's scale.
class PrintJobOnDevice : public PrintJob {
public:
    explicit PrintJobOnDevice(std::unique_ptr<QPrinter> device);
    ~PrintJobOnDevice() override;
    PrintJobOnDevice(const PrintJobOnDevice&) = delete;
    PrintJobOnDevice& operator=(const PrintJobOnDevice&) = delete;

    // False when the device could not be opened for painting (a file that cannot be written).
    bool isActive() const { return m_painter.isActive(); }

    QPainter& painter() override { return m_painter; }
    void setFont(const QString& family, double points, bool bold = false) override;
    void newPage() override;
    // The file is the outcome: saved, or not with a message naming it.
    PrintOutcome end() override;

protected:
    QSize areaPixels() const override { return m_page.size(); }
    double twipsPerDevicePixel() const override;
    const QPaintDevice* metricsDevice() const override;
    void paint(const std::function<void(QPainter&)>& draw) override;
    void scaleChanged() override;

    // Ends the painting; false when the file could not be written.
    [[nodiscard]] bool finish();
    QString fileName() const;

private:
    std::unique_ptr<QPrinter> m_device;
    QPainter m_painter;
    QRect m_page; // the whole sheet in device pixels, relative to the painter's origin
    bool m_ok = true;
};

// The system's default printer. The page is painted into a PDF file that goes to the default print
// queue; the queue is asked before and after, so that a queue that refuses jobs is told to the user,
// with the page offered as a PDF file instead, and a paused printer too. Where no printer can be
// reached, the user is told so and offered the page as a PDF file they name. Jobs must not outlive their
// printer.
class QtPrinter : public Printer {
public:
    explicit QtPrinter(std::unique_ptr<PrintQueues> queues = std::make_unique<CupsQueues>());
    std::unique_ptr<PrintJob> begin(QWidget* parent, const QString& documentName) override;

private:
    std::unique_ptr<PrintQueues> m_queues;
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
