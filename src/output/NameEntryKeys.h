#pragma once

#include <QString>

namespace kivo {

// What an on-screen key of the name prompt does to the focused text field. A key is known by
// its title and its alternate title: "clear" empties the field, "space" inserts a blank, "bs"
// removes the selection; any other key types its title in lower case.
struct NameKeyAction
{
    enum Kind
    {
        Clear,
        Insert,
        DeleteSelection
    };
    Kind kind = Insert;
    QString text; // what Insert types
};

NameKeyAction nameKeyAction(const QString& title, const QString& alternateTitle);

} // namespace kivo
