#pragma once

#include "output/KivoReceiptViewController.h"

#include <QDialog>

class QLineEdit;

namespace kivo {

// The customer-name prompt of the receipt: a modal panel with the entry field, on-screen letter
// keys, space, backspace, clear and "Done". Done answers -1002 with the entered text; closing
// the panel answers -1001.
class ReceiptNamePromptDialog : public QDialog, public ReceiptNamePrompt
{
    Q_OBJECT
public:
    explicit ReceiptNamePromptDialog(QWidget* parent = nullptr);

    bool isShowing() const override { return isVisible(); }
    void open(std::function<void(int returnCode, const QString& entered)> done) override;

    QLineEdit* ibEnterCustomerName() const { return m_field; }

public slots:
    void ibPushedKeyPadButton();
    void deleteKeyAction();
    void doButton();

protected:
    void reject() override;

private:
    void finish(int code);

    QLineEdit* m_field;
    std::function<void(int, const QString&)> m_done;
};

} // namespace kivo
