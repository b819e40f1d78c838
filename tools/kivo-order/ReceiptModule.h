#pragma once

#include <QCoreApplication>
#include <QTextStream>

#include <memory>

namespace kivo {
class Settings;
struct ReceiptRequest;
} // namespace kivo

namespace kivo::ordertool {

// The receipt is drawn with Qt Gui and printed through CUPS; both live in a module of their own
// ("kivo-order-receipt.so", beside the program or in its library folder), loaded only for
// --receipt, so that pricing, writing and announcing an order load neither.

// The GUI application the receipt's drawing needs (offscreen unless QT_QPA_PLATFORM says
// otherwise); nothing, with the reason on standard error, when the module cannot be loaded.
std::unique_ptr<QCoreApplication> makeReceiptApplication(int& argc, char** argv);

// Builds REQUEST's receipt, writes its PDF copy and prints it as the settings say, reporting as
// the tool does on OUT and ERR. Returns the tool's exit status.
int printReceipt(const ReceiptRequest& request, Settings& settings, QTextStream& out,
                 QTextStream& err);

// What the module exports, by these unmangled names.
using MakeApplicationFunction = QCoreApplication* (*)(int* argc, char** argv);
using PrintReceiptFunction = int (*)(const ReceiptRequest* request, Settings* settings,
                                     QTextStream* out, QTextStream* err);
inline constexpr const char* kMakeApplicationSymbol = "kivoOrderReceiptApplication";
inline constexpr const char* kPrintReceiptSymbol = "kivoOrderPrintReceipt";

} // namespace kivo::ordertool
