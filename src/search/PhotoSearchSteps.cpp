#include "search/PhotoSearchSteps.h"

#include "core/ConsoleLog.h"
#include "core/FileNames.h"
#include "core/Log.h"
#include "search/FolderScan.h"
#include "search/Logging.h"
#include "search/NameFolding.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <algorithm>

namespace kivo {

int localizedCompare(const QString& a, const QString& b)
{
    auto stem = [](const QString& path) {
        const QString name = path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
        const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
        return dot > 0 ? name.left(dot) : name;
    };
    const int byName = QString::compare(stem(a), stem(b), Qt::CaseInsensitive);
    if (byName != 0)
        return byName;
    return QString::compare(a, b);
}

QStringList sortedPhotoPaths(QStringList paths)
{
    std::sort(paths.begin(), paths.end(),
              [](const QString& a, const QString& b) { return localizedCompare(a, b) < 0; });
    return paths;
}

QString kivoFindToolPath()
{
    const QString fromEnvironment = qEnvironmentVariable("KIVO_FIND_TOOL");
    if (!fromEnvironment.isEmpty())
        return fromEnvironment;
    const QString here = QCoreApplication::applicationDirPath();
    for (const QString& candidate : {here + QStringLiteral("/kivo-find"),
                                     here + QStringLiteral("/../tools/kivo-find/kivo-find"),
                                     here + QStringLiteral("/../../tools/kivo-find/kivo-find")}) {
        const QFileInfo info(candidate);
        if (info.isFile() && info.isExecutable())
            return info.canonicalFilePath();
    }
    return QStandardPaths::findExecutable(QStringLiteral("kivo-find"));
}

std::optional<QByteArray> runProgram(const QString& program, const QStringList& arguments)
{
    if (program.isEmpty()) {
        consoleLog(lcSearch(), "PhotoSearch", "runShellScript",
                   QStringLiteral("No program to run"));
        return std::nullopt;
    }
    QProcess process;
    process.setProcessChannelMode(QProcess::SeparateChannels);
    process.setStandardInputFile(QProcess::nullDevice());
    process.start(program, arguments, QIODevice::ReadOnly);
    if (!process.waitForStarted(-1)) {
        consoleLog(lcSearch(), "PhotoSearch", "runShellScript",
                   QStringLiteral("Could not start %1: %2").arg(program, process.errorString()));
        return std::nullopt;
    }
    QByteArray output;
    while (!process.waitForFinished(1000)) {
        if (process.state() == QProcess::NotRunning)
            break;
        output += process.readAllStandardOutput();
    }
    output += process.readAllStandardOutput();
    const bool ok = process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    consoleLog(lcSearch(), "PhotoSearch", "runShellScript",
               QStringLiteral("%1 exit status %2")
                   .arg(program, ok ? QStringLiteral("0") : QStringLiteral("failed")));
    return output;
}

QString runShellScript(const QString& program, const QStringList& arguments)
{
    const std::optional<QByteArray> output = runProgram(program, arguments);
    return output ? QString::fromUtf8(*output) : QString();
}

QStringList searchWithIndexTool(const QStringList& ids, const QString& folder)
{
    if (!folder.isEmpty() && !QFileInfo(folder).isDir())
        consoleLog(lcSearch(), "PhotoSearch", "searchWithIndexTool",
                   QStringLiteral("Folder does not exist: %1").arg(folder));
    // Paths end with a NUL, the one byte no file name holds: a line break may (a name typed on
    // a camera station), and the names are passed on as bytes, whatever their encoding.
    QStringList arguments{QStringLiteral("-0")};
    if (!folder.isEmpty())
        arguments << QStringLiteral("-onlyin") << folder;
    arguments << QStringLiteral("--"); // an ID is never taken for an option
    for (const QString& id : ids)
        arguments << search::trimmedSearchID(id);
    QStringList found;
    const std::optional<QByteArray> response = runProgram(kivoFindToolPath(), arguments);
    if (!response)
        return found;
    for (const QByteArray& path : response->split('\0')) {
        if (!path.isEmpty())
            found.append(decodeFileName(std::string_view(path.data(), size_t(path.size()))));
    }
    return found;
}

QStringList performSearchOperation(const QString& folder, const QStringList& ids, int method)
{
    QStringList found;
    if (method == kSearchMethodFolderScan)
        found = photosInFolder(folder, ids, true);
    else
        found = searchWithIndexTool(ids, folder);
    kivo::Log::debug(lcSearch(), QStringLiteral("Photo search in %1 for [%2] found %3")
                                     .arg(folder, ids.join(QLatin1Char(',')))
                                     .arg(found.size()));
    return sortedPhotoPaths(found);
}

} // namespace kivo
