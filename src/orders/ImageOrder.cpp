#include "orders/ImageOrder.h"

#include "core/ConsoleLog.h"
#include "orders/Logging.h"
#include "orders/OrderConstants.h"
#include "orders/PackageCatalogue.h"
#include "orders/SinglePackageModel.h"

namespace kivo {

ImageOrder::ImageOrder()
{
    m_lines.reserve(kDefaultLineCount);
    for (int i = 0; i < kDefaultLineCount; ++i) {
        // Placeholders, overwritten from the catalogue before a customer sees the order.
        LineItem line;
        line.setPkgPLU(QStringLiteral("PLU %1%1%1%1").arg(i));
        line.setPkgDisplayName(QStringLiteral("pkgDisplayName %1").arg(i));
        line.setPkgKivoPkgName(QStringLiteral("kivoPkgName for #%1").arg(i));
        line.setPkgUnitPrice(18.95f);
        line.setPkgType(QStringLiteral("Undefined???"));
        m_lines.append(line);
    }
}

ImageOrder::ImageOrder(QObject* view) : ImageOrder()
{
    m_view = view;
}

bool ImageOrder::copyDefaultsToOrder(const QVariant& records)
{
    if (records.typeId() != QMetaType::QVariantList)
        return true;
    return copyDefaultsToOrder(records.toList());
}

bool ImageOrder::copyDefaultsToOrder(const QVariantList& records)
{
    const int n = std::min(static_cast<int>(records.size()), lineCount());
    for (int i = 0; i < n; ++i) {
        const PackageRecord record = PackageRecord::fromMap(records.at(i).toMap());
        LineItem& line = m_lines[i];
        line.setPkgPLU(record.plu);
        line.setPkgDisplayName(record.displayName);
        line.setPkgKivoPkgName(record.kivoName);
        line.setPkgUnitPrice(record.unitPrice);
        line.setPkgType(record.type);
        // Resetting to the catalogue is also how a start-over clears every quantity.
        line.setPkgQty(0);
        line.setPkgAltQty(0);
        line.setPkgHasExtraCount(0);
        line.setPkgPrePrintQty(0);
    }
    return true;
}

bool ImageOrder::copySinglePackageModelToOrder(const SinglePackageModel* model)
{
    if (!model) {
        consoleLog(lcOrders(), "ImageOrder", "copySinglePackageModelToOrder",
                   QStringLiteral("Dont Know How To Handle: [(null)]"));
        return false;
    }
    for (LineItem& line : m_lines) {
        if (model->packageName().compare(line.pkgDisplayName(), Qt::CaseInsensitive) != 0)
            continue;
        line.setPkgQty(model->packageQtyValue());
        line.setPkgAltQty(model->altPackageQtyValue());
        line.setPkgHasExtraCount(model->hasExtraCount());
        line.setPkgPrePrintQty(model->prePrintedQtyValue());
    }
    return true;
}

// The counts and sums below walk every line the order holds: eight for a photo's own order, and
// all of them for a translated order, which can hold a ninth (the first-item unit). The sums are
// wide: eight 16-bit quantities can add up past a 16-bit count (and wrap to 0, "nothing ordered").
int ImageOrder::computeTotalSheets() const
{
    int total = 0;
    for (const LineItem& line : m_lines)
        total += line.pkgQty();
    return total;
}

void ImageOrder::computeTotalSheetsNew()
{
    m_printSheetCount = 0;
    m_flashItemCount = 0;
    for (const LineItem& line : m_lines) {
        if (line.pkgType().isEmpty())
            continue;
        if (line.pkgType().compare(QLatin1String(sPackageType_Print), Qt::CaseInsensitive) == 0)
            m_printSheetCount += line.pkgQty();
        else if (line.pkgType().compare(QLatin1String(sPackageType_FlashUsb),
                                        Qt::CaseInsensitive) == 0)
            m_flashItemCount += line.pkgQty();
    }
}

float ImageOrder::computeSubTotal()
{
    float sum = 0.0f;
    for (LineItem& line : m_lines) {
        line.setPkgTotal(line.extendedPrice());
        sum += line.pkgTotal();
    }
    return sum;
}

void ImageOrder::showInfo() const
{
    for (int i = 0; i < lineCount(); ++i)
        consoleLog(lcOrders(), "ImageOrder", "showInfo",
                   QStringLiteral("%1:\n%2").arg(keyForLine(i), m_lines.at(i).description()));
}

void ImageOrder::release()
{
    m_lines.clear();
    m_view = nullptr;
    m_printSheetCount = 0;
    m_flashItemCount = 0;
}

const LineItem* ImageOrder::lineForKey(const QString& key) const
{
    if (!key.startsWith(QLatin1String("Line")))
        return nullptr;
    bool ok = false;
    const int index = key.mid(4).toInt(&ok);
    if (!ok || index < 0 || index >= lineCount() || keyForLine(index) != key)
        return nullptr;
    return &m_lines.at(index);
}

QVariantMap ImageOrder::toVariantMap() const
{
    QVariantMap map;
    for (int i = 0; i < lineCount(); ++i)
        map.insert(keyForLine(i), m_lines.at(i).toVariantMap());
    return map;
}

} // namespace kivo
