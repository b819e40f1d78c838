#pragma once

#include <QString>
#include <QStringList>

namespace kivo::instructions {

// The folders searched for the marking window's instruction file, in order: the station's
// resources folder, the folder that holds the program, the Desktop of the user, the root.
QStringList searchFolders();

// The instruction file: "Instructions" with the extensions pdf, png, psd, jpg, tiff, jpeg, rtf,
// txt, rtfd in that order, each looked for in every folder before the next extension, so a
// picture anywhere wins over a text beside the program. A file the station cannot show (a
// format without a decoder here) is passed over. Empty when there is none.
QString findInstructionFile(const QStringList& folders);

// Whether PATH is shown as text (rtf, txt, rtfd) rather than as a picture.
bool isTextFile(const QString& path);

// The readable text of a text instruction file: a plain text as it is, the text of a rich text
// file (or of the TXT.rtf inside an rtfd folder) without its formatting. Empty when unreadable.
QString readText(const QString& path);

// The plain text of rich text format source RTF.
QString plainTextOfRtf(const QByteArray& rtf);

} // namespace kivo::instructions
