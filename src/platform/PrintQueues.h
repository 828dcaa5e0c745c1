// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The system's print queues, asked directly, since Qt's printing reports success even when the print
// system refuses the job (a queue that rejects jobs) and says nothing of a paused printer.

#include <QString>
#include <optional>

namespace nibsy {

struct QueueState {
    bool accepting = true; // the queue takes new jobs
    bool paused = false;   // the printer is stopped: jobs wait in the queue
    QString message;       // what the print system says of the printer, if anything
};

class PrintQueues {
public:
    virtual ~PrintQueues() = default;
    // The default queue (or the first, where none is the default); empty when there is no printer.
    virtual QString defaultQueue() = 0;
    // The queue's state now; nothing when the print system does not know the queue or cannot be asked.
    virtual std::optional<QueueState> state(const QString& queue) = 0;
    // Gives the PDF file to the queue as a job of that title. The job's number, or 0 when the print
    // system refused it, with its reason in *error.
    virtual int submit(const QString& queue, const QString& pdf, const QString& title, QString* error) = 0;
};

// The queues of CUPS.
class CupsQueues : public PrintQueues {
public:
    QString defaultQueue() override;
    std::optional<QueueState> state(const QString& queue) override;
    int submit(const QString& queue, const QString& pdf, const QString& title, QString* error) override;
};

} // namespace nibsy
