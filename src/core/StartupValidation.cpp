#include "core/StartupValidation.h"

#include "core/ConsoleLog.h"
#include "core/CustomerLock.h"
#include "core/FileReference.h"
#include "core/Logging.h"
#include "core/SelfTest.h"
#include "core/Settings.h"

#include <QFileInfo>

namespace kivo {

namespace {

bool checkFolder(Settings& settings, Setting pathKey, Setting aliasKey, Setting validKey)
{
    const QString path = Settings::toText(settings.value(pathKey));
    if (path.isEmpty()) {
        consoleLog(lcCore(), "SalesWindow", "performStartupValidation",
                   QStringLiteral("No folder set for %1").arg(settingKeyString(pathKey)));
        return false;
    }
    if (QFileInfo(path).isDir())
        return true;
    QString resolved;
    if (FileReference::resolve(Settings::toBytes(settings.value(aliasKey)), &resolved) &&
        QFileInfo(resolved).isDir()) {
        settings.setValue(validKey, true);
        settings.setValue(pathKey, resolved);
        consoleLog(lcCore(), "SalesWindow", "performStartupValidation",
                   QStringLiteral("Found moved folder [%1] at [%2]").arg(path, resolved));
        return true;
    }
    settings.setValue(validKey, false);
    consoleLog(lcCore(), "SalesWindow", "performStartupValidation",
               QStringLiteral("UNABLE to find folder [%1]").arg(path));
    return false;
}

} // namespace

StartupValidationResult performStartupValidation(Settings& settings)
{
    StartupValidationResult result;
    if (!checkFolder(settings, Setting::mainImagesFolder, Setting::mainImagesFolderAliasData,
                     Setting::isValidMainImagesFolder))
        result.missing << settingKeyString(Setting::mainImagesFolder);
    if (!checkFolder(settings, Setting::tilboxPendingInvoiceFolder,
                     Setting::tilboxPendingInvoiceFolderAliasData,
                     Setting::isValidTilboxPendingInvoiceFolder))
        result.missing << settingKeyString(Setting::tilboxPendingInvoiceFolder);
    if (!result.missing.contains(settingKeyString(Setting::mainImagesFolder))) {
        const QString images = settings.mainImagesFolder();
        result.fileSystemProblem = checks::fileSystemProblem(images);
        if (!result.fileSystemProblem.isEmpty())
            consoleLog(lcCore(), "SalesWindow", "performStartupValidation",
                       result.fileSystemProblem);
    }
    result.ok = result.missing.isEmpty();
    if (result.ok) {
        result.leftoverLocksRemoved =
            CustomerLock::removeLocksLeftByThisStation(settings.mainImagesFolder());
    }
    return result;
}

} // namespace kivo
