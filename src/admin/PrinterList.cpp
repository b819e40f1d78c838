#include "admin/PrinterList.h"

#include <QCoreApplication>
#include <QPointer>
#include <QThreadPool>
#include <QTimer>

#include <cups/cups.h>

namespace kivo {

PrinterNames cupsPrinterNames()
{
    PrinterNames out;
    cups_dest_t* dests = nullptr;
    const int count = cupsGetDests2(CUPS_HTTP_DEFAULT, &dests);
    for (int i = 0; i < count; ++i) {
        if (!dests[i].instance)
            out.names << QString::fromUtf8(dests[i].name);
    }
    cupsFreeDests(count, dests);
    if (count == 0 && cupsLastError() == IPP_STATUS_ERROR_SERVICE_UNAVAILABLE)
        // libcups' own text here is the socket's error ("Bad file descriptor"), which tells an
        // operator nothing.
        out.problem = QCoreApplication::translate(
            "Preferences",
            "The printing service (CUPS) is not running, so no printer can be listed or used.");
    out.names.sort(Qt::CaseInsensitive);
    return out;
}

PrinterList::PrinterList(PrinterSource source, QObject* parent)
    : QObject(parent), m_source(std::move(source)), m_timer(new QTimer(this))
{
    connect(m_timer, &QTimer::timeout, this, &PrinterList::refresh);
}

PrinterList::~PrinterList() = default;

void PrinterList::start(int intervalMs)
{
    m_timer->start(intervalMs);
    refresh();
}

void PrinterList::stop()
{
    m_timer->stop();
}

void PrinterList::refresh()
{
    if (m_asking)
        return;
    m_asking = true;
    QPointer<PrinterList> self(this);
    // The answer goes through the application object, which outlives any list: a list that went
    // away meanwhile is seen as gone on the main thread, where it lived.
    QThreadPool::globalInstance()->start([self, source = m_source] {
        const PrinterNames answer = source();
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [self, answer] {
                if (!self)
                    return;
                self->m_asking = false;
                const bool changed = !self->m_answered || answer.names != self->m_current.names ||
                                     answer.problem != self->m_current.problem;
                self->m_answered = true;
                self->m_current = answer;
                if (changed)
                    emit self->printersChanged(answer.names, answer.problem);
            },
            Qt::QueuedConnection);
    });
}

} // namespace kivo
