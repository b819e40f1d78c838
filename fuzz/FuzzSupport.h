#pragma once

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

// Shared pieces of the fuzz targets.
namespace kivo::fuzz {

inline QByteArray bytes(const uint8_t* data, size_t size)
{
    return QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

// Writes DATA to the file NAME in this process's own temporary folder (made once, under
// KIVO_ROOT, which it also sets, so nothing the station reads for itself lies outside it) and
// returns its path; for readers that only take a path.
QString writeInput(const QString& name, const QByteArray& data);

// Ends the run with a finding that a sanitizer cannot see: a reader broke its own promise.
[[noreturn]] void fail(const char* what);

} // namespace kivo::fuzz
