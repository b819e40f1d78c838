#include "output/print/CupsReceiptPrinter.h"

#include <cups/cups.h>

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
    return true;
}

} // namespace kivo
