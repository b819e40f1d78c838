#pragma once

#include "core/SheetReturn.h"
#include "output/ReceiptStarter.h"
#include "output/print/CupsReceiptPrinter.h"
#include "output/print/ReceiptPrintJob.h"

#include <QObject>
#include <QThreadPool>
#include <QVariantMap>

#include <functional>

#include <optional>

namespace kivo {

class ReceiptNamePrompt;
class Settings;

// The print dialog shown before a receipt is printed when prefAlwaysShowPrintPanel is on: it
// offers PRINTER and COPIES and answers, on the main thread, whether to print and with which
// printer and copy count. The station's is Qt's print dialog; the controller knows only this.
class ReceiptPrintPanel
{
public:
    using Answer = std::function<void(bool accepted, const QString& printer, int copies)>;
    virtual ~ReceiptPrintPanel() = default;
    virtual void open(const QString& printer, int copies, Answer answer) = 0;
};

// The receipt of a released order: asks for the customer's name when the settings say so, then
// builds the receipt, keeps a PDF copy and prints it on up to two printers, and one second after
// printing calls the request's start-over. Lives on the main thread; the building, the PDF copy
// and the printing run on a worker of its own (one receipt after the other), so a slow printer
// never holds the main thread. The result comes back on the main thread (receiptPrinted).
class ReceiptPrinting : public QObject, public ReceiptStarter
{
    Q_OBJECT
public:
    explicit ReceiptPrinting(Settings& settings, QObject* parent = nullptr);
    // Waits for a receipt still printing.
    ~ReceiptPrinting() override;

    void setNamePrompt(ReceiptNamePrompt* prompt) override { m_prompt = prompt; }
    // The printing service; a CupsReceiptPrinter unless one is given (not owned). It is called on
    // the worker.
    void setPrintService(ReceiptPrintService* service) { m_service = service; }
    // The print dialog (not owned); without one the receipt prints without asking.
    void setPrintPanel(ReceiptPrintPanel* panel) { m_panel = panel; }

    // From any thread; the receipt starts on the main thread.
    bool requestReceipt(const ReceiptRequest& request) override;

    // The steps, public for the windows and tests (main thread).
    void promptForName(const ReceiptRequest& request);
    void didEndSheet(SheetReturn returnCode, const QString& entered, const ReceiptRequest& request);
    // Starts the worker that builds, keeps and prints the receipt.
    void printOrderSummaryReceipt(const ReceiptRequest& request);

    const std::optional<QString>& customerName() const { return m_customerName; }
    // The last printed receipt (empty until the first has printed).
    const ReceiptResult& lastResult() const { return m_result; }
    // The remembered print settings (empty until the first receipt).
    const QVariantMap& printInfo() const { return m_printInfo; }

signals:
    // After the printing of a receipt (on the main thread).
    void receiptPrinted(const kivo::ReceiptResult& result);

private:
    void startReceipt(const ReceiptRequest& request);
    void finishReceipt(const ReceiptResult& result, const ReceiptRequest& request);
    void scheduleStartOver(const ReceiptRequest& request);
    // Asks the print dialog about each printer that is on, then prints.
    void askPrintPanel(ReceiptPrintJob job, int printer);
    void startPrinting(const ReceiptPrintJob& job);
    void rememberPrintSettings(int copies);

    Settings& m_settings;
    ReceiptNamePrompt* m_prompt = nullptr;
    CupsReceiptPrinter m_cups;
    ReceiptPrintService* m_service = nullptr;
    ReceiptPrintPanel* m_panel = nullptr;
    std::optional<QString> m_customerName;
    QVariantMap m_printInfo;
    ReceiptResult m_result;
    QThreadPool m_worker;
};

} // namespace kivo
