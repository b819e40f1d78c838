#include "admin/ui/ReceiptPrintDialog.h"

#include <QCoreApplication>
#include <QPrintDialog>
#include <QPrinter>
#include <QWidget>

#include <algorithm>

namespace kivo {

ReceiptPrintDialog::ReceiptPrintDialog(QWidget* parentWindow) : m_parent(parentWindow) {}

void ReceiptPrintDialog::open(const QString& printer, int copies, Answer answer)
{
    auto* device = new QPrinter(QPrinter::HighResolution);
    device->setPrinterName(printer);
    device->setCopyCount(std::max(1, copies));
    auto* dialog = new QPrintDialog(device, m_parent);
    dialog->setObjectName(QStringLiteral("ReceiptPrintDialog"));
    dialog->setWindowTitle(QCoreApplication::translate("Preferences", "Print Receipt"));
    dialog->setOption(QAbstractPrintDialog::PrintToFile, false);
    dialog->setWindowModality(m_parent ? Qt::WindowModal : Qt::ApplicationModal);
    QObject::connect(dialog, &QDialog::finished, dialog, [dialog, device, answer](int result) {
        const bool accepted = result == QDialog::Accepted;
        answer(accepted, device->printerName(), device->copyCount());
        dialog->deleteLater();
    });
    // The dialog refers to its printer until it is gone.
    QObject::connect(dialog, &QObject::destroyed, [device] { delete device; });
    dialog->open();
}

} // namespace kivo
