#include "output/ReceiptContent.h"

#include "core/DateFormat.h"
#include "core/Settings.h"
#include "core/SettingsKeys.h"

#include <QFileInfo>

namespace kivo {

namespace {

float floatValue(const QVariant& v)
{
    return float(Settings::toDouble(v));
}

// The catalogue record of PLU, matched without regard to case.
std::optional<QVariantMap> recordFor(const QVariantMap& catalogue, const QString& plu)
{
    if (plu.isEmpty())
        return std::nullopt;
    const auto exact = catalogue.constFind(plu);
    if (exact != catalogue.cend())
        return exact.value().toMap();
    for (auto it = catalogue.cbegin(); it != catalogue.cend(); ++it)
        if (it.key().compare(plu, Qt::CaseInsensitive) == 0)
            return it.value().toMap();
    return std::nullopt;
}

} // namespace

ReceiptLine ReceiptRules::setItemInfo(const QVariantMap& entry)
{
    ReceiptLine line;
    const QString name = entry.value(QStringLiteral("name")).toString();
    line.fileName =
        name.isEmpty() ? QStringLiteral("UNKNOWN NAME????") : QFileInfo(name).fileName();
    const QVariant display = entry.value(QStringLiteral("pkgDisplayName"));
    if (display.typeId() != QMetaType::QString || display.toString().isEmpty() ||
        !entry.contains(QStringLiteral("pkgQty")) ||
        !entry.contains(QStringLiteral("pkgUnitPrice"))) {
        line.description = QStringLiteral("UNKNOWN Description????");
        line.total = 0.0f;
        return line;
    }
    line.description =
        QStringLiteral("%1  [QTY %2]  @ $%3")
            .arg(display.toString())
            .arg(Settings::toInteger(entry.value(QStringLiteral("pkgQty"))))
            .arg(QString::asprintf(
                "%4.2f", double(floatValue(entry.value(QStringLiteral("pkgUnitPrice"))))));
    line.total = floatValue(entry.value(QStringLiteral("pkgTotal")));
    return line;
}

QString ReceiptRules::usbLabel(int usbCount, std::optional<int> curTotalImages)
{
    if (usbCount == 0)
        return QStringLiteral("USB");
    if (!curTotalImages)
        return QStringLiteral("USB(s)");
    return QStringLiteral("USB%1 [%2 photos]")
        .arg(usbCount == 1 ? QString() : QStringLiteral("s"))
        .arg(*curTotalImages);
}

QString ReceiptRules::customerNameFromEntry(const QString& entered)
{
    const QString name = entered.trimmed();
    return name.isEmpty() ? QStringLiteral("Customer") : name;
}

QString ReceiptRules::thankYouLine(const QString& name)
{
    return QStringLiteral("Thank You, %1 !").arg(name.toUpper());
}

QString ReceiptRules::receiptDateTime(const QDateTime& when)
{
    return formatDate(when, QStringLiteral("EEEE, MMMM d, y 'at' h:mm:ss a"));
}

QString ReceiptRules::safeFileNamePart(const QString& text)
{
    QString out;
    for (const QChar c : text.trimmed()) {
        if (out.size() >= 40)
            break;
        if ((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') ||
            c == u'-' || c == u'_')
            out.append(c);
        else if (c.isSpace() || c.isPunct() || c.isSymbol())
            out.append(u'_');
        // Anything else (letters outside ASCII, control characters) is left out.
    }
    return out;
}

QString ReceiptRules::receiptFileName(const QDateTime& when, const std::optional<QString>& name)
{
    const QString stamp = formatDate(when, QStringLiteral("yyyyMMddHHmmss"));
    const QString part = name ? safeFileNamePart(*name) : QString();
    if (part.isEmpty())
        return stamp + QStringLiteral(".pdf");
    return stamp + QLatin1Char('_') + part + QStringLiteral(".pdf");
}

std::optional<ReceiptContent> ReceiptRules::buildReceiptViewForBody(
    const QVariantMap& order, const QVariantMap& masterItemList, std::optional<int> curTotalImages,
    const std::optional<QString>& customerName, const QDateTime& now)
{
    if (order.isEmpty())
        return std::nullopt;
    ReceiptContent content;
    for (const QVariant& item : order.value(QStringLiteral("listOfPackages")).toList()) {
        const QVariantMap entry = item.toMap();
        const int qty = int(Settings::toInteger(entry.value(QStringLiteral("pkgQty"))));
        auto record = recordFor(masterItemList, entry.value(QStringLiteral("pkgPLU")).toString());
        if (!record)
            record = recordFor(masterItemList,
                               entry.value(QStringLiteral("pkgPLU_original")).toString());
        if (record) {
            const QString type = record->value(QStringLiteral("pkgType")).toString();
            if (type.compare(QLatin1String("print"), Qt::CaseInsensitive) == 0)
                content.totalPrints += qty;
            else if (type.compare(QLatin1String("flash"), Qt::CaseInsensitive) == 0)
                content.totalUsbs += qty;
            else if (type.compare(QLatin1String("promo"), Qt::CaseInsensitive) == 0)
                content.totalPromos += qty;
        }
        content.lines.append(setItemInfo(entry));
    }
    if (content.lines.isEmpty())
        return std::nullopt;

    const QVariant totals = order.value(QStringLiteral("curOrderTotalsInfo"));
    if (totals.typeId() == QMetaType::QVariantMap) {
        const QVariantMap t = totals.toMap();
        content.hasTotals = true;
        content.subTotal = floatValue(t.value(QStringLiteral("subTotal")));
        content.tax = floatValue(t.value(QStringLiteral("tax")));
        content.discount = floatValue(t.value(QStringLiteral("discount")));
        content.total = floatValue(t.value(QStringLiteral("total")));
        content.showSubTotal = content.total != content.subTotal;
    }
    content.usbLabel = usbLabel(content.totalUsbs, curTotalImages);
    const QString taxText =
        Settings::standardUserDefaults().stringForKey(QLatin1String(sPrefSalesTaxDescription));
    content.taxDescription = taxText.isEmpty() ? QStringLiteral("Tax") : taxText;
    if (customerName) {
        content.customerName = *customerName;
        content.thankYouLine = thankYouLine(*customerName);
        content.dateTimeText = receiptDateTime(now);
    }
    return content;
}

} // namespace kivo
