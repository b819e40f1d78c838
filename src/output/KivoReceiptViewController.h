#pragma once

#include "output/ReceiptContent.h"
#include "output/ReceiptPrinter.h"

#include <QObject>
#include <QPointer>
#include <QVariantMap>

#include <functional>
#include <memory>
#include <optional>

namespace kivo {

// The printing dictionary of one receipt.
struct ReceiptRequest
{
    QVariantMap curOrderDictionary; // "listOfPackages" and, optionally, "curOrderTotalsInfo"
    QString customerID;
    std::optional<int> curTotalImages; // photos shown to the customer, when known
};

// Sheet return codes of the name prompt.
inline constexpr int kSheetAccepted = -1002;
inline constexpr int kSheetCancelled = -1001;
inline constexpr int kSheetStopped = -1000;

// The customer-name prompt, given by the windows. open() shows it without waiting and later
// calls DONE once with the return code and the entered text.
class ReceiptNamePrompt
{
public:
    virtual ~ReceiptNamePrompt() = default;
    virtual bool isShowing() const = 0;
    virtual void open(std::function<void(int returnCode, const QString& entered)> done) = 0;
};

// The outcome of one printer.
struct PrinterOutcome
{
    bool enabled = false;   // its prefDoPrintReceipt... setting was on
    bool attempted = false; // a printer of that name existed and a job was tried
    bool ok = false;
    QString name;
    QString error;
};

// The outcome of one receipt.
struct ReceiptResult
{
    bool built = false;
    QString pdfPath;
    bool pdfWritten = false;
    QString pdfError;
    int copies = 1;
    PrinterOutcome primary;
    PrinterOutcome secondary;
};

// Builds, keeps a PDF copy of, and prints the receipt of a released order, then schedules the
// start-over one second later. Lives on the main thread; doStartReceiptPrinting() may be called
// from the order-output worker, which then waits until the receipt has printed (or, with the
// name prompt, only until the prompt is up).
class KivoReceiptViewController : public QObject
{
    Q_OBJECT
public:
    explicit KivoReceiptViewController(QObject* parent = nullptr);
    ~KivoReceiptViewController() override;

    // The session controller's timerFireMethod, called with {"doMethodType": 2} one second after
    // printing. Without one the controller only logs.
    void setOwner(std::function<void(const QVariantMap&)> timerFireMethod)
    {
        m_owner = std::move(timerFireMethod);
    }
    void setNamePrompt(ReceiptNamePrompt* prompt) { m_prompt = prompt; }
    // The printing service; a CupsReceiptPrinter unless one is given (not owned).
    void setPrintService(ReceiptPrintService* service) { m_service = service; }
    CupsReceiptPrinter& cupsPrinter() { return *m_cups; }
    // The start-over delay, 1000 ms.
    void setStartOverDelay(int ms) { m_startOverDelayMs = ms; }

    bool doStartReceiptPrinting(const ReceiptRequest& request);

    // The steps, public for the windows and tests.
    void doPrompt(const ReceiptRequest& request);
    void didEndSheet(int returnCode, const QString& entered, const ReceiptRequest& request);
    bool buildReceiptView(const ReceiptRequest& request);
    ReceiptResult printOrderSummaryReceipt();

    const std::optional<QString>& customerName() const { return m_customerName; }
    const std::optional<ReceiptContent>& content() const { return m_content; }
    const ReceiptResult& lastResult() const { return m_result; }
    // The remembered print settings (empty until the first receipt).
    const QVariantMap& printInfoDict() const { return m_printInfoDict; }

    // The PDF copy's folder: prefLocalReceiptPath, else the shared receipts folder.
    static QString receiptFolder();

signals:
    // After the printing of a receipt (on the main thread).
    void receiptPrinted(const kivo::ReceiptResult& result);

private:
    PrinterOutcome printOn(const char* which, const char* doKey, const char* nameKey, int copies,
                           bool progressPanel);
    void rememberPrintSettings(int copies);
    void writePdfCopy();
    void runOnMainThread(const std::function<void()>& work);

    std::function<void(const QVariantMap&)> m_owner;
    ReceiptNamePrompt* m_prompt = nullptr;
    std::unique_ptr<CupsReceiptPrinter> m_cups;
    ReceiptPrintService* m_service = nullptr;
    std::optional<QString> m_customerName;
    std::optional<ReceiptContent> m_content;
    QVariantMap m_printInfoDict;
    ReceiptResult m_result;
    int m_startOverDelayMs = 1000;
};

} // namespace kivo

Q_DECLARE_METATYPE(kivo::ReceiptResult)
