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

} // namespace kivo::search
