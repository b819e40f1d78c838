#pragma once

#include "orders/OrderLine.h"

#include <QString>
#include <QVariantList>
#include <QVariantMap>

#include <optional>

namespace kivo {

class Settings;

// What the station sells: the master item list (every package record by PLU), the display
// package list (the records the package panel offers, in panel order), the panel's number of
// first items, and the two pseudo-package records of the pending invoice. Loaded once at
// start-up from "UIDisplayPackageList.plist" and "MasterItemList.plist": the site's own pair
// beside the settings file (written by the preferences' package editor) when there is one,
// else the pair shipped in the resources folder, which a package install keeps read-only.
class PackageCatalogue
{
public:
    explicit PackageCatalogue(Settings& settings);
    // A catalogue over no settings: its pseudo-package records keep the settings' defaults. A
    // placeholder to copy a catalogue into, or a trial load of files.
    PackageCatalogue();

    // The largest catalogue the station takes: a bigger one is refused when it loads (a panel
    // of thousands of packages took minutes and gigabytes to show, and no kiosk sells that many).
    static constexpr qint64 kMaxFileBytes = 1048576; // each of the two files
    static constexpr qsizetype kMaxOfferedPackages = 50;
    static constexpr qsizetype kMaxMasterItems = 1000;

    // Loads the site's catalogue, else the shipped one. A site catalogue that does not load is
    // logged and the shipped one is used. False when the display package list cannot be read
    // (the catalogue is then empty, as the station runs with an empty panel).
    bool load();

    // The folder of the site's own catalogue: the settings file's folder.
    static QString siteCatalogueFolder();
    // The files load() reads: the site's when its display list exists, else the shipped ones
    // (the master item list path may name a file that does not exist).
    static QString displayListPath();
    static QString masterItemListPath();
    // Whether the site has a catalogue of its own.
    static bool hasSiteCatalogue();
    // Loads from the given files; MASTERPATH may be empty or missing.
    bool loadFromFiles(const QString& displayListPath, const QString& masterItemListPath);

    // "Unable to find dictionary at path [...]" after a failed load, else empty.
    const QString& loadError() const { return m_loadError; }
    // Why the site's own catalogue was refused when load() fell back to the shipped one, else
    // empty.
    const QString& siteLoadError() const { return m_siteLoadError; }

    const QVariantMap& masterItemList() const { return m_masterItemList; }
    const QVariantList& displayPackageList() const { return m_displayPackageList; }
    int numberOfFirstItems() const { return m_numberOfFirstItems; }
    // The invoice's free-sheets record at the full amount per sheet (prefFreebieAmount).
    const PseudoPackage& freeSheetPackageInfo() const { return m_freeSheetPackageInfo; }
    const PseudoPackage& discountAmounts() const { return m_discountAmounts; }

    // The master item list's record for PLU; an exact match first, else one that differs only
    // in case (PLUs are compared without regard to case).
    std::optional<PackageRecord> recordForPLU(const QString& plu) const;

    // The record that prices the first unit of PLU's package: the master record named by PLU's
    // "pkgFirstItemPLU". Nothing when either record or the key is missing.
    std::optional<PackageRecord> translatedFirstItemInfo(const QString& plu) const;

    // Record field helpers: strings as stored, the unit price as a 32-bit float.
    static QString stringField(const QVariantMap& record, const char* key);
    static float unitPrice(const QVariantMap& record);

private:
    void buildPseudoPackages();
    // The master item list's record dictionary for PLU, found as recordForPLU() finds it.
    std::optional<QVariantMap> masterRecord(const QString& plu) const;

    Settings* m_settings;
    QVariantMap m_masterItemList;
    QVariantList m_displayPackageList;
    int m_numberOfFirstItems = 0;
    PseudoPackage m_freeSheetPackageInfo;
    PseudoPackage m_discountAmounts;
    QString m_loadError;
    QString m_siteLoadError;
};

} // namespace kivo
