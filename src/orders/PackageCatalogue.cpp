#include "orders/PackageCatalogue.h"

#include "core/ConsoleLog.h"
#include "core/Log.h"
#include "core/Paths.h"
#include "core/PropertyList.h"
#include "core/Settings.h"
#include "orders/Logging.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <cmath>

namespace kivo {

namespace {

// No package of a photo kiosk costs this much; a larger price is a typing error, and its
// extended prices would overflow a float total.
constexpr double kMaxPrice = 1e6;

// A catalogue number: a property-list integer or real, or a string holding exactly a decimal
// number (as a hand-edited catalogue may); finite, not negative and at most MAXIMUM. The reason
// it is refused otherwise.
QString checkNumber(const QVariant& value, double maximum)
{
    double number = 0.0;
    switch (value.typeId()) {
    case QMetaType::LongLong:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
    case QMetaType::Double:
        number = value.toDouble();
        break;
    case QMetaType::QString: {
        const QString text = value.toString().trimmed();
        bool ok = false;
        number = text.toDouble(&ok);
        const bool decimal = std::none_of(text.cbegin(), text.cend(), [](QChar c) {
            return c.isLetter() && c != QLatin1Char('e') && c != QLatin1Char('E');
        });
        if (!ok || !decimal)
            return QStringLiteral("is not a number (\"%1\")").arg(text.left(40));
        break;
    }
    default:
        return QStringLiteral("is not a number");
    }
    if (!std::isfinite(number))
        return QStringLiteral("is not a number (%1)").arg(number);
    if (number < 0)
        return QStringLiteral("is negative (%1)").arg(number);
    if (number > maximum)
        return QStringLiteral("is too large (%1)").arg(number);
    return {};
}

// The reason the first record of RECORDS with a bad "pkgUnitPrice" is refused, naming it.
QString checkPrices(const QVariantMap& records)
{
    for (auto it = records.cbegin(); it != records.cend(); ++it) {
        const QVariantMap record = it->toMap();
        const auto price = record.constFind(QStringLiteral("pkgUnitPrice"));
        if (price == record.cend())
            continue;
        const QString why = checkNumber(*price, kMaxPrice);
        if (!why.isEmpty())
            return QStringLiteral("%1.pkgUnitPrice %2").arg(it.key(), why);
    }
    return {};
}

} // namespace

PackageCatalogue::PackageCatalogue(Settings& settings) : m_settings(&settings) {}

PackageCatalogue::PackageCatalogue() : m_settings(nullptr) {}

namespace {

const QString kDisplayFile = QStringLiteral("UIDisplayPackageList.plist");
const QString kMasterFile = QStringLiteral("MasterItemList.plist");

QString shippedDisplayListPath()
{
    const QString display =
        paths::resourcePath(QStringLiteral("UIDisplayPackageList"), QStringLiteral("plist"));
    return display.isEmpty() ? QDir(paths::resourcesFolder()).filePath(kDisplayFile) : display;
}

QString shippedMasterItemListPath()
{
    return paths::resourcePath(QStringLiteral("MasterItemList"), QStringLiteral("plist"));
}

} // namespace

QString PackageCatalogue::siteCatalogueFolder()
{
    return QFileInfo(paths::settingsFile()).absolutePath();
}

bool PackageCatalogue::hasSiteCatalogue()
{
    return QFileInfo::exists(QDir(siteCatalogueFolder()).filePath(kDisplayFile));
}

QString PackageCatalogue::displayListPath()
{
    return hasSiteCatalogue() ? QDir(siteCatalogueFolder()).filePath(kDisplayFile)
                              : shippedDisplayListPath();
}

QString PackageCatalogue::masterItemListPath()
{
    return hasSiteCatalogue() ? QDir(siteCatalogueFolder()).filePath(kMasterFile)
                              : shippedMasterItemListPath();
}

bool PackageCatalogue::load()
{
    m_siteLoadError.clear();
    if (hasSiteCatalogue()) {
        if (loadFromFiles(displayListPath(), masterItemListPath()))
            return true;
        m_siteLoadError = m_loadError;
        // The editor refuses a catalogue that would not load, so this one was changed by hand:
        // the station sells from the shipped catalogue rather than from none.
        const QString message =
            QStringLiteral("the site's catalogue does not load (%1); using the shipped one")
                .arg(m_loadError);
        consoleLog(lcOrders(), "PackageCatalogue", "load", message);
        kivo::Log::err(lcOrders(), message);
    }
    return loadFromFiles(shippedDisplayListPath(), shippedMasterItemListPath());
}

bool PackageCatalogue::loadFromFiles(const QString& displayListPath,
                                     const QString& masterItemListPath)
{
    m_masterItemList.clear();
    m_displayPackageList.clear();
    m_numberOfFirstItems = 0;
    m_loadError.clear();

    buildPseudoPackages();

    auto refuse = [this](const QString& message) {
        m_masterItemList.clear();
        m_displayPackageList.clear();
        m_numberOfFirstItems = 0;
        m_loadError = message;
        consoleLog(lcOrders(), "PackageCatalogue", "load", m_loadError);
        kivo::Log::err(lcOrders(), m_loadError);
        return false;
    };

    // Sizes are checked before a file is read, counts before any record is used.
    auto tooLarge = [](const QString& path) {
        const QFileInfo info(path);
        if (!info.exists() || info.size() <= kMaxFileBytes)
            return QString();
        return QStringLiteral("%1: the file has %2 bytes; a catalogue file may have at most %3")
            .arg(path)
            .arg(info.size())
            .arg(kMaxFileBytes);
    };
    auto tooMany = [](const QString& key, qsizetype count, qsizetype maximum) {
        if (count <= maximum)
            return QString();
        return QStringLiteral("%1 packages in %2; the station takes at most %3")
            .arg(count)
            .arg(key)
            .arg(maximum);
    };

    QString readError;
    QString why = tooLarge(displayListPath);
    if (!why.isEmpty())
        return refuse(why);
    const QVariant displayFile = plist::readFile(displayListPath, &readError);
    if (displayFile.typeId() != QMetaType::QVariantMap) {
        QString message =
            QStringLiteral("Unable to find dictionary at path [%1]").arg(displayListPath);
        // A file that is there but refused says why.
        if (!displayFile.isValid() && QFileInfo::exists(displayListPath))
            message += QStringLiteral(": ") + readError;
        return refuse(message);
    }
    const QVariantMap display = displayFile.toMap();
    const QString listKey = QStringLiteral("UIDisplayPackageList");
    m_displayPackageList = display.value(listKey).toList();
    const QString newKey = QStringLiteral("%1New").arg(listKey);
    const QVariantList plus = display.value(newKey).toList();
    why = tooMany(listKey, m_displayPackageList.size(), kMaxOfferedPackages);
    if (why.isEmpty())
        why = tooMany(newKey, plus.size(), kMaxOfferedPackages);
    if (!why.isEmpty())
        return refuse(QStringLiteral("%1: %2").arg(displayListPath, why));

    // Prices and counts are checked as they are read: a NaN or a wrong text would otherwise run
    // on into every total and the invoice.
    QVariantMap displayRecords;
    for (int i = 0; i < m_displayPackageList.size(); ++i)
        displayRecords.insert(QStringLiteral("%1[%2]").arg(listKey).arg(i),
                              m_displayPackageList.at(i));
    why = checkPrices(displayRecords);
    const auto firstItems = display.constFind(QStringLiteral("NumberOfFirstItems"));
    if (why.isEmpty() && firstItems != display.cend()) {
        why = checkNumber(*firstItems, 1000);
        if (!why.isEmpty())
            why = QStringLiteral("NumberOfFirstItems ") + why;
    }
    if (!why.isEmpty())
        return refuse(QStringLiteral("%1: %2").arg(displayListPath, why));

    if (!masterItemListPath.isEmpty() && QFileInfo::exists(masterItemListPath)) {
        why = tooLarge(masterItemListPath);
        if (!why.isEmpty())
            return refuse(why);
        const QVariant masterFile = plist::readFile(masterItemListPath, &readError);
        if (!masterFile.isValid())
            return refuse(readError);
        if (masterFile.typeId() == QMetaType::QVariantMap)
            m_masterItemList = masterFile.toMap();
        why = tooMany(QStringLiteral("MasterItemList"), m_masterItemList.size(), kMaxMasterItems);
        if (why.isEmpty())
            why = checkPrices(m_masterItemList);
        if (!why.isEmpty())
            return refuse(QStringLiteral("%1: %2").arg(masterItemListPath, why));
    }

    // With a master item list the display list names its packages by PLU; the record form
    // above is only the fallback of a site without one.
    if (!m_masterItemList.isEmpty()) {
        m_displayPackageList.clear();
        for (const QVariant& plu : plus) {
            if (const auto record = masterRecord(plu.toString()))
                m_displayPackageList.append(*record);
        }
    }

    m_numberOfFirstItems =
        static_cast<int>(Settings::toInteger(display.value(QStringLiteral("NumberOfFirstItems"))));
    consoleLog(lcOrders(), "PackageCatalogue", "load",
               QStringLiteral("packages offered=[%1] master items=[%2] first items=[%3]")
                   .arg(m_displayPackageList.size())
                   .arg(m_masterItemList.size())
                   .arg(m_numberOfFirstItems));
    return true;
}

void PackageCatalogue::buildPseudoPackages()
{
    // Without settings (a placeholder, a trial load of the editor's files) the records keep
    // their defaults.
    const Settings none{QString()};
    const Settings& settings = m_settings ? *m_settings : none;
    const float amount = static_cast<float>(settings.freebieAmount());

    m_freeSheetPackageInfo = PseudoPackage();
    m_freeSheetPackageInfo.plu = settings.value(Setting::upcForFreebie).toString();
    m_freeSheetPackageInfo.displayName = QStringLiteral("Free Sheets Discount");
    m_freeSheetPackageInfo.name = QStringLiteral("freeSheet");
    m_freeSheetPackageInfo.unitPrice = -1.0f * amount;

    m_discountAmounts = PseudoPackage();
    m_discountAmounts.plu = settings.value(Setting::upcForDiscountAmtItem).toString();
    m_discountAmounts.displayName =
        settings.value(Setting::descriptionForDiscountAmtItem).toString();
    m_discountAmounts.name = QStringLiteral("Discount Amt");
}

PackageRecord PackageRecord::fromMap(const QVariantMap& record)
{
    PackageRecord out;
    out.plu = PackageCatalogue::stringField(record, "pkgPLU");
    out.displayName = PackageCatalogue::stringField(record, "pkgDisplayName");
    out.kivoName = PackageCatalogue::stringField(record, "pkgKivoName");
    out.kivoPkgName = PackageCatalogue::stringField(record, "pkgKivoPkgName");
    out.type = PackageCatalogue::stringField(record, "pkgType");
    out.iconName = PackageCatalogue::stringField(record, "pkgIconName");
    out.firstItemPlu = PackageCatalogue::stringField(record, "pkgFirstItemPLU");
    out.unitPrice = PackageCatalogue::unitPrice(record);
    return out;
}

std::optional<PackageRecord> PackageCatalogue::recordForPLU(const QString& plu) const
{
    if (const std::optional<QVariantMap> record = masterRecord(plu))
        return PackageRecord::fromMap(*record);
    return std::nullopt;
}

std::optional<QVariantMap> PackageCatalogue::masterRecord(const QString& plu) const
{
    if (plu.isEmpty())
        return std::nullopt;
    auto found = m_masterItemList.constFind(plu);
    if (found == m_masterItemList.constEnd()) {
        for (auto it = m_masterItemList.constBegin(); it != m_masterItemList.constEnd(); ++it) {
            if (it.key().compare(plu, Qt::CaseInsensitive) == 0) {
                found = it;
                break;
            }
        }
    }
    if (found == m_masterItemList.constEnd() || found->typeId() != QMetaType::QVariantMap)
        return std::nullopt;
    return found->toMap();
}

std::optional<PackageRecord> PackageCatalogue::translatedFirstItemInfo(const QString& plu) const
{
    const std::optional<PackageRecord> record = recordForPLU(plu);
    const QString first = record ? record->firstItemPlu : QString();
    if (first.isEmpty()) {
        consoleLog(lcOrders(), "PackageCatalogue", "translatedFirstItemInfo",
                   QStringLiteral("There is NO pkgFirstItemPLU for code=[%1]").arg(plu));
        return std::nullopt;
    }
    return recordForPLU(first);
}

QString PackageCatalogue::stringField(const QVariantMap& record, const char* key)
{
    const auto it = record.constFind(QLatin1String(key));
    return it == record.constEnd() ? QString() : it->toString();
}

float PackageCatalogue::unitPrice(const QVariantMap& record)
{
    return static_cast<float>(Settings::toDouble(record.value(QStringLiteral("pkgUnitPrice"))));
}

} // namespace kivo
