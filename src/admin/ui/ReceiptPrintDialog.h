#pragma once

#include "output/print/ReceiptPrinting.h"

#include <QPointer>

class QWidget;

namespace kivo {

// Qt's print dialog before a receipt prints (prefAlwaysShowPrintPanel): window-modal on the
// sales window, with the receipt's printer and copy count chosen; the answer comes when the
// operator closes it.
class ReceiptPrintDialog : public ReceiptPrintPanel
{
public:
    explicit ReceiptPrintDialog(QWidget* parentWindow);
    void open(const QString& printer, int copies, Answer answer) override;

private:
    QPointer<QWidget> m_parent;
};

} // namespace kivo
