#pragma once

#include <QLineEdit>
#include <QPersistentModelIndex>

class QAbstractItemModel;
class QAbstractItemView;

namespace kivo {

// A large text field beside a table for the cell chosen in it: it shows the cell's text and
// writes what is typed back when it is left or Return is pressed. A finger retypes a cell here
// more easily than in the table's own small editor, and a screen reader, which cannot edit a
// table's cells, edits them here. Disabled while the chosen cell cannot be edited.
class CellField : public QLineEdit
{
    Q_OBJECT

public:
    // Follows VIEW's selection; VIEW has its model already.
    CellField(QAbstractItemView* view, QWidget* parent);

    QModelIndex cell() const { return m_cell; }

private:
    void follow(const QModelIndex& index);
    void commit();

    QAbstractItemModel* m_model;
    QPersistentModelIndex m_cell;
};

} // namespace kivo
