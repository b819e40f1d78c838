#include "output/ReceiptPrinter.h"

#include "output/ReceiptRenderer.h"

#include <QPageLayout>
#include <QPrinter>
#include <QPrinterInfo>

namespace kivo {

bool CupsReceiptPrinter::hasPrinter(const QString& name) const
{
    return !name.isEmpty() && !QPrinterInfo::printerInfo(name).isNull();
}

bool CupsReceiptPrinter::print(const QString& name, const ReceiptRenderer& receipt, int copies,
                               bool showPrintDialog, QString* error)
{
    const QPrinterInfo info = QPrinterInfo::printerInfo(name);
    if (info.isNull()) {
        if (error)
            *error = QStringLiteral("no printer named %1").arg(name);
        return false;
    }
    QPrinter printer(info, QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("Kivo receipt"));
    printer.setCopyCount(qMax(1, copies));
    printer.setFullPage(true);
    printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    if (showPrintDialog && m_dialog && !m_dialog(&printer)) {
        if (error)
            *error = QStringLiteral("printing cancelled in the print dialog");
        return false;
    }
    if (!receipt.paintOnPage(&printer)) {
        if (error)
            *error = QStringLiteral("cannot print on %1").arg(name);
        return false;
    }
    if (printer.printerState() == QPrinter::Error) {
        if (error)
            *error = QStringLiteral("the print job on %1 failed").arg(name);
        return false;
    }
    return true;
}

} // namespace kivo
