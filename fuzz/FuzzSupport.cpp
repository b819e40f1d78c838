#include "FuzzSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

namespace kivo::fuzz {

namespace {

QString root()
{
    static const QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/kivo-fuzz-XXXXXX"));
    static const bool ready = [] {
        if (!dir.isValid())
            fail("cannot make a temporary folder");
        qputenv("KIVO_ROOT", QFile::encodeName(dir.path()));
        return true;
    }();
    Q_UNUSED(ready);
    return dir.path();
}

} // namespace

QString writeInput(const QString& name, const QByteArray& data)
{
    const QString path = QDir(root()).filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(data) != data.size())
        fail("cannot write the input file");
    return path;
}

void fail(const char* what)
{
    std::fprintf(stderr, "finding: %s\n", what);
    std::abort();
}

} // namespace kivo::fuzz
