#include "output/print/CupsReceiptPrinter.h"

#include "output/print/PrinterHealth.h"

#include <QElapsedTimer>
#include <QThread>

#include <cups/cups.h>

#include <ctime>

namespace kivo {

namespace {

bool fail(QString* error, const QString& text)
{
    if (error)
        *error = text;
    return false;
}

QString lastCupsError()
{
    return QString::fromUtf8(cupsLastErrorString());
}

// The job's state as the scheduler has it now; 0 when it cannot be asked.
int jobState(int job)
{
    ipp_t* request = ippNewRequest(IPP_OP_GET_JOB_ATTRIBUTES);
    const QByteArray uri = QByteArrayLiteral("ipp://localhost/jobs/") + QByteArray::number(job);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "job-uri", nullptr, uri.constData());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr,
                 cupsUser());
    ipp_t* response = cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/");
    ipp_attribute_t* attr =
        response ? ippFindAttribute(response, "job-state", IPP_TAG_ENUM) : nullptr;
    const int state = attr ? ippGetInteger(attr, 0) : 0;
    ippDelete(response);
    return state;
}

// How long a receipt job is followed after it was sent: a job that the printer throws away at
// once is a receipt not printed; one still waiting after this is left to the printer watch.
constexpr int kFollowJobMs = 2000;

} // namespace

bool CupsReceiptPrinter::hasPrinter(const QString& name)
{
    if (name.isEmpty())
        return false;
    cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, name.toUtf8().constData(), nullptr);
    if (!dest)
        return false;
    cupsFreeDests(1, dest);
    return true;
}

bool CupsReceiptPrinter::print(const QString& name, const QByteArray& pdf, int copies,
                               QString* error)
{
    if (pdf.isEmpty())
        return fail(error, QStringLiteral("no receipt to print on %1").arg(name));
    if (!hasPrinter(name))
        return fail(error, QStringLiteral("no printer named %1").arg(name));
    const QByteArray printer = name.toUtf8();
    cups_option_t* options = nullptr;
    int count = 0;
    count =
        cupsAddOption("copies", QByteArray::number(qMax(1, copies)).constData(), count, &options);
    // A receipt-sized page on a sheet printer: scaled to the paper, never cut off.
    count = cupsAddOption("fit-to-page", "true", count, &options);
    const int job =
        cupsCreateJob(CUPS_HTTP_DEFAULT, printer.constData(), "Kivo receipt", count, options);
    cupsFreeOptions(count, options);
    if (job <= 0)
        return fail(error,
                    QStringLiteral("cannot make a job on %1: %2").arg(name, lastCupsError()));
    if (cupsStartDocument(CUPS_HTTP_DEFAULT, printer.constData(), job, "Kivo receipt",
                          CUPS_FORMAT_PDF, 1) != HTTP_STATUS_CONTINUE) {
        cupsCancelJob(printer.constData(), job);
        return fail(error,
                    QStringLiteral("cannot send the receipt to %1: %2").arg(name, lastCupsError()));
    }
    const bool written = cupsWriteRequestData(CUPS_HTTP_DEFAULT, pdf.constData(),
                                              size_t(pdf.size())) == HTTP_STATUS_CONTINUE;
    const bool finished =
        cupsFinishDocument(CUPS_HTTP_DEFAULT, printer.constData()) == IPP_STATUS_OK;
    if (!written || !finished)
        return fail(error,
                    QStringLiteral("the print job on %1 failed: %2").arg(name, lastCupsError()));
    QElapsedTimer followed;
    followed.start();
    for (;;) {
        const int state = jobState(job);
        if (state == IPP_JSTATE_STOPPED || state == IPP_JSTATE_CANCELED ||
            state == IPP_JSTATE_ABORTED)
            return fail(error, QStringLiteral("the print job %1 on %2 ended without printing "
                                              "(job state %3)")
                                   .arg(job)
                                   .arg(name)
                                   .arg(state));
        if (state == IPP_JSTATE_COMPLETED || followed.elapsed() >= kFollowJobMs)
            return true;
        QThread::msleep(100);
    }
}

PrinterStatus CupsReceiptPrinter::status(const QString& name, int stuckAfterSeconds)
{
    PrinterStatus s;
    if (name.isEmpty())
        return s;
    const QByteArray printer = name.toUtf8();
    cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, printer.constData(), nullptr);
    if (!dest)
        return s;
    QMap<QString, QString> attributes;
    for (int i = 0; i < dest->num_options; ++i)
        attributes.insert(QString::fromUtf8(dest->options[i].name),
                          QString::fromUtf8(dest->options[i].value));
    s = PrinterHealth::fromAttributes(attributes);
    cupsFreeDests(1, dest);

    cups_job_t* jobs = nullptr;
    const int count =
        cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, printer.constData(), 0, CUPS_WHICHJOBS_ACTIVE);
    const time_t now = std::time(nullptr);
    for (int i = 0; i < count; ++i) {
        const bool waiting =
            jobs[i].state == IPP_JSTATE_PENDING || jobs[i].state == IPP_JSTATE_HELD;
        if (waiting && now - jobs[i].creation_time > stuckAfterSeconds)
            ++s.stuckJobs;
    }
    cupsFreeJobs(count, jobs);
    return s;
}

} // namespace kivo
