#pragma once

#include <QByteArray>
#include <QString>

#include <string_view>

namespace kivo {

// A file name or path as the file system holds it (bytes) and as the station passes it on (text),
// such that every name goes there and back unchanged. Valid UTF-8 decodes as usual (the same text
// as QFile::decodeName); each byte that is not part of valid UTF-8 (a name written by a camera
// station in Latin-1, say) becomes the lone surrogate U+DC80 to U+DCFF, which no valid name ever
// decodes to, and encodes back to that byte. QFile::decodeName would turn such bytes into
// U+FFFD, and QFile::encodeName a lone surrogate into "?": the photo could then be listed but
// never opened. Every path that came from a folder listing is opened or examined through
// encodeFileName, never through QFile or QFileInfo.
QString decodeFileName(std::string_view bytes);
QByteArray encodeFileName(const QString& name);

// Whether PATH (as decodeFileName gives it) names a regular file that this process can read,
// following symbolic links.
bool isReadableFile(const QString& path);

} // namespace kivo
