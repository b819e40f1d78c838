#include "admin/EditableTextModel.h"

#include "core/Settings.h"

#include <QCoreApplication>

#include <algorithm>

namespace kivo {

namespace {

const QString kKey = QStringLiteral("prefEditableTextArray");

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
    for (const QVariant& item : m_settings.arrayForKey(kKey))
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
    m_settings.setObject(asArray(m_items), kKey);
    m_settings.synchronize();
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
        return Qt::NoItemFlags;
    const Qt::ItemFlags base = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    return index.column() == 1 ? base | Qt::ItemIsEditable : base;
}

void EditableTextModel::ibDoButton()
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
    m_settings.setObject(asArray(savePrefArray(storedList(), m_items)), kKey);
    m_settings.synchronize();
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
