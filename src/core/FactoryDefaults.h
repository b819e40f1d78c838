#pragma once

#include <QString>
#include <QStringList>

namespace kivo {

class Settings;

// The keys whose factory values a revert in the preferences restores.
QStringList initialValueKeys();

// The 20 editable text items every new station starts with.
QStringList factoryEditableTextItems();

// Registers the factory defaults of RESOURCEPATH (the "FactoryDefaults.plist" resource) as the
// registration layer of SETTINGS, with the generated editable text items, and sets the initial
// values of the preferences. A missing or unreadable resource registers nothing and answers
// false; that is not an error for the station (its folder check then asks for preferences).
bool setupFactoryDefaults(Settings& settings, const QString& resourcePath);

} // namespace kivo
