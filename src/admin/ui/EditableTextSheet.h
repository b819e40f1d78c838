#pragma once

#include <QDialog>

class QTableView;

namespace kivo {

class EditableTextModel;
class Settings;

// The editable text items as a sheet: the two-column table, each item retyped in place or in the
// field below it, an item added as a new text object, rows rearranged by dragging them or with
// the move buttons, done. Every change is stored at once.
class EditableTextSheet : public QDialog
{
    Q_OBJECT

public:
    EditableTextSheet(Settings& settings, QWidget* parent);

    // Reads the items again and opens as a sheet on the parent window.
    void openSheet();
    EditableTextModel* model() const { return m_model; }
    QTableView* tableView() const { return m_table; }

private:
    void onDoneClicked();

    EditableTextModel* m_model;
    QTableView* m_table;
};

} // namespace kivo
