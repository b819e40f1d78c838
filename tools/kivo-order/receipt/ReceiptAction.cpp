// kivo-order's receipt: the GUI application its drawing needs and the printing itself, in a
// module that the tool loads only for --receipt.
#include "../OrderTool.h"
#include "../ReceiptModule.h"

#include "output/print/ReceiptPrinting.h"

#include <QEventLoop>
#include <QGuiApplication>

namespace {

using namespace kivo;

int printReceipt(const ReceiptRequest& request, Settings& settings, QTextStream& out,
                 QTextStream& err)
{
    ReceiptPrinting controller(settings);
    QEventLoop printing;
    QObject::connect(&controller, &ReceiptPrinting::receiptPrinted, &printing, &QEventLoop::quit);
    controller.requestReceipt(request);
    printing.exec();
    int status = ordertool::ExitOk;
    const ReceiptResult& r = controller.lastResult();
    if (r.pdfWritten) {
        out << "receipt " << r.pdfPath << "\n";
    } else {
        err << "kivo-order: receipt not written: "
            << (r.built ? r.pdfError : QStringLiteral("the order has no lines")) << "\n";
        status = ordertool::ExitFailure;
    }
    for (const PrinterOutcome* p : {&r.primary, &r.secondary}) {
        if (p->attempted)
            out << "printed on " << p->name << ": " << (p->ok ? "ok" : p->error) << "\n";
        else if (p->enabled)
            out << "not printed: " << p->error << "\n";
    }
    return status;
}

} // namespace

extern "C" __attribute__((visibility("default"))) QCoreApplication*
kivoOrderReceiptApplication(int* argc, char** argv)
{
    // The receipt is drawn with fonts, which needs a GUI application; the tool shows no window.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    return new QGuiApplication(*argc, argv);
}

extern "C" __attribute__((visibility("default"))) int
kivoOrderPrintReceipt(const ReceiptRequest* request, Settings* settings, QTextStream* out,
                      QTextStream* err)
{
    return printReceipt(*request, *settings, *out, *err);
}
