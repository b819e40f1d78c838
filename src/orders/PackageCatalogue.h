#pragma once

#include <QString>
#include <QVariantList>
#include <QVariantMap>

#include <optional>

namespace kivo {

class Settings;

// What the station sells: the master item list (every package record by PLU), the display
// package list (the records the package panel offers, in panel order), the panel's number of
// first items, and the two pseudo-package records of the pending invoice. Loaded once at
// start-up from the resources "UIDisplayPackageList.plist" and "MasterItemList.plist".
class PackageCatalogue
{
public:
    explicit PackageCatalogue(Settings& settings);
    PackageCatalogue();

    // Loads from the station's resources folder. False when the display package list cannot be
    // read (the catalogue is then empty, as the station runs with an empty panel).
    bool load();
    // Loads from the given files; MASTERPATH may be empty or missing.
    bool loadFromFiles(const QString& displayListPath, const QString& masterItemListPath);

    // "Unable to find dictionary at path [...]" after a failed load, else empty.
    const QString& loadError() const { return m_loadError; }

    const QVariantMap& masterItemList() const { return m_masterItemList; }
    const QVariantList& displayPackageList() const { return m_displayPackageList; }
    int numberOfFirstItems() const { return m_numberOfFirstItems; }
    const QVariantMap& freeSheetPackageInfo() const { return m_freeSheetPackageInfo; }
    const QVariantMap& discountAmtDictionary() const { return m_discountAmtDictionary; }

    // The master item list's record for PLU; an exact match first, else one that differs only
    // in case (PLUs are compared without regard to case).
    std::optional<QVariantMap> recordForPLU(const QString& plu) const;

    // The record that prices the first unit of PLU's package: the master record named by PLU's
    // "pkgFirstItemPLU". Nothing when either record or the key is missing.
    std::optional<QVariantMap> getTranslatedFirstItemInfo(const QString& plu) const;

    // Record field helpers: strings as stored, the unit price as a 32-bit float.
    static QString stringField(const QVariantMap& record, const char* key);
    static float unitPrice(const QVariantMap& record);

private:
    void buildPseudoPackages();

    Settings* m_settings;
    QVariantMap m_masterItemList;
    QVariantList m_displayPackageList;
    int m_numberOfFirstItems = 0;
    QVariantMap m_freeSheetPackageInfo;
    QVariantMap m_discountAmtDictionary;
    QString m_loadError;
};

} // namespace kivo
