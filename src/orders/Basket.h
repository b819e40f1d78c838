#pragma once

#include "orders/ImageOrder.h"

#include <QList>
#include <QString>
#include <QVariant>

#include <optional>

namespace kivo {

class PackageCatalogue;

// A customer's choices as a file: {"customerID": string, "photos": [{"path": string, "lines":
// [{"pkgDisplayName": string, "pkgQty": integer, "pkgPrePrintQty": integer (optional)}]}]}.
// Lets a site replay an order, or check its catalogue and price rules, without the screens.
struct BasketLine
{
    QString pkgDisplayName;
    int pkgQty = 0;
    int pkgPrePrintQty = 0;
};

struct BasketPhoto
{
    QString path;
    QList<BasketLine> lines;
};

class Basket
{
public:
    // Parses the basket at PATH (XML or binary property list). Nothing, with a message naming
    // the bad entry in ERROR, when the file cannot be read or an entry is malformed: a missing
    // name or path, a quantity that is not a whole number, negative, beyond a 16-bit count, or
    // a pre-printed quantity above the quantity.
    static std::optional<Basket> fromFile(const QString& path, QString* error);
    // The same from the file's bytes (for a fuzz target, which has no file).
    static std::optional<Basket> fromBytes(const QByteArray& data, QString* error);
    static std::optional<Basket> fromVariant(const QVariant& value, QString* error);

    // One order per photo, in basket order: set up from the catalogue's display package list
    // and given the basket's quantities through a package-panel row, as a customer's touches
    // would. False, with a message naming the entry, when a line names a package the catalogue
    // does not offer.
    bool buildPhotoOrders(const PackageCatalogue& catalogue, QList<ImageOrder>* orders,
                          QString* error) const;

    QString customerID;
    QList<BasketPhoto> photos;
};

} // namespace kivo
