#include "orders/PackageCatalogue.h"

#include "core/ConsoleLog.h"
#include "core/Log.h"
#include "core/Paths.h"
#include "core/PropertyList.h"
#include "core/Settings.h"
#include "core/SettingsKeys.h"

#include <QDir>

namespace kivo {

namespace {
constexpr float kDefaultFreeSheetAmount = 2.0f;
}

PackageCatalogue::PackageCatalogue(Settings& settings) : m_settings(&settings) {}

PackageCatalogue::PackageCatalogue() : PackageCatalogue(Settings::standardUserDefaults()) {}

bool PackageCatalogue::load()
{
    QString display =
        paths::resourcePath(QStringLiteral("UIDisplayPackageList"), QStringLiteral("plist"));
    if (display.isEmpty())
        display =
            QDir(paths::resourcesFolder()).filePath(QStringLiteral("UIDisplayPackageList.plist"));
    const QString master =
        paths::resourcePath(QStringLiteral("MasterItemList"), QStringLiteral("plist"));
    return loadFromFiles(display, master);
}

bool PackageCatalogue::loadFromFiles(const QString& displayListPath,
                                     const QString& masterItemListPath)
{
    m_masterItemList.clear();
    m_displayPackageList.clear();
    m_numberOfFirstItems = 0;
    m_loadError.clear();

    buildPseudoPackages();

    const QVariant displayFile = plist::readFile(displayListPath);
    if (displayFile.typeId() != QMetaType::QVariantMap) {
        m_loadError = QStringLiteral("Unable to find dictionary at path [%1]").arg(displayListPath);
        consoleLog("PackageCatalogue", "load", m_loadError);
        kivo::Log::err(m_loadError);
        return false;
    }
    const QVariantMap display = displayFile.toMap();
    const QString listKey = QStringLiteral("UIDisplayPackageList");
    m_displayPackageList = display.value(listKey).toList();

    if (!masterItemListPath.isEmpty()) {
        const QVariant masterFile = plist::readFile(masterItemListPath);
        if (masterFile.typeId() == QMetaType::QVariantMap)
            m_masterItemList = masterFile.toMap();
    }

    // With a master item list the display list names its packages by PLU; the record form
    // above is only the fallback of a site without one.
    if (!m_masterItemList.isEmpty()) {
        m_displayPackageList.clear();
        const QVariantList plus = display.value(QStringLiteral("%1New").arg(listKey)).toList();
        for (const QVariant& plu : plus) {
            if (const std::optional<QVariantMap> record = recordForPLU(plu.toString()))
                m_displayPackageList.append(*record);
        }
    }

    m_numberOfFirstItems =
        static_cast<int>(Settings::toInteger(display.value(QStringLiteral("NumberOfFirstItems"))));
    consoleLog("PackageCatalogue", "load",
               QStringLiteral("packages offered=[%1] master items=[%2] first items=[%3]")
                   .arg(m_displayPackageList.size())
                   .arg(m_masterItemList.size())
                   .arg(m_numberOfFirstItems));
    return true;
}

void PackageCatalogue::buildPseudoPackages()
{
    float amount = kDefaultFreeSheetAmount;
    if (m_settings->hasValueForKey(QLatin1String(sPrefFreebieAmount)))
        amount = m_settings->floatForKey(QLatin1String(sPrefFreebieAmount));
    const double price = double(-1.0f * amount);

    m_freeSheetPackageInfo.clear();
    const QVariant freebiePLU = m_settings->objectForKey(QLatin1String(sPrefUpcCodeForFreebie));
    if (freebiePLU.isValid())
        m_freeSheetPackageInfo.insert(QStringLiteral("pkgPLU"), freebiePLU);
    m_freeSheetPackageInfo.insert(QStringLiteral("pkgDisplayName"),
                                  QStringLiteral("Free Sheets Discount"));
    m_freeSheetPackageInfo.insert(QStringLiteral("name"), QStringLiteral("freeSheet"));
    m_freeSheetPackageInfo.insert(QStringLiteral("pkgQty"), qint64(1));
    m_freeSheetPackageInfo.insert(QStringLiteral("pkgUnitPrice"), price);
    m_freeSheetPackageInfo.insert(QStringLiteral("pkgSubTotal"), price);

    m_discountAmtDictionary.clear();
    const QVariant discountPLU =
        m_settings->objectForKey(QLatin1String(sPrefUpcForDiscountAmtItem));
    if (discountPLU.isValid())
        m_discountAmtDictionary.insert(QStringLiteral("pkgPLU"), discountPLU);
    const QVariant description =
        m_settings->objectForKey(QLatin1String(sPrefDescriptionForDiscountAmtItem));
    if (description.isValid())
        m_discountAmtDictionary.insert(QStringLiteral("pkgDisplayName"), description);
    m_discountAmtDictionary.insert(QStringLiteral("name"), QStringLiteral("Discount Amt"));
    m_discountAmtDictionary.insert(QStringLiteral("pkgQty"), qint64(1));
    m_discountAmtDictionary.insert(QStringLiteral("pkgUnitPrice"), 0.0);
    m_discountAmtDictionary.insert(QStringLiteral("pkgSubTotal"), 0.0);
}

std::optional<QVariantMap> PackageCatalogue::recordForPLU(const QString& plu) const
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

std::optional<QVariantMap> PackageCatalogue::getTranslatedFirstItemInfo(const QString& plu) const
{
    const std::optional<QVariantMap> record = recordForPLU(plu);
    const QString first = record ? stringField(*record, "pkgFirstItemPLU") : QString();
    if (first.isEmpty()) {
        consoleLog("PackageCatalogue", "getTranslatedFirstItemInfo",
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
