#pragma once

#include "output/ReceiptNamePrompt.h"

#include <QDialog>

class QLineEdit;

namespace kivo {

// The customer-name prompt of the receipt: a modal panel with the entry field, on-screen letter
// keys, space, backspace, clear and "Done". Done answers SheetReturn::Accepted with the entered
// text; closing the panel answers SheetReturn::Cancelled.
class ReceiptNamePromptDialog : public QDialog, public ReceiptNamePrompt
{
    Q_OBJECT
public:
    explicit ReceiptNamePromptDialog(QWidget* parent = nullptr);

    bool isShowing() const override { return isVisible(); }
    void ask(Done done) override;

    QLineEdit* nameField() const { return m_field; }

public slots:
    void onKeyPressed();
    void deleteKeyAction();
    void onButtonClicked();

protected:
    void reject() override;

private:
    void finish(SheetReturn code);

    QLineEdit* m_field;
    Done m_done;
};

} // namespace kivo
