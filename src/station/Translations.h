// The station speaks the language of the system's locale where a translation of it ships;
// English, the language of the sources, otherwise.
#pragma once

#include <QString>
#include <QStringList>

namespace kivo::Translations {

// Where the station's .qm files are looked for: "translations" in the resources folder (the
// installed package, or $KIVO_RESOURCES) where that folder exists, else BUILD_TREE_FOLDER when
// not empty (a station run from its build tree, where lrelease writes them).
QStringList folders(const QString& buildTreeFolder);

// Installs on the running application the station's translation for the first of the system
// locale's languages that has one in FOLDERS, and Qt's own for the same language (the standard
// dialog buttons). A language list that names English before any translated language keeps
// English. Returns the file installed, empty when the station stays in English.
QString install(const QStringList& folders);

} // namespace kivo::Translations
