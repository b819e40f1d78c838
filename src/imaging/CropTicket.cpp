#include "imaging/CropTicket.h"

#include "core/ConsoleLog.h"
#include "core/FileNames.h"
#include "core/PropertyList.h"
#include "imaging/CropGeometry.h"
#include "imaging/Logging.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QVariantMap>

#include <algorithm>
#include <climits>
#include <cmath>

#include <sys/stat.h>

namespace kivo {

namespace {

const QString kCrops = QStringLiteral("crops");
const QString kTitle = QStringLiteral("title");
const QString kPath = QStringLiteral("path");
const QString kTicketPath = QStringLiteral("ticketPath");
const QString kDate = QStringLiteral("date");
const QString kImageSize = QStringLiteral("imageSize");
const QString kOrientation = QStringLiteral("Orientation");

QString numberText(double v)
{
    if (std::abs(v) < 1e15 && v == std::trunc(v))
        return QString::number(qint64(v));
    return QString::number(v, 'g', QLocale::FloatingPointShortest);
}

const QString kNumber = QStringLiteral(R"(\s*([-+]?(?:\d+\.?\d*|\.\d+)(?:[eE][-+]?\d+)?)\s*)");

std::optional<QList<double>> numbersOf(const QRegularExpression& form, const QString& text)
{
    const QRegularExpressionMatch m = form.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    QList<double> out;
    for (int i = 1; i <= m.lastCapturedIndex(); ++i) {
        bool ok = false;
        const double v = m.captured(i).toDouble(&ok);
        if (!ok || !std::isfinite(v))
            return std::nullopt;
        out.append(v);
    }
    return out;
}

bool isNumber(const QVariant& v)
{
    return v.typeId() == QMetaType::LongLong || v.typeId() == QMetaType::Double;
}

} // namespace

QList<QPair<QString, QRectF>> CropTicket::orderedCrops() const
{
    QList<QPair<QString, QRectF>> out;
    for (auto it = crops.cbegin(); it != crops.cend(); ++it)
        out.append({it.key(), it.value()});
    std::stable_sort(out.begin(), out.end(), [](const auto& a, const auto& b) {
        return std::abs(a.second.width() * a.second.height()) >
               std::abs(b.second.width() * b.second.height());
    });
    return out;
}

QRectF CropTicket::zoomRect() const
{
    const auto ordered = orderedCrops();
    return ordered.isEmpty() ? QRectF() : ordered.first().second;
}

QString ticketPathForPhoto(const QString& photo)
{
    const qsizetype slash = photo.lastIndexOf(QLatin1Char('/'));
    const qsizetype dot = photo.lastIndexOf(QLatin1Char('.'));
    // A dot that starts the file name (".photo") is not an extension.
    const bool hasExtension = dot > slash + 1;
    return (hasExtension ? photo.left(dot) : photo) + QStringLiteral(".ticket");
}

CropTicket makeCropTicket(const QString& photo, const QSize& imageSize, int orientation,
                          const QRectF& visible, const QList<CropOption>& selected,
                          const QDateTime& date)
{
    CropTicket ticket;
    for (const auto& [title, rect] : cropRectangles(visible, selected))
        ticket.crops.insert(title, rect);
    ticket.title = QFileInfo(photo).fileName();
    ticket.path = photo;
    ticket.ticketPath = ticketPathForPhoto(photo);
    ticket.date = date;
    ticket.imageSize = imageSize;
    ticket.orientation = orientation;
    return ticket;
}

QString rectText(const QRectF& r)
{
    return QStringLiteral("{{%1, %2}, {%3, %4}}")
        .arg(numberText(r.x()), numberText(r.y()), numberText(r.width()), numberText(r.height()));
}

QString sizeText(const QSizeF& s)
{
    return QStringLiteral("{%1, %2}").arg(numberText(s.width()), numberText(s.height()));
}

std::optional<QRectF> rectFromText(const QString& text)
{
    static const QRegularExpression form(
        QStringLiteral(R"(^\s*\{\s*\{%1,%1\}\s*,\s*\{%1,%1\}\s*\}\s*$)").arg(kNumber));
    const auto n = numbersOf(form, text);
    if (!n)
        return std::nullopt;
    return QRectF(n->at(0), n->at(1), n->at(2), n->at(3));
}

std::optional<QSizeF> sizeFromText(const QString& text)
{
    static const QRegularExpression form(QStringLiteral(R"(^\s*\{%1,%1\}\s*$)").arg(kNumber));
    const auto n = numbersOf(form, text);
    if (!n)
        return std::nullopt;
    return QSizeF(n->at(0), n->at(1));
}

bool writeCropTicket(const CropTicket& ticket, QString* error)
{
    QVariantMap crops;
    for (auto it = ticket.crops.cbegin(); it != ticket.crops.cend(); ++it)
        crops.insert(it.key(), rectText(it.value()));
    QVariantMap dict;
    dict.insert(kCrops, crops);
    dict.insert(kTitle, ticket.title);
    dict.insert(kPath, ticket.path);
    dict.insert(kTicketPath, ticket.ticketPath);
    dict.insert(kDate, ticket.date);
    dict.insert(kImageSize, sizeText(QSizeF(ticket.imageSize)));
    dict.insert(kOrientation, qint64(ticket.orientation));
    QStringList logged;
    for (auto it = crops.cbegin(); it != crops.cend(); ++it)
        logged.append(QStringLiteral("%1 = %2").arg(it.key(), it.value().toString()));
    consoleLog(lcImaging(), "CropTicket", "writeCropTicket",
               QStringLiteral("Crop Job Ticket:%1 {%2}")
                   .arg(ticket.ticketPath, logged.join(QStringLiteral("; "))));
    return plist::writeFile(ticket.ticketPath, dict, error);
}

std::optional<CropTicket> readCropTicket(const QString& ticketPath, QString* error)
{
    auto fail = [&](const QString& why) -> std::optional<CropTicket> {
        if (error)
            *error = QStringLiteral("%1: %2").arg(ticketPath, why);
        return std::nullopt;
    };
    QString readError;
    const QVariant root = plist::readFile(ticketPath, &readError);
    if (!root.isValid()) {
        if (error)
            *error = readError;
        return std::nullopt;
    }
    if (root.typeId() != QMetaType::QVariantMap)
        return fail(QStringLiteral("not a dictionary"));
    const QVariantMap dict = root.toMap();
    const QVariant crops = dict.value(kCrops);
    if (crops.typeId() != QMetaType::QVariantMap)
        return fail(QStringLiteral("\"crops\" missing or not a dictionary"));
    CropTicket ticket;
    const QVariantMap cropMap = crops.toMap();
    for (auto it = cropMap.cbegin(); it != cropMap.cend(); ++it) {
        const auto rect = it.value().typeId() == QMetaType::QString
                              ? rectFromText(it.value().toString())
                              : std::nullopt;
        if (!rect)
            return fail(QStringLiteral("crop \"%1\" is not a rectangle").arg(it.key()));
        ticket.crops.insert(it.key(), *rect);
    }
    for (const QString& key : {kTitle, kPath})
        if (dict.value(key).typeId() != QMetaType::QString)
            return fail(QStringLiteral("\"%1\" missing or not a string").arg(key));
    ticket.title = dict.value(kTitle).toString();
    ticket.path = dict.value(kPath).toString();
    const QVariant sizeValue = dict.value(kImageSize);
    const auto size = sizeValue.typeId() == QMetaType::QString ? sizeFromText(sizeValue.toString())
                                                               : std::nullopt;
    if (!size || size->width() < 0 || size->height() < 0 || size->width() > INT_MAX ||
        size->height() > INT_MAX)
        return fail(QStringLiteral("\"imageSize\" missing or not a size"));
    ticket.imageSize = size->toSize();
    // The other keys are the ticket's own record; when present they must still be what they say.
    if (dict.contains(kTicketPath) && dict.value(kTicketPath).typeId() != QMetaType::QString)
        return fail(QStringLiteral("\"ticketPath\" is not a string"));
    if (dict.contains(kDate) && dict.value(kDate).typeId() != QMetaType::QDateTime)
        return fail(QStringLiteral("\"date\" is not a date"));
    if (dict.contains(kOrientation) && !isNumber(dict.value(kOrientation)))
        return fail(QStringLiteral("\"Orientation\" is not a number"));
    ticket.ticketPath =
        dict.contains(kTicketPath) ? dict.value(kTicketPath).toString() : ticketPath;
    ticket.date = dict.value(kDate).toDateTime();
    const double orientation = dict.value(kOrientation).toDouble();
    ticket.orientation = orientation >= 1 && orientation <= 8 ? int(orientation) : 0;
    return ticket;
}

std::optional<CropTicket> readCropTicketForPhoto(const QString& photo, QString* error)
{
    if (error)
        error->clear();
    const QString path = ticketPathForPhoto(photo);
    // Through the byte-keeping codec: QFileInfo cannot find a ticket beside a photo whose name
    // is not UTF-8.
    struct stat info;
    if (::stat(kivo::encodeFileName(path).constData(), &info) != 0)
        return std::nullopt;
    QString why;
    auto ticket = readCropTicket(path, &why);
    if (!ticket)
        consoleLog(lcImaging(), "CropTicket", "readCropTicketForPhoto",
                   QStringLiteral("unreadable ticket, opening the photo without one: %1").arg(why));
    if (error)
        *error = why;
    return ticket;
}

} // namespace kivo
