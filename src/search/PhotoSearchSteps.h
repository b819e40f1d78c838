#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

namespace kivo {

// The search methods' tag values in the settings; any other value means the index tool.
inline constexpr int kSearchMethodIndexTool = 0;
inline constexpr int kSearchMethodIndexQuery = 1;
inline constexpr int kSearchMethodFolderScan = 2;

// The worker's body for the methods that run on it (the tool and the scan): the photos found
// in FOLDER for IDS, sorted with localizedCompare.
QStringList performSearchOperation(const QString& folder, const QStringList& ids, int method);

// Orders two photo paths by their file names without extension, case-insensitively (a plain,
// not a numeric, comparison): "123456_2.jpg" before "123456_B.JPG". Ties fall back to the whole
// path so that the order never depends on the listing. Negative, 0 or positive.
int localizedCompare(const QString& a, const QString& b);
QStringList sortedPhotoPaths(QStringList paths);

// The index tool: asks `kivo-find` for the image files below FOLDER (the whole default scope
// when FOLDER is empty) whose names begin with one of IDS. Paths in the tool's order, each
// decoded with decodeFileName (any file name comes back whole); empty when the tool
// cannot be found or started.
QStringList searchWithIndexTool(const QStringList& ids, const QString& folder);

// Runs PROGRAM with ARGUMENTS and returns its standard output as it came (whatever its exit
// status); no value when there is no program or it cannot be started.
std::optional<QByteArray> runProgram(const QString& program, const QStringList& arguments);
// The same output decoded as UTF-8; a null string when the program cannot be run.
QString runShellScript(const QString& program, const QStringList& arguments);

// Where `kivo-find` is: $KIVO_FIND_TOOL, else beside this program, else in the build tree's
// tools folder, else on the PATH. Null when none is found.
QString kivoFindToolPath();

} // namespace kivo
