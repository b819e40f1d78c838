#include "core/FactoryDefaults.h"

#include "core/ConsoleLog.h"
#include "core/Logging.h"
#include "core/PropertyList.h"
#include "core/Settings.h"

#include <QFileInfo>

namespace kivo {

QStringList initialValueKeys()
{
    QStringList keys;
    for (Setting setting :
         {Setting::mainImagesFolder, Setting::mainImagesFolderAliasData,
          Setting::isValidMainImagesFolder, Setting::tilboxPendingInvoiceFolder,
          Setting::tilboxPendingInvoiceFolderAliasData, Setting::isValidTilboxPendingInvoiceFolder,
          Setting::searchDailySubFolder, Setting::dailyFolderDateFormat, Setting::localServerPath,
          Setting::localServerPathAliasData, Setting::isValidLocalServerPath,
          Setting::doShowMenuBar})
        keys << settingKeyString(setting);
    return keys;
}

QStringList factoryEditableTextItems()
{
    QStringList items;
    for (int i = 1; i <= 20; ++i)
        items.append(QStringLiteral("Santa Editable Text Item %1").arg(i, 2, 10, QLatin1Char('0')));
    return items;
}

bool setupFactoryDefaults(Settings& settings, const QString& resourcePath)
{
    if (resourcePath.isEmpty() || !QFileInfo(resourcePath).isFile()) {
        consoleLog(lcCore(), "StationApp", "setupFactoryDefaults",
                   QStringLiteral("userDefaultsValuesPath = [%1]").arg(resourcePath));
        return false;
    }
    QString error;
    const QVariant loaded = plist::readFile(resourcePath, &error);
    QVariantMap defaults = loaded.toMap();
    const bool wasLoaded = loaded.typeId() == QMetaType::QVariantMap;
    if (!wasLoaded)
        consoleLog(lcCore(), "StationApp", "setupFactoryDefaults",
                   QStringLiteral("cannot load factory defaults: %1").arg(error));

    defaults.insert(settingKeyString(Setting::editableTextArray), factoryEditableTextItems());
    consoleLog(lcCore(), "StationApp", "setupFactoryDefaults",
               QStringLiteral("About to register factory default dictionary:\n%1\n")
                   .arg(QString::fromUtf8(plist::toXml(defaults))));
    if (!wasLoaded)
        return false;

    settings.registerDefaults(defaults);
    QVariantMap initial;
    for (const QString& key : initialValueKeys())
        initial.insert(key, defaults.value(key)); // a key the resource lacks stays absent
    settings.setInitialValues(initial);
    settings.setAppliesImmediately(true);
    return true;
}

} // namespace kivo
