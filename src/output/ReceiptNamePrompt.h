#pragma once

#include "core/SheetReturn.h"

#include <QString>

#include <functional>

namespace kivo {

// The customer-name prompt of the receipt, given by the windows. ask() shows it without waiting
// and later calls DONE once with how the sheet ended and the entered text.
class ReceiptNamePrompt
{
public:
    using Done = std::function<void(SheetReturn returnCode, const QString& entered)>;

    virtual ~ReceiptNamePrompt() = default;
    virtual bool isShowing() const = 0;
    virtual void ask(Done done) = 0;
};

} // namespace kivo
