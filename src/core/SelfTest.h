#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace kivo {

class Settings;

// One check of what a visit needs, as the self-test prints it and the out-of-service screen
// shows it.
struct CheckResult
{
    QString name; // what was checked, for the operator
    bool ok = false;
    QString reason; // why it failed; empty when it passed
    QString detail; // what a pass found, when worth telling (where the catalogue came from)
    // The station cannot sell while this fails (an order could not be written, nothing could be
    // offered). Other failures are reported and the station sells on.
    bool stopsSales = false;
};

using SelfCheck = std::function<CheckResult()>;

// The checks the station runs before it sells, in the order they were added. Every check runs,
// whatever the earlier ones found.
class SelfTest
{
public:
    void add(SelfCheck check) { m_checks.append(std::move(check)); }
    qsizetype size() const { return m_checks.size(); }
    QList<CheckResult> run() const;

    // The checks that need only the station's core: settings file, images folder, order and
    // invoice folders, log file, free space. LOGFILE is the station's log.
    static SelfTest coreChecks(const Settings& settings, const QString& logFile);

    // The folder order files go to: prefLocalServerPath, else the shared order folder the
    // station makes at start.
    static QString orderFolder(const Settings& settings);

    // One line for the operator: "NAME: OK", "NAME: OK (DETAIL)" or "NAME: REASON".
    static QString line(const CheckResult& result);
    static bool allPassed(const QList<CheckResult>& results);
    // The reasons of the failures that stop sales, one "NAME: REASON" each.
    static QStringList salesStoppers(const QList<CheckResult>& results);

private:
    QList<SelfCheck> m_checks;
};

// The single checks, each usable on its own.
namespace checks {

// Below this much free space an order folder stops sales: a release writes its files there, and
// a file cut short by a full disk is an order lost.
inline constexpr qint64 kMinFreeBytes = qint64(100) * 1024 * 1024;

// A stored settings file that exists but is not a readable property-list dictionary. No file at
// all passes: the factory defaults apply until the first save.
CheckResult settingsReadable(const QString& path);

// The settings file is readable (as above) and every amount and count in it can be used: each
// one out of range or of the wrong type is named. Sales go on (the readers fall back).
CheckResult settingsUsable(const Settings& settings);

// The site has chosen its own codes; the factory ones still in use are named. Sales go on.
CheckResult siteCodesChanged(const Settings& settings);

// The file operations the file-system probe uses, as the operating system does them. Each returns
// 0 or the error number. A test stands in for a file system that breaks one of its promises.
class ProbeFileSystem
{
public:
    virtual ~ProbeFileSystem() = default;
    virtual int makeFolder(const QByteArray& path);
    virtual int removeFolder(const QByteArray& path);
    // Creates PATH only when nothing is there, holding CONTENT.
    virtual int createExclusive(const QByteArray& path, const QByteArray& content);
    virtual int rename(const QByteArray& from, const QByteArray& to);
    virtual int remove(const QByteArray& path);
    virtual bool exists(const QByteArray& path);
    // The folder's modification time in nanoseconds; setting it may fail (returns the error).
    virtual int modificationTime(const QByteArray& path, qint64* nanoseconds);
    virtual int setModificationTime(const QByteArray& path, qint64 nanoseconds);
};

// What the station relies on from the file system of FOLDER (the images folder, which the
// stations of a site share): a second exclusive creation of a folder or of a file fails (the
// customer lock), a rename replaces its target in one step, and a folder's modification time
// moves when a file is added to it (the search sees new photos by it). Tried in a hidden folder
// of a name of its own, removed again. Empty when all hold; otherwise what failed, naming FOLDER.
// A share that stopped answering blocks the caller: call it off the screens' thread.
QString fileSystemProblem(const QString& folder, ProbeFileSystem& fileSystem);
QString fileSystemProblem(const QString& folder);

// The images folder can be listed, and its file system keeps what the station relies on
// (fileSystemProblem). A folder that is not set or not there is reported without stopping sales
// here: the start-up validation offers the preferences for it. A file system that does not keep
// its promises is reported and the station sells on.
CheckResult imagesFolderReadable(const QString& path);

// A real file is created in FOLDER, written, flushed and removed. With MISSINGSTOPSSALES false
// an unset or absent folder is reported without stopping sales (as for the images folder).
CheckResult folderWritable(const QString& name, const QString& folder, bool missingStopsSales);

// The order folder (SelfTest::orderFolder) can be written; the shared order folder, when not
// made yet, can be made.
CheckResult orderFolderWritable(const Settings& settings);

// The log file can be opened for appending (created with its folder when absent).
CheckResult logWritable(const QString& path);

// Each existing folder of FOLDERS has at least MINBYTES free. A file system that reports no
// size at all is named without stopping sales.
CheckResult freeSpace(const QStringList& folders, qint64 minBytes = kMinFreeBytes);

} // namespace checks

} // namespace kivo
