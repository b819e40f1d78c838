#include "core/StartupValidation.h"

#include "core/ConsoleLog.h"
#include "core/CustomerLock.h"
#include "core/FileReference.h"
#include "core/Logging.h"
#include "core/SelfTest.h"
#include "core/Settings.h"
#include "core/SettingsKeys.h"

#include <QFileInfo>

namespace kivo {

namespace {

bool checkFolder(Settings& settings, const char* pathKey, const char* aliasKey,
                 const char* validKey)
{
    const QString path = settings.stringValue(QString::fromLatin1(pathKey));
    if (path.isEmpty()) {
        consoleLog(lcCore(), "SalesWindow", "performStartupValidation",
                   QStringLiteral("No folder set for %1").arg(QLatin1String(pathKey)));
        return false;
    }
    if (QFileInfo(path).isDir())
        return true;
    QString resolved;
    if (FileReference::resolve(settings.bytesValue(QString::fromLatin1(aliasKey)), &resolved) &&
        QFileInfo(resolved).isDir()) {
        settings.setBoolValue(QString::fromLatin1(validKey), true);
        settings.setStringValue(QString::fromLatin1(pathKey), resolved);
        consoleLog(lcCore(), "SalesWindow", "performStartupValidation",
                   QStringLiteral("Found moved folder [%1] at [%2]").arg(path, resolved));
        return true;
    }
    settings.setBoolValue(QString::fromLatin1(validKey), false);
    consoleLog(lcCore(), "SalesWindow", "performStartupValidation",
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
        const QString images = settings.stringValue(QString::fromLatin1(sPrefMainImagesFolder));
        result.fileSystemProblem = checks::fileSystemProblem(images);
        if (!result.fileSystemProblem.isEmpty())
            consoleLog(lcCore(), "SalesWindow", "performStartupValidation",
                       result.fileSystemProblem);
    }
    result.ok = result.missing.isEmpty();
    if (result.ok) {
        result.leftoverLocksRemoved = CustomerLock::removeLocksLeftByThisStation(
            settings.stringValue(QString::fromLatin1(sPrefMainImagesFolder)));
    }
    return result;
}

} // namespace kivo
