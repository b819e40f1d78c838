#pragma once

#include "search/CustomTextFieldFormatter.h"

#include <QObject>
#include <QPointer>
#include <QVariantMap>

class QDialog;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace kivo {

class HoldDownButton;
class KeypadBeeper;

// The keypad sheet: large keys, the entry field (fed by the on-screen keys, a keyboard or a
// barcode scanner, whose Return acts as Enter), two message lines and the Enter key. The entry
// rules are in search/KeypadRules; this class shows them. An accepted entry ends the sheet with
// -1002 and comes back through sheetEnded with the caller's context and "returnData".
class EnterKeyPadController : public QObject
{
    Q_OBJECT

public:
    explicit EnterKeyPadController(QObject* parent = nullptr);
    ~EnterKeyPadController() override;

    QDialog* window();

    // Opens (or re-labels) the sheet; OPTIONS as the session gives them, plus "parentWindow"
    // (a QWidget* in a QVariant).
    void ibOpenSheetWithOptions(const QVariantMap& options);
    // The Enter key's action. A null SENDER stands for the quit command.
    void closeMyCustomSheet(QObject* sender);
    void ibPushedKeyPadButton(QPushButton* key);
    void clearTextField(QObject* sender);
    void doAdminButton(QObject* sender);
    void enterSecureTextMode();
    // 3 = admin mode; anything else lays out normal or secure mode.
    void exposeViewsForMode(int mode);
    void ibUpdateNSTextField(QLabel* field, const QString& text, bool isError);
    void doBeepInThread(int count);
    // The yes/no sheet; its end comes back through sheetEnded without "returnData".
    void ibConfirmIfDone(const QVariantMap& options);

    bool isVisible() const;
    bool isSecureTextMode() const { return _doAsSecureText; }
    bool isAdminMode() const { return m_adminMode; }
    QString buffer() const;
    QVariant contextInfo() const { return _contextInfo; }

    // The views, for the sales window and tests.
    QLineEdit* ibTextField() const { return m_textField; }
    QLineEdit* ibSecureTextField() const { return m_secureField; }
    QLabel* ibStatusTextField1() const { return m_status1; }
    QLabel* ibStatusTextField2() const { return m_status2; }
    HoldDownButton* ibEnterButton() const { return m_enter; }
    QPushButton* digitKey(const QString& title) const;
    QPushButton* ibClearTextFieldButton() const { return m_clear; }
    QPushButton* ibButton1() const { return m_button1; }
    QPushButton* ibAdminModeButton() const { return m_adminModeButton; }
    QWidget* ibAdminOptionsView() const { return m_adminOptions; }
    QDialog* ibConfirmWindow() const { return m_confirm; }

    KeypadBeeper* beeper() const { return m_beeper; }

signals:
    void sheetEnded(qint64 returnCode, const QVariant& contextInfo);
    // The extra button with the caller's action ("startOver:" or "openPref:").
    void buttonAction(const QString& action);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build();
    void setBuffer(const QString& text);
    void endSheet(qint64 code);
    void onTextEdited(const QString& text);
    QLineEdit* focusField() const;

    QPointer<QDialog> m_window;
    QPointer<QWidget> _parentWindow;
    QVariant _contextInfo;
    bool _doWindowAsSheet = true;
    bool _doAsSecureText = false;
    bool m_adminMode = false;
    QString m_button1Action;
    CustomTextFieldFormatter m_formatter;
    QString m_lastAcceptedText;

    QLineEdit* m_textField = nullptr;
    QLineEdit* m_secureField = nullptr;
    QLabel* m_status1 = nullptr;
    QLabel* m_status2 = nullptr;
    HoldDownButton* m_enter = nullptr;
    QPushButton* m_clear = nullptr;
    QPushButton* m_button1 = nullptr;
    QPushButton* m_adminModeButton = nullptr;
    QPushButton* m_asterisk = nullptr;
    QPushButton* m_pound = nullptr;
    QWidget* m_adminOptions = nullptr;
    QList<QPushButton*> m_keys;
    QDialog* m_confirm = nullptr;
    QVariant m_confirmContext;
    KeypadBeeper* m_beeper = nullptr;
};

} // namespace kivo
