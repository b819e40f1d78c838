#include "admin/ui/EditableTextSheet.h"

#include "admin/EditableTextModel.h"

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
    layout->addWidget(m_table, 1);

    auto* buttons = new QHBoxLayout;
    auto* add = new QPushButton(tr("Add Item"), this);
    auto* done = new QPushButton(tr("Done"), this);
    buttons->addWidget(add);
    buttons->addStretch(1);
    buttons->addWidget(done);
    layout->addLayout(buttons);
    connect(add, &QPushButton::clicked, this, [this] {
        const QModelIndex current = m_table->currentIndex();
        m_model->insertTextObject(current.isValid() ? current.row() : m_model->rowCount());
    });
    connect(done, &QPushButton::clicked, this, &EditableTextSheet::ibDoButton);
    resize(720, 640);
}

void EditableTextSheet::ibOpenSheetWithOptions()
{
    m_model->reload();
    if (!isVisible())
        open();
}

void EditableTextSheet::ibDoButton()
{
    // A text still being typed counts: the open editor hands it over before the list is stored.
    if (QWidget* editor = QApplication::focusWidget(); editor && m_table->isAncestorOf(editor))
        m_table->setFocus();
    m_model->ibDoButton();
    accept();
}

} // namespace kivo
