#include "support/TestRoot.h"

#include "core/Settings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

#include <gtest/gtest.h>

namespace kivo::test {

TestRoot::TestRoot()
    : m_previous(qgetenv("KIVO_ROOT")), m_hadPrevious(qEnvironmentVariableIsSet("KIVO_ROOT"))
{
    qputenv("KIVO_ROOT", QFile::encodeName(m_dir.path()));
    Settings::instance().reload();
}

TestRoot::~TestRoot()
{
    if (m_hadPrevious)
        qputenv("KIVO_ROOT", m_previous);
    else
        qunsetenv("KIVO_ROOT");
    Settings::instance().reload();
}

QString TestRoot::file(const QString& relative) const
{
    return m_dir.filePath(relative);
}

QString TestRoot::folder(const QString& relative) const
{
    const QString p = m_dir.filePath(relative);
    QDir().mkpath(p);
    return p;
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    ASSERT_EQ(f.write(bytes), bytes.size());
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

bool waitUntil(const std::function<bool()>& condition, int timeoutMs)
{
    return QTest::qWaitFor(condition, timeoutMs);
}

QString binaryFolder()
{
    return QCoreApplication::applicationDirPath();
}

} // namespace kivo::test
