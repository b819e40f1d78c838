#pragma once

#include "core/SheetOptions.h"

#include <QObject>
#include <QPointer>

class QDialog;
class QLabel;
class QProgressBar;
class QPushButton;
class QWidget;

namespace kivo {

// The progress sheet: a status line, an indeterminate progress bar and up to two buttons, shown
// while the station works (start-up checks, the search) and for its questions (setup error,
// cancel confirmation). A button reports its action through buttonClicked; CloseSelf on the
// second button also closes the sheet.
class ProgressSheet : public QObject
{
    Q_OBJECT

public:
    explicit ProgressSheet(QObject* parent = nullptr);
    ~ProgressSheet() override;

    QDialog* window();
    // Opens (or re-labels) the sheet over PARENTWINDOW.
    void openSheet(const ProgressOptions& options, QWidget* parentWindow);
    // Clears the status and closes the sheet.
    void closeProgress();
    // The host's quit event: closes the sheet, then asks for the station to quit.
    void closeForQuit();
    void setStatusText(const QString& text, bool isError = false);
    void setProgressAnimating(bool animate);
    void setSheetTitle(const QString& title);

    bool isVisible() const;
    QLabel* statusLabel() const { return m_status; }
    QProgressBar* progressBar() const { return m_bar; }
    QPushButton* firstButton() const { return m_button1; }
    QPushButton* secondButton() const { return m_button2; }
    bool isAnimating() const;

signals:
    void buttonClicked(kivo::SheetAction action);
    void quitRequested();

private:
    void build();

    QPointer<QDialog> m_window;
    QLabel* m_status = nullptr;
    QProgressBar* m_bar = nullptr;
    QPushButton* m_button1 = nullptr;
    QPushButton* m_button2 = nullptr;
    SheetAction m_action1 = SheetAction::None;
    SheetAction m_action2 = SheetAction::None;
};

} // namespace kivo
