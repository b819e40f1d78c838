#include "orders/SessionOrderAssembly.h"

#include "core/ConsoleLog.h"
#include "core/Settings.h"
#include "orders/Logging.h"
#include "orders/OrderConstants.h"
#include "orders/PackageCatalogue.h"

#include <QHash>

#include <algorithm>
#include <numeric>

namespace kivo {

namespace {

bool sameText(const QString& a, const char* b)
{
    return a.compare(QLatin1String(b), Qt::CaseInsensitive) == 0;
}

bool isFlashType(const QString& type)
{
    return sameText(type, sPackageType_FlashUsb);
}

} // namespace

SessionOrderAssembly::SessionOrderAssembly(const PackageCatalogue& catalogue,
                                           const Settings& settings)
    : m_catalogue(catalogue), m_settings(settings)
{}

const QList<TranslatedPhoto>&
SessionOrderAssembly::buildSessionOrder(const QList<SessionPhoto>& photos)
{
    return buildSessionOrderNew(photos);
}

const QList<TranslatedPhoto>&
SessionOrderAssembly::buildSessionOrderNew(const QList<SessionPhoto>& photos)
{
    m_sessionOrderList.clear();
    m_unsorted.clear();
    m_orderList.clear();

    collect(photos);

    int firstPrint = -1;
    int firstUsb = -1;
    classify(&firstPrint, &firstUsb);

    const bool printCase = m_itemsWithPrints != 0;
    if (printCase)
        translateFirstItem(firstPrint, true);
    else if (m_itemsWithUsbDrive != 0)
        translateFirstItem(firstUsb, false);

    if (printCase)
        applyReducedUsbPrice();

    // Sort on keys folded once: the same order as comparing name, then PLU, ignoring case, and
    // equal keys keep their list order.
    struct Key
    {
        QString name;
        QString plu;
    };
    QList<Key> keys;
    keys.reserve(m_unsorted.size());
    for (const SessionOrderEntry& entry : std::as_const(m_unsorted))
        keys.append({entry.name.toCaseFolded(), entry.pkgPLU().toCaseFolded()});
    QList<int> order(m_unsorted.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&keys](int a, int b) {
        const int byName = keys.at(a).name.compare(keys.at(b).name);
        if (byName != 0)
            return byName < 0;
        return keys.at(a).plu.compare(keys.at(b).plu) < 0;
    });
    m_orderList.reserve(m_unsorted.size());
    for (int index : std::as_const(order))
        m_orderList.append(m_unsorted.at(index));

    buildTranslatedOrders();
    return m_sessionOrderList;
}

int SessionOrderAssembly::sortByImageAndPlu(const SessionOrderEntry& a, const SessionOrderEntry& b)
{
    const int byName = a.name.compare(b.name, Qt::CaseInsensitive);
    if (byName != 0)
        return byName;
    return a.pkgPLU().compare(b.pkgPLU(), Qt::CaseInsensitive);
}

void SessionOrderAssembly::collect(const QList<SessionPhoto>& photos)
{
    for (int i = 0; i < photos.size(); ++i) {
        const SessionPhoto& photo = photos.at(i);
        if (!photo.order || photo.order->computeTotalSheets() == 0)
            continue;
        if (m_sessionOrderList.size() == kMaxOrderedPhotos) {
            // Every figure and file of the order is made from the same first photos: the lines
            // of the others would otherwise still count in the discount and the counters.
            consoleLog(lcOrders(), "SessionOrderAssembly", "buildSessionOrderNew",
                       QStringLiteral("more than %1 photos ordered: [%2] and later ones left out")
                           .arg(kMaxOrderedPhotos)
                           .arg(photo.name));
            break;
        }
        m_sessionOrderList.append({i, photo.name, photo.view, ImageOrder::emptyOrder()});
        for (const LineItem& line : photo.order->lines()) {
            if (line.pkgQty() == 0)
                continue;
            SessionOrderEntry entry{photo.name, line.copy()};
            // The photo's own totals are only refreshed by the grid's running total; the
            // discount reads line totals, so they are made current here.
            entry.orderedItem.setPkgTotal(entry.orderedItem.extendedPrice());
            m_unsorted.append(entry);
        }
    }
}

void SessionOrderAssembly::classify(int* firstPrint, int* firstUsb)
{
    m_itemsWithUsbDrive = 0;
    m_itemsWithPrints = 0;
    m_totalPrintSheets = 0;
    m_itemsWithPromos = 0;
    for (int i = 0; i < m_unsorted.size(); ++i) {
        const SessionOrderEntry& entry = m_unsorted.at(i);
        if (sameText(entry.pkgPLU(), sUsbDrivePLU) || isFlashType(entry.pkgType())) {
            ++m_itemsWithUsbDrive;
            if (*firstUsb < 0)
                *firstUsb = i;
        } else if (sameText(entry.pkgType(), "promo")) {
            m_itemsWithPromos += entry.pkgQty();
        } else {
            m_totalPrintSheets += entry.pkgQty();
            ++m_itemsWithPrints;
            if (*firstPrint < 0)
                *firstPrint = i;
        }
    }
}

void SessionOrderAssembly::translateFirstItem(int index, bool printCase)
{
    const SessionOrderEntry original = m_unsorted.at(index);
    const std::optional<PackageRecord> record =
        m_catalogue.translatedFirstItemInfo(original.pkgPLU());
    if (!record) {
        // Without a first-item record the unit would have no PLU, price or name: the line
        // stays as it is, at its own price.
        consoleLog(lcOrders(), "SessionOrderAssembly", "buildSessionOrderNew",
                   QStringLiteral("NO first item record for code=[%1]: not translated")
                       .arg(original.pkgPLU()));
        return;
    }

    const int q = original.pkgQty();
    SessionOrderEntry reduced = original;
    reduced.orderedItem.setPkgQty(q - 1);
    reduced.orderedItem.setPkgTotal(reduced.orderedItem.extendedPrice());

    LineItem unit;
    unit.setPkgPLU(record->plu);
    unit.setPkgUnitPrice(record->unitPrice);
    unit.setPkgQty(1);
    unit.setPkgTotal(unit.extendedPrice());
    unit.setPkgAltQty(1);
    unit.setPkgHasExtraCount(0);
    unit.setPkgType(record->type);
    unit.setPkgDisplayName(record->displayName);
    unit.setPkgKivoPkgName(record->kivoName);
    unit.setPkgPrePrintQty(0);

    if (printCase) {
        // The first pre-printed unit is the one sold at the first-item price.
        const int prePrinted = reduced.pkgPrePrintQty();
        if (prePrinted != 0) {
            unit.setPkgPrePrintQty(1);
            reduced.orderedItem.setPkgPrePrintQty(prePrinted - 1);
        }
    }

    SessionOrderEntry translated = original;
    translated.orderedItem = unit;
    translated.isFirstItemUnit = true;

    if (q == 1) {
        m_unsorted[index] = translated;
    } else {
        m_unsorted[index] = reduced;
        m_unsorted.insert(index, translated);
    }
}

void SessionOrderAssembly::applyReducedUsbPrice()
{
    qint64 minimum = m_settings.minPrintsForReducedUsbPrice();
    if (minimum == 0)
        minimum = 1;
    if (!(m_totalPrintSheets < minimum && minimum > 1))
        return;
    for (SessionOrderEntry& entry : m_unsorted) {
        if (!isFlashType(entry.pkgType()))
            continue;
        const std::optional<PackageRecord> record =
            m_catalogue.translatedFirstItemInfo(entry.pkgPLU());
        if (!record) {
            consoleLog(lcOrders(), "SessionOrderAssembly", "buildSessionOrderNew",
                       QStringLiteral("NO first item record for code=[%1]: drive not re-priced")
                           .arg(entry.pkgPLU()));
            continue;
        }
        LineItem line = entry.orderedItem;
        line.setPkgUnitPrice(record->unitPrice);
        line.setPkgTotal(line.extendedPrice());
        line.setPkgPLU(record->plu);
        entry.orderedItem = line;
        entry.isRepricedDrive = true;
    }
}

void SessionOrderAssembly::buildTranslatedOrders()
{
    // Photo names are matched ignoring case; a folded-name index keeps this linear.
    QHash<QString, QList<int>> photosByName;
    for (int i = 0; i < m_sessionOrderList.size(); ++i) {
        TranslatedPhoto& photo = m_sessionOrderList[i];
        // A translated order holds only its final lines: no placeholders and no view.
        photo.translatedImageOrder = ImageOrder::emptyOrder();
        photosByName[photo.name.toCaseFolded()].append(i);
    }
    for (const SessionOrderEntry& entry : std::as_const(m_unsorted)) {
        const auto it = photosByName.constFind(entry.name.toCaseFolded());
        if (it == photosByName.constEnd())
            continue;
        for (int index : *it)
            m_sessionOrderList[index].translatedImageOrder.appendLine(entry.orderedItem);
    }
}

} // namespace kivo
