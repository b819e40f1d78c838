#include "output/ReceiptContent.h"

#include "core/DateFormat.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <algorithm>

namespace kivo {

namespace {

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

bool setsDirection(char32_t c)
{
    switch (QChar::direction(c)) {
    case QChar::DirR:
    case QChar::DirAL:
    case QChar::DirLRE:
    case QChar::DirLRO:
    case QChar::DirRLE:
    case QChar::DirRLO:
    case QChar::DirPDF:
    case QChar::DirLRI:
    case QChar::DirRLI:
    case QChar::DirFSI:
    case QChar::DirPDI:
        return true;
    default:
        return false;
    }
}

} // namespace

QString ReceiptRules::isolatedName(const QString& name)
{
    const QList<uint> points = name.toUcs4();
    if (std::none_of(points.cbegin(), points.cend(), [](uint c) { return setsDirection(c); }))
        return name;
    constexpr char32_t kFirstStrongIsolate = 0x2068;
    constexpr char32_t kPopDirectionalIsolate = 0x2069;
    // An isolate end of the name's own would close the enclosing isolate early, and an isolate it
    // leaves open would take the enclosing end for its own.
    QList<char32_t> out{kFirstStrongIsolate};
    int open = 0;
    for (const uint c : points) {
        const QChar::Direction d = QChar::direction(c);
        if (d == QChar::DirLRI || d == QChar::DirRLI || d == QChar::DirFSI) {
            ++open;
        } else if (d == QChar::DirPDI) {
            if (open == 0)
                continue;
            --open;
        }
        out.append(char32_t(c));
    }
    for (; open > 0; --open)
        out.append(kPopDirectionalIsolate);
    out.append(kPopDirectionalIsolate);
    return QString::fromUcs4(out.constData(), out.size());
}

ReceiptLine ReceiptRules::setItemInfo(const ReceiptPackage& package)
{
    ReceiptLine line;
    line.fileName = package.photoName.isEmpty() ? QStringLiteral("UNKNOWN NAME????")
                                                : QFileInfo(package.photoName).fileName();
    if (package.displayName.isEmpty()) {
        line.description = QStringLiteral("UNKNOWN Description????");
        return line;
    }
    line.description = QStringLiteral("%1  [QTY %2]  @ $%3")
                           .arg(isolatedName(package.displayName))
                           .arg(package.qty)
                           .arg(QString::asprintf("%4.2f", double(package.unitPrice)));
    line.total = package.total;
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
    return QCoreApplication::translate("ReceiptRules", "Thank You, %1 !").arg(name.toUpper());
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
    const ReceiptOrder& order, const QVariantMap& masterItemList, std::optional<int> curTotalImages,
    const std::optional<QString>& customerName, const QDateTime& now)
{
    ReceiptContent content;
    for (const ReceiptPackage& package : order.packages) {
        const int qty = int(package.qty);
        auto record = recordFor(masterItemList, package.plu);
        if (!record)
            record = recordFor(masterItemList, package.originalPlu);
        if (record) {
            const QString type = record->value(QStringLiteral("pkgType")).toString();
            if (type.compare(QLatin1String("print"), Qt::CaseInsensitive) == 0)
                content.totalPrints += qty;
            else if (type.compare(QLatin1String("flash"), Qt::CaseInsensitive) == 0)
                content.totalUsbs += qty;
            else if (type.compare(QLatin1String("promo"), Qt::CaseInsensitive) == 0)
                content.totalPromos += qty;
        }
        content.lines.append(setItemInfo(package));
    }
    if (content.lines.isEmpty())
        return std::nullopt;

    if (order.totals) {
        content.hasTotals = true;
        content.subTotal = order.totals->subTotal;
        content.tax = order.totals->tax;
        content.discount = order.totals->discount;
        content.freeSheetValue = order.freeSheetValue;
        content.total = order.totals->total;
        content.showSubTotal = content.total != content.subTotal;
    }
    content.usbLabel = usbLabel(content.totalUsbs, curTotalImages);
    content.taxDescription =
        order.taxDescription.isEmpty() ? QStringLiteral("Tax") : order.taxDescription;
    if (customerName) {
        content.customerName = *customerName;
        content.thankYouLine = thankYouLine(*customerName);
        content.dateTimeText = receiptDateTime(now);
    }
    return content;
}

} // namespace kivo
