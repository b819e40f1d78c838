#include "core/Paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <unistd.h>

namespace kivo::paths {

namespace {

QString envPath(const char* name)
{
    const QByteArray value = qgetenv(name);
    if (value.isEmpty())
        return {};
    return QDir::cleanPath(QString::fromLocal8Bit(value));
}

QString xdgHome(const char* variable, const QString& fallbackBelowHome)
{
    QString base = envPath(variable);
    if (base.isEmpty())
        base = QDir::homePath() + QLatin1Char('/') + fallbackBelowHome;
    return base;
}

bool folderIsWritable(const QString& folder)
{
    QFileInfo info(folder);
    if (info.exists())
        return info.isDir() && ::access(QFile::encodeName(folder).constData(), W_OK | X_OK) == 0;
    // A folder that does not exist yet is usable when its parent lets us create it.
    const QString parent = info.absolutePath();
    return parent != folder && folderIsWritable(parent);
}

} // namespace

QString kivoRoot()
{
    return envPath("KIVO_ROOT");
}

QString settingsFile()
{
    const QString root = kivoRoot();
    if (!root.isEmpty())
        return root + QStringLiteral("/config/KivoSalesStation.plist");
    return xdgHome("XDG_CONFIG_HOME", QStringLiteral(".config")) +
           QStringLiteral("/kivo/KivoSalesStation.plist");
}

QString sharedRoot()
{
    const QString root = kivoRoot();
    if (!root.isEmpty())
        return root + QStringLiteral("/shared");
    return QStringLiteral("/srv/kivo");
}

QString sharedOrderFolder()
{
    return sharedRoot() + QStringLiteral("/KivoSalesStation");
}

QString sharedReceiptsFolder()
{
    return sharedRoot() + QStringLiteral("/KivoSalesStationReceipts");
}

QString logFolder()
{
    const QString root = kivoRoot();
    if (!root.isEmpty())
        return root + QStringLiteral("/logs");
    const QString system = QStringLiteral("/var/log/kivo");
    if (folderIsWritable(system))
        return system;
    return xdgHome("XDG_STATE_HOME", QStringLiteral(".local/state")) + QStringLiteral("/kivo");
}

QString logFile(const QString& applicationName)
{
    return logFolder() + QLatin1Char('/') + applicationName + QStringLiteral(".log");
}

QString thumbnailCacheFolder()
{
    const QString root = kivoRoot();
    if (!root.isEmpty())
        return root + QStringLiteral("/cache/thumbnails");
    return xdgHome("XDG_CACHE_HOME", QStringLiteral(".cache")) + QStringLiteral("/kivo/thumbnails");
}

QString resourcesFolder()
{
    const QString fromEnv = envPath("KIVO_RESOURCES");
    if (!fromEnv.isEmpty())
        return fromEnv;
    if (QCoreApplication::instance()) {
        const QString installed = QDir::cleanPath(QCoreApplication::applicationDirPath() +
                                                  QStringLiteral("/../share/kivo-sales-station"));
        if (QFileInfo(installed).isDir())
            return installed;
    }
#ifdef KIVO_SOURCE_RESOURCES_DIR
    return QStringLiteral(KIVO_SOURCE_RESOURCES_DIR);
#else
    return {};
#endif
}

QString resourcePath(const QString& name, const QString& type)
{
    const QString folder = resourcesFolder();
    if (folder.isEmpty())
        return {};
    const QString path =
        folder + QLatin1Char('/') + name + (type.isEmpty() ? QString() : QLatin1Char('.') + type);
    return QFileInfo::exists(path) ? path : QString();
}

} // namespace kivo::paths
