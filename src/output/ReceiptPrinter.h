#pragma once

#include <QString>

#include <functional>

class QPrinter;

namespace kivo {

class ReceiptRenderer;

// Prints a receipt on a named printer. The station uses CupsReceiptPrinter; tests of the layers
// above may give their own.
class ReceiptPrintService
{
public:
    virtual ~ReceiptPrintService() = default;
    virtual bool hasPrinter(const QString& name) const = 0;
    // Prints COPIES copies; false (with ERROR) when the job could not be made or sent.
    virtual bool print(const QString& name, const ReceiptRenderer& receipt, int copies,
                       bool showPrintDialog, QString* error) = 0;
};

// Printing through CUPS with Qt Print Support: the receipt fitted to the page, centred
// horizontally, no margins. With no scheduler there are no printers and nothing prints.
class CupsReceiptPrinter : public ReceiptPrintService
{
public:
    bool hasPrinter(const QString& name) const override;
    bool print(const QString& name, const ReceiptRenderer& receipt, int copies,
               bool showPrintDialog, QString* error) override;

    // The print dialog shown when prefAlwaysShowPrintPanel is on; given by the windows (a
    // QPrintDialog). Answers false when the person cancelled. Without one no dialog is shown.
    void setPrintDialog(std::function<bool(QPrinter*)> dialog) { m_dialog = std::move(dialog); }

private:
    std::function<bool(QPrinter*)> m_dialog;
};

} // namespace kivo
