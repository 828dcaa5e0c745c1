// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/PrintQueues.h"

#include <QFile>
#include <cups/cups.h>

namespace nibsy {

QString CupsQueues::defaultQueue() {
    cups_dest_t* dests = nullptr;
    const int count = cupsGetDests2(CUPS_HTTP_DEFAULT, &dests);
    const cups_dest_t* chosen = cupsGetDest(nullptr, nullptr, count, dests);
    if (!chosen && count > 0) {
        chosen = &dests[0];
    }
    const QString name = chosen ? QString::fromUtf8(chosen->name) : QString();
    cupsFreeDests(count, dests);
    return name;
}

std::optional<QueueState> CupsQueues::state(const QString& queue) {
    char uri[HTTP_MAX_URI];
    if (httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", ippPort(),
                         "/printers/%s", queue.toUtf8().constData()) != HTTP_URI_STATUS_OK) {
        return std::nullopt;
    }
    ipp_t* request = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
    static const char* const wanted[] = {"printer-state", "printer-is-accepting-jobs",
                                         "printer-state-message"};
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", int(std::size(wanted)),
                  nullptr, wanted);
    ipp_t* response = cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/"); // takes the request
    if (!response || ippGetStatusCode(response) > IPP_STATUS_OK_EVENTS_COMPLETE) {
        ippDelete(response);
        return std::nullopt;
    }
    QueueState out;
    if (ipp_attribute_t* a = ippFindAttribute(response, "printer-is-accepting-jobs", IPP_TAG_BOOLEAN)) {
        out.accepting = ippGetBoolean(a, 0) != 0;
    }
    if (ipp_attribute_t* a = ippFindAttribute(response, "printer-state", IPP_TAG_ENUM)) {
        out.paused = ippGetInteger(a, 0) == IPP_PSTATE_STOPPED;
    }
    if (ipp_attribute_t* a = ippFindAttribute(response, "printer-state-message", IPP_TAG_TEXT)) {
        out.message = QString::fromUtf8(ippGetString(a, 0, nullptr)).trimmed();
    }
    ippDelete(response);
    return out;
}

int CupsQueues::submit(const QString& queue, const QString& pdf, const QString& title, QString* error) {
    const int job =
        cupsPrintFile2(CUPS_HTTP_DEFAULT, queue.toUtf8().constData(), QFile::encodeName(pdf).constData(),
                       title.toUtf8().constData(), 0, nullptr);
    if (job == 0 && error) {
        *error = QString::fromUtf8(cupsLastErrorString());
    }
    return job;
}

} // namespace nibsy
