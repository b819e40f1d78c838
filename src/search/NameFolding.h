#pragma once

#include <QByteArray>
#include <QString>

#include <string>
#include <string_view>

namespace kivo::search {

// NAME (UTF-8 bytes of a file name) folded for comparing without regard to case or diacritics:
// "Café_ÄB.JPG" and "cafe_ab.jpg" fold alike, whether the name was stored composed (Linux) or
// decomposed (a Mac writing to the share). Plain ASCII, the usual case, is only lower-cased.
std::string foldName(std::string_view name);
std::string foldName(const QString& name);

// ID as the search methods that match the start of a name take it: its last path component with
// "[" and "]" trimmed from both ends ("[123456]" -> "123456").
QString trimmedSearchID(const QString& id);

// A file name or path as the file system holds it (bytes) and as the station passes it on (text),
// such that every name goes there and back unchanged. Valid UTF-8 decodes as usual (the same text
// as QFile::decodeName); each byte that is not part of valid UTF-8 (a name written by a camera
// station in Latin-1, say) becomes the lone surrogate U+DC80 to U+DCFF, which no valid name ever
// decodes to, and encodes back to that byte. QFile::decodeName would turn such bytes into
// U+FFFD, and the photo could then be listed but never opened.
QString decodeFileName(std::string_view bytes);
QByteArray encodeFileName(const QString& name);

} // namespace kivo::search
