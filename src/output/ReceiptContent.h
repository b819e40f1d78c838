#pragma once

#include "output/ReceiptOrder.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QVariantMap>

#include <optional>

namespace kivo {

// One package line of a receipt.
struct ReceiptLine
{
    QString fileName;    // the photo's file name
    QString description; // "<name>  [QTY n]  @ $u.uu"
    float total = 0.0f;
};

// What a receipt shows, section by section, worked out from the order without any drawing.
struct ReceiptContent
{
    QList<ReceiptLine> lines;
    bool hasTotals = false;    // the order carried a totals record
    bool showSubTotal = false; // the total differs from the subtotal
    float subTotal = 0.0f;
    float tax = 0.0f;
    float discount = 0.0f;
    float freeSheetValue = 0.0f; // taken off the total beside the discount; shown when not 0
    float total = 0.0f;
    QString taxDescription; // the summary's tax text, else "Tax"
    int totalPrints = 0;
    int totalUsbs = 0;
    int totalPromos = 0;
    QString usbLabel;                    // "USB", "USB [14 photos]", "USBs [14 photos]", "USB(s)"
    std::optional<QString> customerName; // set when the name prompt was answered
    QString thankYouLine;                // "Thank You, NAME !"
    QString dateTimeText;                // the full date and medium time of the answer
};

// The receipt's rules: the line texts, the counters, the USB label, the thank-you line and the
// PDF copy's file name.
class ReceiptRules
{
public:
    // Builds the receipt of ORDER, classifying lines by the "pkgType" of the catalogue
    // MASTER_ITEM_LIST (the "MasterItemList" property list). CUR_TOTAL_IMAGES is the number of
    // photos shown to the customer, when known. Nothing when the order has no line to show.
    static std::optional<ReceiptContent>
    buildReceiptViewForBody(const ReceiptOrder& order, const QVariantMap& masterItemList,
                            std::optional<int> curTotalImages,
                            const std::optional<QString>& customerName, const QDateTime& now);

    // setItemInfo: the line of one package.
    static ReceiptLine setItemInfo(const ReceiptPackage& package);
    // NAME as a part of a line of text: when it holds right-to-left letters or direction
    // controls, it is enclosed in a first-strong isolate (U+2068 ... U+2069), with its own stray
    // isolate ends dropped and its open isolates closed, so that its direction cannot reorder
    // the rest of the line. Other names are returned as they are.
    static QString isolatedName(const QString& name);

    static QString usbLabel(int usbCount, std::optional<int> curTotalImages);

    // The entered name with blanks and line breaks trimmed; "Customer" when empty.
    static QString customerNameFromEntry(const QString& entered);
    // "Thank You, NAME !" with the name in upper case (the customer reads it: translatable).
    static QString thankYouLine(const QString& name);
    // The full date style and medium time style of en_US: "Sunday, December 6, 2026 at 2:05:09 PM".
    static QString receiptDateTime(const QDateTime& when);

    // The PDF copy's name: "yyyyMMddHHmmss_NAME.pdf", the name reduced to letters, digits, '-'
    // and '_' (at most 40 characters); "yyyyMMddHHmmss.pdf" without a name.
    static QString receiptFileName(const QDateTime& when, const std::optional<QString>& name);
    static QString safeFileNamePart(const QString& text);
};

} // namespace kivo
