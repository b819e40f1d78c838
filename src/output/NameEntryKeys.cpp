#include "output/NameEntryKeys.h"

namespace kivo {

NameKeyAction nameKeyAction(const QString& title, const QString& alternateTitle)
{
    if (alternateTitle == QLatin1String("clear"))
        return {NameKeyAction::Clear, {}};
    if (alternateTitle == QLatin1String("space"))
        return {NameKeyAction::Insert, QStringLiteral(" ")};
    if (alternateTitle == QLatin1String("bs"))
        return {NameKeyAction::DeleteSelection, {}};
    return {NameKeyAction::Insert, title.toLower()};
}

} // namespace kivo
