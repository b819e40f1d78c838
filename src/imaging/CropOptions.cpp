#include "imaging/CropOptions.h"

#include "core/Paths.h"
#include "core/PropertyList.h"

#include <QCoreApplication>

#include <cmath>

namespace kivo {

namespace {

CropOptionsResult refused(const QString& path, const QString& why)
{
    return {{},
            QCoreApplication::translate("CropOptions", "The crop sizes in %1 cannot be used: %2")
                .arg(path, why)};
}

} // namespace

CropOptionsResult readCropOptions(const QString& path)
{
    if (path.isEmpty())
        return refused(QStringLiteral("CropOptions.plist"),
                       QCoreApplication::translate("CropOptions", "the file is missing."));
    QString error;
    const QVariant root = plist::readFile(path, &error);
    if (!root.isValid())
        return refused(path, error);
    if (root.typeId() != QMetaType::QVariantList)
        return refused(path, QCoreApplication::translate("CropOptions", "it is not a list."));
    const QVariantList entries = root.toList();
    if (entries.isEmpty())
        return refused(path, QCoreApplication::translate("CropOptions", "it lists no sizes."));
    CropOptionsResult result;
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const QVariantMap entry = entries.at(i).toMap();
        const QVariant title = entry.value(QStringLiteral("title"));
        const QVariant ratio = entry.value(QStringLiteral("aspectRatio"));
        const int n = int(i) + 1;
        if (entries.at(i).typeId() != QMetaType::QVariantMap ||
            title.typeId() != QMetaType::QString || title.toString().trimmed().isEmpty() ||
            title.toString().contains(QLatin1Char('/')))
            return refused(path, QCoreApplication::translate("CropOptions",
                                                             "entry %1 has no usable \"title\".")
                                     .arg(n));
        const bool number =
            ratio.typeId() == QMetaType::Double || ratio.typeId() == QMetaType::LongLong;
        const double value = ratio.toDouble();
        if (!number || !std::isfinite(value) || value < 1)
            return refused(
                path, QCoreApplication::translate(
                          "CropOptions", "entry %1 needs an \"aspectRatio\" number of at least 1.")
                          .arg(n));
        for (const CropOption& seen : std::as_const(result.options))
            if (seen.title == title.toString())
                return refused(path, QCoreApplication::translate("CropOptions",
                                                                 "the size \"%1\" is listed twice.")
                                         .arg(seen.title));
        result.options.append({title.toString(), value});
    }
    return result;
}

CropOptionsResult loadCropOptions()
{
    return readCropOptions(
        paths::resourcePath(QStringLiteral("CropOptions"), QStringLiteral("plist")));
}

} // namespace kivo
