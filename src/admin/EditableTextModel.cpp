#include "admin/EditableTextModel.h"

#include "core/Settings.h"

#include <QCoreApplication>
#include <QMimeData>

#include <algorithm>

namespace kivo {

namespace {

// A dragged row: its number in this table (rows are never dragged to another program).
const QString kRowMime = QStringLiteral("application/x-kivo-editable-text-row");

QVariant asArray(const QStringList& items)
{
    QVariantList out;
    for (const QString& item : items)
        out.append(item);
    return out;
}

} // namespace

EditableTextModel::EditableTextModel(Settings& settings, QObject* parent)
    : QAbstractTableModel(parent), m_settings(settings)
{
    reload();
}

QStringList EditableTextModel::storedList() const
{
    QStringList out;
    for (const QVariant& item : m_settings.editableTextArray())
        out << item.toString();
    return out;
}

void EditableTextModel::reload()
{
    beginResetModel();
    m_items = storedList();
    endResetModel();
}

void EditableTextModel::store()
{
    m_settings.setValue(Setting::editableTextArray, asArray(m_items));
    m_settings.sync();
}

int EditableTextModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_items.size());
}

int EditableTextModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 2;
}

QString EditableTextModel::columnIdentifier(int column)
{
    return column == 0 ? QStringLiteral("col1") : QStringLiteral("col2");
}

QVariant EditableTextModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_items.size() ||
        (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    if (index.column() == 0)
        return QStringLiteral("%1.").arg(index.row() + 1);
    return m_items.at(index.row());
}

bool EditableTextModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || role != Qt::EditRole)
        return false;
    if (index.column() == 1 && index.row() < m_items.size()) {
        m_items[index.row()] = value.toString();
        emit dataChanged(index, index);
    }
    store();
    return true;
}

QVariant EditableTextModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal)
        return QAbstractTableModel::headerData(section, orientation, role);
    return section == 0 ? QCoreApplication::translate("Preferences", "No.")
                        : QCoreApplication::translate("Preferences", "Text");
}

Qt::ItemFlags EditableTextModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::ItemIsDropEnabled; // between rows
    const Qt::ItemFlags base = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled;
    return index.column() == 1 ? base | Qt::ItemIsEditable : base;
}

void EditableTextModel::onDoneClicked()
{
    store();
}

void EditableTextModel::insertTextObject(int row)
{
    row = std::clamp(row, 0, int(m_items.size()));
    beginInsertRows(QModelIndex(), row, row);
    m_items.insert(row, QStringLiteral("new title"));
    endInsertRows();
    // Row numbers below the new item moved.
    emit dataChanged(index(row, 0), index(int(m_items.size()) - 1, 0));
    storeArranged();
}

void EditableTextModel::storeArranged()
{
    m_settings.setValue(Setting::editableTextArray, asArray(savePrefArray(storedList(), m_items)));
    m_settings.sync();
}

Qt::DropActions EditableTextModel::supportedDropActions() const
{
    return Qt::MoveAction;
}

QStringList EditableTextModel::mimeTypes() const
{
    return {kRowMime};
}

QMimeData* EditableTextModel::mimeData(const QModelIndexList& indexes) const
{
    if (indexes.isEmpty() || !indexes.first().isValid())
        return nullptr;
    auto* data = new QMimeData;
    data->setData(kRowMime, QByteArray::number(indexes.first().row()));
    return data;
}

bool EditableTextModel::canDropMimeData(const QMimeData* data, Qt::DropAction action, int, int,
                                        const QModelIndex&) const
{
    return action == Qt::MoveAction && data && data->hasFormat(kRowMime);
}

bool EditableTextModel::dropMimeData(const QMimeData* data, Qt::DropAction action, int row,
                                     int column, const QModelIndex& parent)
{
    if (!canDropMimeData(data, action, row, column, parent))
        return false;
    bool ok = false;
    const int from = data->data(kRowMime).toInt(&ok);
    // Dropped below the last row: to the end.
    return ok && moveRows(QModelIndex(), from, 1, QModelIndex(), row >= 0 ? row : rowCount());
}

bool EditableTextModel::moveRows(const QModelIndex& sourceParent, int sourceRow, int count,
                                 const QModelIndex& destinationParent, int destinationChild)
{
    const int size = int(m_items.size());
    if (sourceParent.isValid() || destinationParent.isValid() || count != 1 || sourceRow < 0 ||
        sourceRow >= size || destinationChild < 0 || destinationChild > size)
        return false;
    // Onto itself or just below itself: nowhere to go.
    if (destinationChild == sourceRow || destinationChild == sourceRow + 1)
        return true;
    if (!beginMoveRows(QModelIndex(), sourceRow, sourceRow, QModelIndex(), destinationChild))
        return false;
    m_items.move(sourceRow, destinationChild > sourceRow ? destinationChild - 1 : destinationChild);
    endMoveRows();
    // The numbers stay with the places, not with the items.
    emit dataChanged(index(0, 0), index(size - 1, 0));
    storeArranged();
    return true;
}

bool EditableTextModel::moveItem(int from, int to)
{
    if (to < 0 || to >= m_items.size())
        return false;
    return moveRows(QModelIndex(), from, 1, QModelIndex(), to > from ? to + 1 : to);
}

QStringList EditableTextModel::savePrefArray(const QStringList& stored, const QStringList& arranged)
{
    QStringList out = stored;
    for (int i = 0; i < arranged.size(); ++i) {
        if (i < out.size())
            out[i] = arranged.at(i);
        else
            out.append(arranged.at(i));
    }
    return out;
}

} // namespace kivo
