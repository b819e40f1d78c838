#pragma once

#include "core/SheetOptions.h"
#include "search/EntryFieldFormatter.h"

#include <QObject>
#include <QPointer>

class QDialog;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace kivo {

class HoldDownButton;
class KeypadBeeper;
class Settings;

// The keypad sheet: large keys, the entry field (fed by the on-screen keys, a keyboard or a
// barcode scanner, whose Return acts as Enter), two message lines and the Enter key. The entry
// rules are in search/KeypadRules; this class shows them. An accepted entry ends the sheet as
// SheetReturn::Accepted and comes back through sheetEnded with the caller's context, the entry
// or the command filled in.
class KeypadSheet : public QObject
{
    Q_OBJECT

public:
    // What the keypad shows: the ID field, the hidden field (release code, with * and #), or
    // the hidden field with the administrator's buttons.
    enum class Mode
    {
        Normal,
        Secure,
        Admin,
    };

    explicit KeypadSheet(Settings& settings, QObject* parent = nullptr);
    ~KeypadSheet() override;

    QDialog* window();

    // Opens (or re-labels) the sheet over PARENTWINDOW.
    void openSheet(const KeypadOptions& options, QWidget* parentWindow);
    // The Enter key's action: applies the entry rules to the entry.
    void closeSheet();
    // The host's quit event: ends the open prompt with the quit command.
    void closeForQuit();
    void onKeyPressed(QPushButton* key);
    void clearTextField();
    void enterSecureTextMode();
    void showViewsForMode(Mode mode);
    void playBeeps(int count);

    bool isVisible() const;
    bool isSecureTextMode() const { return m_secureText; }
    bool isAdminMode() const { return m_adminMode; }
    QString buffer() const;
    SheetContext context() const { return m_context; }

    // The views, for the sales window and tests.
    QLineEdit* textField() const { return m_textField; }
    QLineEdit* secureTextField() const { return m_secureField; }
    QLabel* messageLabel() const { return m_message; }
    QLabel* secondMessageLabel() const { return m_message2; }
    HoldDownButton* enterButton() const { return m_enter; }
    QPushButton* digitKey(const QString& title) const;
    QPushButton* clearButton() const { return m_clear; }
    QPushButton* extraButton() const { return m_extraButton; }
    QPushButton* adminModeButton() const { return m_adminModeButton; }
    QPushButton* quitAppButton() const { return m_quitAppButton; }
    QPushButton* openPrefButton() const { return m_openPrefButton; }
    QWidget* adminOptionsView() const { return m_adminOptions; }

    KeypadBeeper* beeper() const { return m_beeper; }

signals:
    void sheetEnded(kivo::SheetReturn returnCode, const kivo::SheetContext& context);
    // The extra button with the caller's action (StartOver or OpenPreferences).
    void buttonAction(kivo::SheetAction action);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build();
    void setBuffer(const QString& text);
    void updateLabel(QLabel* label, const QString& text, bool isError);
    void enterPressed();
    // Ends the prompt as accepted with the entry, or with COMMAND instead of it.
    void endSheet(KeypadCommand command = KeypadCommand::None);
    void onTextEdited(const QString& text);
    QLineEdit* focusField() const;

    Settings& m_settings;
    QPointer<QDialog> m_window;
    QPointer<QWidget> m_parentWindow;
    // What the keypad lies on where it is shown inside the sales window.
    QPointer<QWidget> m_cover;
    SheetContext m_context;
    bool m_secureText = false;
    bool m_adminMode = false;
    SheetAction m_extraAction = SheetAction::None;
    EntryFieldFormatter m_formatter;
    QString m_lastAcceptedText;
    // The keypad lost the active window since it opened.
    bool m_leftActive = false;

    QLineEdit* m_textField = nullptr;
    QLineEdit* m_secureField = nullptr;
    QLabel* m_message = nullptr;
    QLabel* m_message2 = nullptr;
    HoldDownButton* m_enter = nullptr;
    QPushButton* m_clear = nullptr;
    QPushButton* m_extraButton = nullptr;
    QPushButton* m_adminModeButton = nullptr;
    QPushButton* m_quitAppButton = nullptr;
    QPushButton* m_openPrefButton = nullptr;
    QPushButton* m_asterisk = nullptr;
    QPushButton* m_pound = nullptr;
    QWidget* m_adminOptions = nullptr;
    QList<QPushButton*> m_keys;
    KeypadBeeper* m_beeper = nullptr;
};

} // namespace kivo
