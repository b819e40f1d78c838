#include "screens/PhotoGridModel.h"

#include "core/ConsoleLog.h"
#include "core/FileNames.h"
#include "orders/PackageCatalogue.h"
#include "orders/SinglePackageModel.h"
#include "screens/Logging.h"

#include <QFileInfo>

#include <algorithm>
#include <numeric>

#include <sys/stat.h>

namespace kivo {

namespace {

void log(const char* method, const QString& text)
{
    consoleLog(lcScreens(), "PhotoGridModel", method, text);
}

// A file the view can try to draw; whether it decodes is reported by the thumbnail loader.
bool fileLooksShowable(const QString& path)
{
    // The search's paths keep names that are not UTF-8.
    if (!isReadableFile(path))
        return false;
    struct stat st;
    return ::stat(encodeFileName(path).constData(), &st) == 0 && st.st_size > 0;
}

} // namespace

PhotoGridModel::PhotoGridModel(const PackageCatalogue& catalogue, QObject* parent)
    : QAbstractListModel(parent), m_catalogue(catalogue)
{
    buildGrid({}, QSizeF());
}

PhotoGridModel::Direction PhotoGridModel::directionFor(const QSizeF& gridSize)
{
    return gridSize.height() > gridSize.width() ? Direction::Vertical : Direction::Horizontal;
}

void PhotoGridModel::buildGrid(const QList<QPointF>& thumbnailOrigins, const QSizeF& gridSize)
{
    m_direction = directionFor(gridSize);

    // The thumbnails in reading order; equal positions keep the layout's order.
    QList<int> order(thumbnailOrigins.size());
    std::iota(order.begin(), order.end(), 0);
    const bool vertical = m_direction == Direction::Vertical;
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        const QPointF& pa = thumbnailOrigins.at(a);
        const QPointF& pb = thumbnailOrigins.at(b);
        return vertical ? float(pa.y()) < float(pb.y()) : float(pa.x()) < float(pb.x());
    });

    beginResetModel();
    m_entries.clear();
    m_photoCount = 0;
    m_selected = -1;
    const QVariantList displayList = m_catalogue.displayPackageList();
    // Placeholders go after every real thumbnail, whatever the direction: a photo loaded into
    // a placeholder would have nowhere to show.
    for (int i = 0; i < kMaxPhotos; ++i) {
        Entry entry;
        if (i < order.size()) {
            entry.thumbnail = order.at(i);
            entry.customText = QStringLiteral("I am number: %1").arg(entry.thumbnail);
        } else {
            entry.customText = QStringLiteral("I am not real at index: %1").arg(i);
        }
        resetOrder(entry, displayList);
        m_entries.append(entry);
    }
    if (order.size() > kMaxPhotos)
        log("buildGrid",
            QStringLiteral("%1 thumbnails, only %2 used").arg(order.size()).arg(kMaxPhotos));
    endResetModel();
}

QString PhotoGridModel::customText(int entry) const
{
    return entry >= 0 && entry < entryCount() ? m_entries.at(entry).customText : QString();
}

int PhotoGridModel::thumbnailIndex(int entry) const
{
    return entry >= 0 && entry < entryCount() ? m_entries.at(entry).thumbnail : -1;
}

void PhotoGridModel::resetOrder(Entry& entry, const QVariantList& displayList) const
{
    // A fresh order, with a line for every package the panel offers: the panel's rows map to
    // the order's lines by index, also beyond the eight lines an order starts with.
    entry.order = ImageOrder();
    while (entry.order.lineCount() < displayList.size())
        entry.order.appendLine(LineItem());
    entry.order.copyDefaultsToOrder(displayList);
}

void PhotoGridModel::loadImagesIntoView(const QStringList& paths)
{
    beginResetModel();
    const int n = std::min(static_cast<int>(paths.size()), kMaxPhotos);
    if (paths.size() > kMaxPhotos)
        log("loadImagesIntoView", QStringLiteral("%1 photos, the first %2 are offered")
                                      .arg(paths.size())
                                      .arg(kMaxPhotos));
    const QVariantList displayList = m_catalogue.displayPackageList();
    for (int i = 0; i < entryCount(); ++i) {
        Entry& entry = m_entries[i];
        entry.path = i < n ? paths.at(i) : QString();
        entry.showable = i < n && fileLooksShowable(entry.path);
        if (i < n && !entry.showable)
            log("loadImagesIntoView",
                QStringLiteral("Unable to verify path: [%1]").arg(entry.path));
        resetOrder(entry, displayList);
    }
    m_photoCount = n;
    m_selected = -1;
    m_printSheetCount = 0;
    m_flashItemCount = 0;
    endResetModel();
}

QStringList PhotoGridModel::photoList() const
{
    QStringList list;
    list.reserve(m_photoCount);
    for (int i = 0; i < m_photoCount; ++i)
        list.append(m_entries.at(i).path);
    return list;
}

QString PhotoGridModel::pathAt(int entry) const
{
    return entry >= 0 && entry < entryCount() ? m_entries.at(entry).path : QString();
}

bool PhotoGridModel::isShowable(int entry) const
{
    return entry >= 0 && entry < m_photoCount && m_entries.at(entry).showable;
}

void PhotoGridModel::setShowable(int entry, bool showable)
{
    if (entry < 0 || entry >= m_photoCount || m_entries.at(entry).showable == showable)
        return;
    Entry& e = m_entries[entry];
    e.showable = showable;
    bool withdrawn = false;
    if (!showable) {
        log("setShowable", QStringLiteral("Unable to get image from file: [%1]").arg(e.path));
        // Nothing is sold that cannot be printed.
        withdrawn = e.order.computeTotalSheets() > 0;
        resetOrder(e, m_catalogue.displayPackageList());
        if (withdrawn)
            log("setShowable", QStringLiteral("Order withdrawn: [%1]").arg(e.path));
    }
    emitRowChanged(entry, {ShowableRole, SheetsRole});
    if (withdrawn)
        emit orderWithdrawn(entry, e.path);
    if (entry == m_selected)
        emit photoSelected(entry, m_entries.at(entry).path, showable);
}

void PhotoGridModel::initOrderInfo()
{
    initOrderInfo(m_catalogue.displayPackageList());
}

void PhotoGridModel::initOrderInfo(const QVariantList& displayList)
{
    for (Entry& entry : m_entries)
        resetOrder(entry, displayList);
    m_printSheetCount = 0;
    m_flashItemCount = 0;
    if (m_photoCount > 0)
        emit dataChanged(index(0), index(m_photoCount - 1), {SheetsRole});
}

bool PhotoGridModel::selectFirstItem()
{
    if (m_photoCount == 0) {
        log("selectFirstItem", QStringLiteral("photoList is EMPTY???????????????"));
        const int previous = m_selected;
        m_selected = -1;
        if (previous >= 0)
            emit photoSelected(-1, QString(), false);
        return false;
    }
    return selectItem(0);
}

bool PhotoGridModel::selectItem(int entry)
{
    // Only a photo on show can take quantities: an order on a hidden entry would be billed for
    // no photo.
    if (entry < 0 || entry >= m_photoCount) {
        log("selectItem",
            QStringLiteral("no photo at index [%1] of [%2]").arg(entry).arg(m_photoCount));
        emit selectionRefused(entry);
        return false;
    }
    const int previous = m_selected;
    m_selected = entry;
    if (previous != entry) {
        if (previous >= 0)
            emitRowChanged(previous, {SelectedRole});
        emitRowChanged(entry, {SelectedRole});
    }
    emit photoSelected(entry, m_entries.at(entry).path, m_entries.at(entry).showable);
    return true;
}

ImageOrder* PhotoGridModel::thisImageOrder()
{
    return m_selected >= 0 ? &m_entries[m_selected].order : nullptr;
}

bool PhotoGridModel::routeQuantity(int row, const SinglePackageModel* model)
{
    ImageOrder* order = thisImageOrder();
    if (!order || !model) {
        log("routeQuantity", QStringLiteral("no photo selected or no package row: ignored"));
        return false;
    }
    if (!isOrderable(m_selected)) {
        log("routeQuantity",
            QStringLiteral("[%1] cannot be ordered: ignored").arg(m_entries.at(m_selected).path));
        return false;
    }
    if (row >= 0 && row < order->lineCount() &&
        order->line(row).pkgDisplayName().compare(model->packageName(), Qt::CaseInsensitive) == 0) {
        // The row's own line only: two packages shown under the same name are still two lines.
        LineItem& line = order->line(row);
        line.setPkgQty(model->packageQtyValue());
        line.setPkgAltQty(model->altPackageQtyValue());
        line.setPkgHasExtraCount(model->hasExtraCount());
        line.setPkgPrePrintQty(model->prePrintedQtyValue());
    } else {
        order->copySinglePackageModelToOrder(model);
    }
    emitRowChanged(m_selected, {SheetsRole});
    return true;
}

float PhotoGridModel::computeAllSubTotals()
{
    float sum = 0.0f;
    for (Entry& entry : m_entries)
        sum += entry.order.computeSubTotal();
    return sum;
}

qint16 PhotoGridModel::computeAllTotalSheets() const
{
    qint16 sum = 0;
    for (const Entry& entry : m_entries)
        sum = static_cast<qint16>(sum + entry.order.computeTotalSheets());
    return sum;
}

void PhotoGridModel::computeTotalSheetsNew()
{
    m_printSheetCount = 0;
    m_flashItemCount = 0;
    for (Entry& entry : m_entries) {
        entry.order.computeTotalSheetsNew();
        m_printSheetCount = static_cast<qint16>(m_printSheetCount + entry.order.printSheetCount());
        m_flashItemCount = static_cast<qint16>(m_flashItemCount + entry.order.flashItemCount());
    }
}

PhotoOrdersSnapshot PhotoGridModel::snapshot() const
{
    PhotoOrdersSnapshot copy;
    copy.photos.reserve(m_photoCount);
    copy.orders.reserve(m_photoCount);
    for (int i = 0; i < m_photoCount; ++i) {
        copy.photos.append(m_entries.at(i).path);
        copy.orders.append(m_entries.at(i).order);
        copy.orders.last().setView(nullptr);
    }
    return copy;
}

int PhotoGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_photoCount;
}

QVariant PhotoGridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() < 0 || index.row() >= m_photoCount)
        return {};
    const Entry& entry = m_entries.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return QFileInfo(entry.path).fileName();
    case PathRole:
        return entry.path;
    case ShowableRole:
        return entry.showable;
    case SelectedRole:
        return index.row() == m_selected;
    case SheetsRole:
        return int(entry.order.computeTotalSheets());
    case ThumbnailRole:
        return entry.thumbnail;
    default:
        return {};
    }
}

QHash<int, QByteArray> PhotoGridModel::roleNames() const
{
    QHash<int, QByteArray> names = QAbstractListModel::roleNames();
    names.insert(PathRole, "path");
    names.insert(ShowableRole, "showable");
    names.insert(SelectedRole, "selected");
    names.insert(SheetsRole, "sheets");
    names.insert(ThumbnailRole, "thumbnail");
    return names;
}

void PhotoGridModel::emitRowChanged(int entry, const QList<int>& roles)
{
    if (entry >= 0 && entry < m_photoCount)
        emit dataChanged(index(entry), index(entry), roles);
}

} // namespace kivo
