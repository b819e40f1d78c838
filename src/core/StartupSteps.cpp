#include "core/StartupSteps.h"

#include "core/ConsoleLog.h"
#include "core/FileReference.h"
#include "core/Logging.h"
#include "core/Settings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <cerrno>
#include <cstring>

namespace kivo {

double leadingDecimalNumber(const QString& text)
{
    static const QRegularExpression leading(QStringLiteral("^\\s*([+-]?\\d+(?:\\.\\d+)?)"));
    const QRegularExpressionMatch match = leading.match(text);
    return match.hasMatch() ? match.captured(1).toDouble() : 0.0;
}

double applyOperatingSystemVersion(Settings& settings, const QString& versionText)
{
    const double version = leadingDecimalNumber(versionText.trimmed());
    const bool standardImagePath = version >= 10.6;
    if (version >= 10.5)
        settings.setCurOsVersInFloat(version);
    else
        consoleLog(lcCore(), "StartupSteps", "applyOperatingSystemVersion",
                   QStringLiteral("Operating system version [%1] is older than expected")
                       .arg(versionText.trimmed()));
    settings.setCanUseStdNsImage(standardImagePath);
    return version;
}

void createConfiguredFolders(const Settings& settings)
{
    for (const QString& path : {settings.localReceiptPath(), settings.localServerPath()}) {
        if (path.isEmpty())
            continue;
        if (!QDir().mkpath(path))
            consoleLog(lcCore(), "StartupSteps", "createConfiguredFolders",
                       QStringLiteral("Unable to create folder [%1]").arg(path));
    }
}

SharedFolderResult ensureSharedOrderFolder(Settings& settings, const QString& path)
{
    SharedFolderResult result;
    result.path = path;
    const QFileInfo info(path);
    if (info.exists() || info.isSymLink()) {
        settings.setLocalServerPath(path);
        settings.setIsValidLocalServerPath(true);
        result.ok = true;
        return result;
    }
    errno = 0;
    if (!QDir().mkpath(path)) {
        // mkpath says only yes or no: find the first part of the path that is in the way.
        QString blocker = path;
        QString reason = QString::fromLocal8Bit(std::strerror(errno ? errno : EACCES));
        for (QString p = QFileInfo(path).absolutePath(); !p.isEmpty();
             p = QFileInfo(p).absolutePath()) {
            const QFileInfo part(p);
            if (part.exists()) {
                blocker = p;
                if (!part.isDir())
                    reason =
                        QCoreApplication::translate("StartupSteps", "%1 is not a folder").arg(p);
                else if (!part.isWritable())
                    reason =
                        QCoreApplication::translate("StartupSteps", "%1 is not writable").arg(p);
                break;
            }
            if (p == QLatin1String("/"))
                break;
        }
        result.error =
            QCoreApplication::translate("StartupSteps", "The folder could not be created (%1).")
                .arg(reason);
        return result;
    }
    settings.setLocalServerPathAliasData(FileReference::create(path));
    settings.setLocalServerPath(path);
    settings.setIsValidLocalServerPath(true);
    result.ok = true;
    return result;
}

} // namespace kivo
