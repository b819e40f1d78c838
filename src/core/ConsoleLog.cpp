#include "core/ConsoleLog.h"

#include "core/Journal.h"
#include "core/Log.h"

#include <QMutex>

#include <cstdio>

namespace kivo {

namespace {

void writeLine(const char* className, const char* method, const QString& text)
{
    static QMutex mutex;
    const QString message =
        QStringLiteral("Inside %1 => %2...%3")
            .arg(QLatin1String(className), QLatin1String(method), Log::boundedMessage(text));
    if (journal::enabled())
        journal::send({journal::Info, message, QString(), QString()});
    const QByteArray line = (message + QLatin1Char('\n')).toUtf8();
    QMutexLocker lock(&mutex);
    std::fwrite(line.constData(), 1, static_cast<size_t>(line.size()), stderr);
    std::fflush(stderr);
}

} // namespace

void consoleLog(const QLoggingCategory& category, const char* className, const char* method,
                const QString& text)
{
    if (category.isInfoEnabled())
        writeLine(className, method, text);
}

} // namespace kivo
