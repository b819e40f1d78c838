#include "screens/StationStyle.h"

#include "core/ConsoleLog.h"
#include "core/Paths.h"
#include "screens/Logging.h"

#include <QApplication>
#include <QFile>

namespace kivo {

QString stationStyleSheet()
{
    const QString path = paths::resourcePath(QStringLiteral("kivo"), QStringLiteral("qss"));
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly)) {
        consoleLog(lcScreens(), "StationStyle", "stationStyleSheet",
                   QStringLiteral("no style sheet [%1]").arg(path));
        return {};
    }
    return QString::fromUtf8(file.readAll());
}

bool applyStationStyleSheet()
{
    auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
    if (!app)
        return false;
    const QString sheet = stationStyleSheet();
    if (sheet.isEmpty())
        return false;
    app->setStyleSheet(sheet);
    return true;
}

} // namespace kivo
