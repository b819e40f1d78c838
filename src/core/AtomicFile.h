#pragma once

#include <QByteArray>
#include <QString>

namespace kivo {

// Writes DATA to PATH so that a crash or a power cut leaves either the old file or the new one:
// the bytes go to a temporary file in the same folder, are flushed to disk, and the temporary
// file is renamed over PATH. The folder must exist. A new file gets the permissions of any new
// file; a replaced one keeps its own. On failure PATH is untouched, the temporary
// file is removed, and ERROR (when given) says why.
bool writeFileAtomically(const QString& path, const QByteArray& data, QString* error = nullptr);

// Creates PATH with DATA only if nothing exists there yet, in one step of the file system, so
// that of two processes racing for the same path exactly one succeeds. EXISTED (when given) is
// set when the failure was that the path was already taken.
bool createFileExclusively(const QString& path, const QByteArray& data, QString* error = nullptr,
                           bool* existed = nullptr);

// Writes all of DATA to the open file descriptor FD, going on after interruptions; false on a
// write error (errno says which).
bool writeAllToDescriptor(int fd, const QByteArray& data);

} // namespace kivo
