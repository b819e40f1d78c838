#pragma once

#include "output/ReceiptOrder.h"

#include <QString>

#include <functional>
#include <optional>

namespace kivo {

class ReceiptNamePrompt;

// The receipt of one released order, handed over whole.
struct ReceiptRequest
{
    ReceiptOrder order;
    QString customerId;
    std::optional<int> curTotalImages; // photos shown to the customer, when known
    // Called on the main thread START_OVER_DELAY_MS after the receipt has printed (or after the
    // name prompt was cancelled): the session controller's onStartOverTimer.
    std::function<void()> startOver;
    int startOverDelayMs = 1000;
};

// Starts the receipt of a released order: the order output reaches the receipt through this, so
// that writing orders needs nothing of the printing. The printing side (ReceiptPrinting)
// asks for the customer's name first when the settings say so, through the prompt the windows
// give.
class ReceiptStarter
{
public:
    virtual ~ReceiptStarter() = default;
    // Callable from any thread; returns at once. True when a receipt was started (it then
    // schedules the start-over after printing).
    virtual bool requestReceipt(const ReceiptRequest& request) = 0;
    // Not owned; none: receipts are printed without a name.
    virtual void setNamePrompt(ReceiptNamePrompt* prompt) = 0;
};

} // namespace kivo
