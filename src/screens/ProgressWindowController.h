#pragma once

#include <QObject>
#include <QPointer>
#include <QVariantMap>

class QDialog;
class QLabel;
class QProgressBar;
class QPushButton;
class QWidget;

namespace kivo {

// The progress sheet: a status line, an indeterminate progress bar and up to two buttons, shown
// while the station works (start-up checks, the search) and for its questions (setup error,
// cancel confirmation). A button reports its action ("startOver:", "openPref:", ...) through
// buttonClicked; "closeSelf:" on the second button also closes the sheet.
class ProgressWindowController : public QObject
{
    Q_OBJECT

public:
    explicit ProgressWindowController(QObject* parent = nullptr);
    ~ProgressWindowController() override;

    QDialog* window();
    void ibOpenSheetWithOptions(const QVariantMap& options);
    // Clears the status and closes the sheet; the sender text "quitApp" (any case) then asks
    // for the station to quit.
    void ibCloseProgressWindow(const QVariant& sender = QVariant());
    void ibUpdateStatusTextField(const QString& text, bool isError = false);
    void ibUpdateProgressBar(bool animate);
    void ibSetWindowTitle(const QString& title);

    bool isVisible() const;
    QLabel* ibStatusField() const { return m_status; }
    QProgressBar* ibProgressIndicator() const { return m_bar; }
    QPushButton* ibButton1() const { return m_button1; }
    QPushButton* ibButton2() const { return m_button2; }
    bool isAnimating() const;

signals:
    void buttonClicked(const QString& action);
    void quitRequested();

private:
    void build();

    QPointer<QDialog> m_window;
    QLabel* m_status = nullptr;
    QProgressBar* m_bar = nullptr;
    QPushButton* m_button1 = nullptr;
    QPushButton* m_button2 = nullptr;
    QString m_action1;
    QString m_action2;
};

} // namespace kivo
