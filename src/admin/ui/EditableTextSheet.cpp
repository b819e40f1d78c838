#include "admin/ui/EditableTextSheet.h"

#include "admin/EditableTextModel.h"
#include "admin/ui/CellField.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace kivo {

EditableTextSheet::EditableTextSheet(Settings& settings, QWidget* parent)
    : QDialog(parent), m_model(new EditableTextModel(settings, this)), m_table(new QTableView(this))
{
    setObjectName(QStringLiteral("EditableTextItems"));
    setWindowTitle(tr("Editable Text Items"));
    setAccessibleName(tr("Editable Text Items"));
    setWindowModality(Qt::WindowModal);

    auto* layout = new QVBoxLayout(this);
    auto* title = new QLabel(tr("Texts every order carries to the print host:"), this);
    layout->addWidget(title);
    m_table->setModel(m_model);
    m_table->setAccessibleName(tr("Editable Text Items"));
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setDefaultSectionSize(56);
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->setEditTriggers(QAbstractItemView::AllEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    // A row is dragged by its number (the text column opens its editor at a touch) and dropped
    // between two others.
    m_table->setDragDropMode(QAbstractItemView::InternalMove);
    m_table->setDefaultDropAction(Qt::MoveAction);
    m_table->setDragDropOverwriteMode(false);
    m_table->setDropIndicatorShown(true);
    layout->addWidget(m_table, 1);

    auto* itemRow = new QHBoxLayout;
    auto* itemLabel = new QLabel(tr("Selected item"), this);
    auto* item = new CellField(m_table, this);
    item->setAccessibleName(tr("Selected item"));
    itemLabel->setBuddy(item);
    itemRow->addWidget(itemLabel);
    itemRow->addWidget(item, 1);
    layout->addLayout(itemRow);

    auto* buttons = new QHBoxLayout;
    auto* add = new QPushButton(tr("Add Item"), this);
    auto* up = new QPushButton(tr("Move Up"), this);
    auto* down = new QPushButton(tr("Move Down"), this);
    auto* done = new QPushButton(tr("Done"), this);
    for (QPushButton* button : {add, up, down, done}) {
        // Return in the item's field hands its text over; it presses no button.
        button->setAutoDefault(false);
        button->setAccessibleName(button->text());
        if (button != done)
            buttons->addWidget(button);
    }
    buttons->addStretch(1);
    buttons->addWidget(done);
    layout->addLayout(buttons);
    connect(add, &QPushButton::clicked, this, [this] {
        const QModelIndex current = m_table->currentIndex();
        m_model->insertTextObject(current.isValid() ? current.row() : m_model->rowCount());
    });
    for (const auto& [button, step] : {std::pair{up, -1}, std::pair{down, 1}}) {
        // Copied: clang 14's lambdas cannot capture a structured binding.
        const int by = step;
        connect(button, &QPushButton::clicked, this, [this, item, by] {
            const QModelIndex chosen = item->cell(); // the row chosen last
            if (chosen.isValid() && m_model->moveItem(chosen.row(), chosen.row() + by))
                m_table->selectRow(chosen.row() + by);
        });
    }
    connect(done, &QPushButton::clicked, this, &EditableTextSheet::onDoneClicked);
    resize(720, 640);
}

void EditableTextSheet::openSheet()
{
    m_model->reload();
    if (!isVisible())
        open();
}

void EditableTextSheet::onDoneClicked()
{
    // A text still being typed counts: the open editor hands it over before the list is stored.
    if (QWidget* editor = QApplication::focusWidget(); editor && m_table->isAncestorOf(editor))
        m_table->setFocus();
    m_model->onDoneClicked();
    accept();
}

} // namespace kivo
