#pragma once

#include <QString>
#include <QTemporaryDir>

#include <functional>

namespace kivo::test {

// A fresh KIVO_ROOT for one test: a temporary folder set as KIVO_ROOT for the test's life, with
// the process-wide settings reloaded from it, so that no test touches a real installation or
// another test's files. The previous KIVO_ROOT comes back at the end.
class TestRoot
{
public:
    TestRoot();
    ~TestRoot();
    TestRoot(const TestRoot&) = delete;
    TestRoot& operator=(const TestRoot&) = delete;

    QString path() const { return m_dir.path(); }
    // RELATIVE below the root: file() creates nothing, folder() creates the folder.
    QString file(const QString& relative) const;
    QString folder(const QString& relative) const;

private:
    QTemporaryDir m_dir;
    QByteArray m_previous;
    bool m_hadPrevious;
};

// Writes BYTES to PATH, creating its folders; fails the test on error.
void writeFile(const QString& path, const QByteArray& bytes);
QByteArray readFile(const QString& path);

// Runs the event loop until CONDITION holds or TIMEOUTMS pass; answers whether it held.
bool waitUntil(const std::function<bool()>& condition, int timeoutMs = 5000);

// The folder holding the test program (helper programs are built beside it).
QString binaryFolder();

} // namespace kivo::test
