#include "core/StartupValidation.h"

#include "core/ConsoleLog.h"
#include "core/CustomerLock.h"
#include "core/FileReference.h"
#include "core/SelfTest.h"
#include "core/Settings.h"
#include "core/SettingsKeys.h"

#include <QFileInfo>

namespace kivo {

namespace {

bool checkFolder(Settings& settings, const char* pathKey, const char* aliasKey,
                 const char* validKey)
{
    const QString path = settings.stringForKey(QString::fromLatin1(pathKey));
    if (path.isEmpty()) {
        consoleLog("SalesWindowController", "performStartupValidation",
                   QStringLiteral("No folder set for %1").arg(QLatin1String(pathKey)));
        return false;
    }
    if (QFileInfo(path).isDir())
        return true;
    QString resolved;
    if (FileReference::resolve(settings.dataForKey(QString::fromLatin1(aliasKey)), &resolved) &&
        QFileInfo(resolved).isDir()) {
        settings.setBool(true, QString::fromLatin1(validKey));
        settings.setString(resolved, QString::fromLatin1(pathKey));
        consoleLog("SalesWindowController", "performStartupValidation",
                   QStringLiteral("Found moved folder [%1] at [%2]").arg(path, resolved));
        return true;
    }
    settings.setBool(false, QString::fromLatin1(validKey));
    consoleLog("SalesWindowController", "performStartupValidation",
               QStringLiteral("UNABLE to find folder [%1]").arg(path));
    return false;
}

} // namespace

StartupValidationResult performStartupValidation(Settings& settings)
{
    StartupValidationResult result;
    if (!checkFolder(settings, sPrefMainImagesFolder, sPrefMainImagesFolderAliasData,
                     sPrefIsValidMainImagesFolder))
        result.missing << QString::fromLatin1(sPrefMainImagesFolder);
    if (!checkFolder(settings, sPrefTilboxPendingInvoiceFolder,
                     sPrefTilboxPendingInvoiceFolderAliasData,
                     sPrefIsValidTilboxPendingInvoiceFolder))
        result.missing << QString::fromLatin1(sPrefTilboxPendingInvoiceFolder);
    if (!result.missing.contains(QLatin1String(sPrefMainImagesFolder))) {
        const QString images = settings.stringForKey(QString::fromLatin1(sPrefMainImagesFolder));
        result.fileSystemProblem = checks::fileSystemProblem(images);
        if (!result.fileSystemProblem.isEmpty())
            consoleLog("SalesWindowController", "performStartupValidation",
                       result.fileSystemProblem);
    }
    result.ok = result.missing.isEmpty();
    if (result.ok) {
        result.leftoverLocksRemoved = CustomerLock::removeLocksLeftByThisStation(
            settings.stringForKey(QString::fromLatin1(sPrefMainImagesFolder)));
    }
    return result;
}

} // namespace kivo
