#pragma once

#include <QList>
#include <QString>

namespace kivo {

// One setting as the preferences sheet edits it: the key, what kind of value it holds, the tab
// it is on and the label it is shown (and named for accessibility) by.
struct PreferenceItem
{
    enum Kind
    {
        Bool,
        Integer,
        Number,
        Text,
        Folder,
        File,
        Printer,
        DateFormat,
        SearchMethod,
    };
    enum Tab
    {
        Folders,
        Visit,
        PackagesAndPrices,
        ReceiptsAndPrinters,
        AttractScreen,
        Other,
    };

    const char* key;
    Kind kind;
    Tab tab;
    const char* label; // translated in the "Preferences" context
    // For numbers: the range the station accepts.
    double minimum = 0;
    double maximum = 0;
    // A switch that needs a printer: the printer's key.
    const char* printerKey = nullptr;
    // A folder the station writes into.
    bool written = false;
};

// Every setting the operator edits, in the order the sheet shows them.
const QList<PreferenceItem>& preferenceItems();
// The item of KEY, or nullptr.
const PreferenceItem* preferenceItem(const QString& key);
// The tab's title, translated.
QString preferenceTabTitle(PreferenceItem::Tab tab);
// The label of ITEM, translated.
QString preferenceLabel(const PreferenceItem& item);

} // namespace kivo
