#include "orders/Basket.h"

#include "core/PropertyList.h"
#include "orders/PackageCatalogue.h"
#include "orders/SinglePackageModel.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace kivo {

namespace {

QString lineLabel(int photo, int line)
{
    return QStringLiteral("photos[%1].lines[%2]").arg(photo).arg(line);
}

// A whole, non-negative 16-bit count from a property-list number; a message otherwise.
std::optional<int> readCount(const QVariant& value, const QString& label, const char* key,
                             QString* error)
{
    const QString where = QStringLiteral("%1.%2").arg(label, QLatin1String(key));
    qint64 count = 0;
    switch (value.typeId()) {
    case QMetaType::LongLong:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        count = value.toLongLong();
        break;
    case QMetaType::Double: {
        const double real = value.toDouble();
        if (!std::isfinite(real) || real != std::floor(real)) {
            *error = QStringLiteral("%1 is not a whole number").arg(where);
            return std::nullopt;
        }
        if (std::abs(real) > 1e9) {
            *error = QStringLiteral("%1 is too large").arg(where);
            return std::nullopt;
        }
        count = static_cast<qint64>(real);
        break;
    }
    default:
        *error = QStringLiteral("%1 is not a number").arg(where);
        return std::nullopt;
    }
    if (count < 0) {
        *error = QStringLiteral("%1 is negative (%2)").arg(where).arg(count);
        return std::nullopt;
    }
    if (count > std::numeric_limits<qint16>::max()) {
        *error = QStringLiteral("%1 is too large (%2)").arg(where).arg(count);
        return std::nullopt;
    }
    return static_cast<int>(count);
}

} // namespace

std::optional<Basket> Basket::fromFile(const QString& path, QString* error)
{
    QString readError;
    const QVariant value = plist::readFile(path, &readError);
    if (!value.isValid()) {
        *error = QStringLiteral("cannot read basket: %1").arg(readError);
        return std::nullopt;
    }
    return fromVariant(value, error);
}

std::optional<Basket> Basket::fromBytes(const QByteArray& data, QString* error)
{
    QString readError;
    const QVariant value = plist::fromData(data, &readError);
    if (!value.isValid()) {
        *error = QStringLiteral("cannot read basket: %1").arg(readError);
        return std::nullopt;
    }
    return fromVariant(value, error);
}

std::optional<Basket> Basket::fromVariant(const QVariant& value, QString* error)
{
    if (value.typeId() != QMetaType::QVariantMap) {
        *error = QStringLiteral("the basket is not a dictionary");
        return std::nullopt;
    }
    const QVariantMap root = value.toMap();
    Basket basket;
    const QVariant customer = root.value(QStringLiteral("customerID"));
    if (customer.typeId() != QMetaType::QString || customer.toString().isEmpty()) {
        *error = QStringLiteral("customerID is missing or not a string");
        return std::nullopt;
    }
    basket.customerID = customer.toString();

    const QVariant photos = root.value(QStringLiteral("photos"));
    if (photos.typeId() != QMetaType::QVariantList) {
        *error = QStringLiteral("photos is missing or not an array");
        return std::nullopt;
    }
    const QVariantList photoList = photos.toList();
    for (int p = 0; p < photoList.size(); ++p) {
        const QString photoLabel = QStringLiteral("photos[%1]").arg(p);
        if (photoList.at(p).typeId() != QMetaType::QVariantMap) {
            *error = QStringLiteral("%1 is not a dictionary").arg(photoLabel);
            return std::nullopt;
        }
        const QVariantMap photoMap = photoList.at(p).toMap();
        BasketPhoto photo;
        const QVariant path = photoMap.value(QStringLiteral("path"));
        if (path.typeId() != QMetaType::QString || path.toString().isEmpty()) {
            *error = QStringLiteral("%1.path is missing or not a string").arg(photoLabel);
            return std::nullopt;
        }
        photo.path = path.toString();

        const QVariant lines = photoMap.value(QStringLiteral("lines"), QVariantList());
        if (lines.typeId() != QMetaType::QVariantList) {
            *error = QStringLiteral("%1.lines is not an array").arg(photoLabel);
            return std::nullopt;
        }
        const QVariantList lineList = lines.toList();
        for (int l = 0; l < lineList.size(); ++l) {
            const QString label = lineLabel(p, l);
            if (lineList.at(l).typeId() != QMetaType::QVariantMap) {
                *error = QStringLiteral("%1 is not a dictionary").arg(label);
                return std::nullopt;
            }
            const QVariantMap lineMap = lineList.at(l).toMap();
            BasketLine line;
            const QVariant name = lineMap.value(QStringLiteral("pkgDisplayName"));
            if (name.typeId() != QMetaType::QString || name.toString().isEmpty()) {
                *error = QStringLiteral("%1.pkgDisplayName is missing or not a string").arg(label);
                return std::nullopt;
            }
            line.pkgDisplayName = name.toString();
            const QString named = QStringLiteral("%1 (\"%2\")").arg(label, line.pkgDisplayName);

            if (!lineMap.contains(QStringLiteral("pkgQty"))) {
                *error = QStringLiteral("%1.pkgQty is missing").arg(named);
                return std::nullopt;
            }
            const std::optional<int> qty =
                readCount(lineMap.value(QStringLiteral("pkgQty")), named, "pkgQty", error);
            if (!qty)
                return std::nullopt;
            line.pkgQty = *qty;

            if (lineMap.contains(QStringLiteral("pkgPrePrintQty"))) {
                const std::optional<int> prePrinted =
                    readCount(lineMap.value(QStringLiteral("pkgPrePrintQty")), named,
                              "pkgPrePrintQty", error);
                if (!prePrinted)
                    return std::nullopt;
                if (*prePrinted > line.pkgQty) {
                    *error = QStringLiteral("%1.pkgPrePrintQty (%2) exceeds pkgQty (%3)")
                                 .arg(named)
                                 .arg(*prePrinted)
                                 .arg(line.pkgQty);
                    return std::nullopt;
                }
                line.pkgPrePrintQty = *prePrinted;
            }
            photo.lines.append(line);
        }
        basket.photos.append(photo);
    }
    return basket;
}

bool Basket::buildPhotoOrders(const PackageCatalogue& catalogue, QList<ImageOrder>* orders,
                              QString* error) const
{
    const QVariantList& records = catalogue.displayPackageList();
    // Only the packages that reach a line of the order can be chosen.
    const int orderable = std::min(static_cast<int>(records.size()), ImageOrder::kDefaultLineCount);
    auto offered = [&](const QString& name) {
        for (int i = 0; i < orderable; ++i) {
            const QString display =
                PackageCatalogue::stringField(records.at(i).toMap(), "pkgDisplayName");
            if (display.compare(name, Qt::CaseInsensitive) == 0)
                return true;
        }
        return false;
    };

    QList<ImageOrder> built;
    built.reserve(photos.size());
    for (int p = 0; p < photos.size(); ++p) {
        ImageOrder order;
        order.copyDefaultsToOrder(records);
        for (int l = 0; l < photos.at(p).lines.size(); ++l) {
            const BasketLine& line = photos.at(p).lines.at(l);
            if (!offered(line.pkgDisplayName)) {
                *error = QStringLiteral("%1 (\"%2\"): the catalogue offers no such package")
                             .arg(lineLabel(p, l), line.pkgDisplayName);
                return false;
            }
            // A fresh row each time, as the panel shows each package's own row.
            SinglePackageModel model;
            model.assignName(line.pkgDisplayName);
            model.assignPrePrintedQtyValue(static_cast<qint16>(line.pkgPrePrintQty));
            model.assignValue(static_cast<qint16>(line.pkgQty));
            order.copySinglePackageModelToOrder(&model);
        }
        built.append(order);
    }
    *orders = built;
    return true;
}

} // namespace kivo
