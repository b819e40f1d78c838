#pragma once

#include <QAbstractTableModel>
#include <QStringList>

namespace kivo {

class Settings;

// The editable text items every order carries (prefEditableTextArray) as a two-column table:
// "col1" the item's number ("1."), "col2" its text. Retyping an item stores the whole list at
// once; so does done. New items ("new title") are inserted as text objects, and items are
// rearranged by dragging a row or with moveItem; both are saved with the array rule: arranged
// item i replaces stored item i or is appended, stored items beyond the arranged ones stay.
class EditableTextModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit EditableTextModel(Settings& settings, QObject* parent = nullptr);

    // Reads the list from the setting again.
    void reload();
    const QStringList& items() const { return m_items; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Rows are dragged within the table only, and land between rows.
    Qt::DropActions supportedDropActions() const override;
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QModelIndexList& indexes) const override;
    bool canDropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                         const QModelIndex& parent) const override;
    // A dropped row is moved, not copied: the item is never removed and inserted again, so the
    // table needs no removeRows, and the view's clean-up after a move finds nothing to remove.
    bool dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                      const QModelIndex& parent) override;
    bool moveRows(const QModelIndex& sourceParent, int sourceRow, int count,
                  const QModelIndex& destinationParent, int destinationChild) override;
    // Moves the item at FROM so that it ends up at row TO; saved at once with the array rule.
    // False when either row is out of range.
    bool moveItem(int from, int to);

    // The done button: stores the list as it stands.
    void onDoneClicked();
    // A new text object at ROW (a negative row counts as 0, one past the end appends), saved at
    // once with the array rule.
    void insertTextObject(int row);
    // The array rule over STORED with the ARRANGED texts.
    static QStringList savePrefArray(const QStringList& stored, const QStringList& arranged);

    // The column identifier of COLUMN ("col1", "col2").
    static QString columnIdentifier(int column);

private:
    QStringList storedList() const;
    void store();
    void storeArranged();

    Settings& m_settings;
    QStringList m_items;
};

} // namespace kivo
