#include "admin/ui/CellField.h"

#include <QAbstractItemView>
#include <QItemSelectionModel>

namespace kivo {

CellField::CellField(QAbstractItemView* view, QWidget* parent)
    : QLineEdit(parent), m_model(view->model())
{
    // The cell chosen last: a touch sets the current cell, a screen reader selects one.
    connect(view->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { follow(current); });
    connect(view->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this](const QItemSelection& selected) {
                if (!selected.isEmpty())
                    follow(selected.indexes().constLast());
            });
    // What is being typed is not overwritten; it is written back when the field is left.
    connect(m_model, &QAbstractItemModel::dataChanged, this, [this] {
        if (!hasFocus())
            follow(m_cell);
    });
    connect(m_model, &QAbstractItemModel::modelReset, this, [this] { follow(QModelIndex()); });
    connect(this, &QLineEdit::editingFinished, this, &CellField::commit);
    follow(QModelIndex());
}

void CellField::follow(const QModelIndex& index)
{
    m_cell = index;
    const bool editable = index.isValid() && (index.flags() & Qt::ItemIsEditable);
    setEnabled(editable);
    const QString text = editable ? index.data(Qt::EditRole).toString() : QString();
    if (text != this->text())
        setText(text);
}

void CellField::commit()
{
    if (!m_cell.isValid() || text() == m_cell.data(Qt::EditRole).toString())
        return;
    m_model->setData(m_cell, text(), Qt::EditRole);
}

} // namespace kivo
