#include "output/ui/ReceiptNamePromptDialog.h"

#include "output/NameEntryKeys.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kivo {

ReceiptNamePromptDialog::ReceiptNamePromptDialog(QWidget* parent)
    : QDialog(parent), m_field(new QLineEdit(this))
{
    setWindowTitle(tr("Your Name"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("Please enter your name for the receipt"), this));
    m_field->setObjectName(QStringLiteral("ibEnterCustomerName"));
    m_field->setMaxLength(40);
    layout->addWidget(m_field);

    auto* keys = new QGridLayout;
    const QString letters = QStringLiteral("QWERTYUIOPASDFGHJKLZXCVBNM");
    auto addKey = [this, keys](const QString& title, const QString& alternate, int row, int col,
                               int span = 1) {
        auto* key = new QPushButton(title, this);
        key->setObjectName(QStringLiteral("key_") + (alternate.isEmpty() ? title : alternate));
        key->setProperty("alternateTitle", alternate);
        key->setFocusPolicy(Qt::NoFocus); // the entry field keeps the focus
        key->setMinimumSize(48, 48);
        connect(key, &QPushButton::clicked, this, &ReceiptNamePromptDialog::onKeyPressed);
        keys->addWidget(key, row, col, 1, span);
    };
    for (int i = 0; i < letters.size(); ++i) {
        const int row = i < 10 ? 0 : (i < 19 ? 1 : 2);
        const int col = i < 10 ? i : (i < 19 ? i - 10 : i - 19);
        addKey(letters.mid(i, 1), QString(), row, col);
    }
    // These keys act by their alternate titles, so their shown titles may be translated.
    addKey(tr("Space"), QStringLiteral("space"), 3, 0, 5);
    addKey(tr("Clear"), QStringLiteral("clear"), 3, 5, 2);
    auto* back = new QPushButton(QStringLiteral("⌫"), this);
    back->setObjectName(QStringLiteral("key_delete"));
    back->setFocusPolicy(Qt::NoFocus);
    connect(back, &QPushButton::clicked, this, &ReceiptNamePromptDialog::deleteKeyAction);
    keys->addWidget(back, 3, 7, 1, 2);
    layout->addLayout(keys);

    auto* done = new QPushButton(tr("Done"), this);
    done->setObjectName(QStringLiteral("doneButton"));
    done->setDefault(true);
    connect(done, &QPushButton::clicked, this, &ReceiptNamePromptDialog::onButtonClicked);
    layout->addWidget(done);
}

void ReceiptNamePromptDialog::ask(Done done)
{
    m_done = std::move(done);
    m_field->clear();
    QDialog::open();
    m_field->setFocus();
}

void ReceiptNamePromptDialog::onKeyPressed()
{
    auto* key = qobject_cast<QPushButton*>(sender());
    if (!key)
        return;
    const NameKeyAction action =
        nameKeyAction(key->text(), key->property("alternateTitle").toString());
    switch (action.kind) {
    case NameKeyAction::Clear:
        m_field->clear();
        break;
    case NameKeyAction::Insert:
        m_field->insert(action.text);
        break;
    case NameKeyAction::DeleteSelection:
        if (m_field->hasSelectedText())
            m_field->del();
        break;
    }
}

void ReceiptNamePromptDialog::deleteKeyAction()
{
    m_field->backspace();
}

void ReceiptNamePromptDialog::onButtonClicked()
{
    finish(SheetReturn::Accepted);
}

void ReceiptNamePromptDialog::reject()
{
    finish(SheetReturn::Cancelled);
}

void ReceiptNamePromptDialog::finish(SheetReturn code)
{
    const QString text = m_field->text();
    auto done = std::move(m_done);
    m_done = nullptr;
    hide();
    setResult(code == SheetReturn::Accepted ? Accepted : Rejected);
    if (done)
        done(code, text);
}

} // namespace kivo
