#pragma once

#include <QPointer>
#include <QTimer>
#include <QWidget>

class QLabel;
class QPushButton;

namespace kivo {

class IdleTimeout;

// "Still there?" over the whole sales window while IDLE prompts: a window of its own, so that
// it stays above the sheets of the visit (the summary, the keypad). A touch anywhere on it or
// its button keeps the visit; the countdown shows how long is left. Owned by whoever made it.
class StillTherePrompt : public QWidget
{
    Q_OBJECT

public:
    StillTherePrompt(IdleTimeout& idle, QWidget* salesWindow);

    QPushButton* keepButton() const { return m_keep; }
    QLabel* countdownLabel() const { return m_countdown; }

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    void showOverWindow();
    void updateCountdown();

    IdleTimeout& m_idle;
    QPointer<QWidget> m_salesWindow;
    QLabel* m_countdown = nullptr;
    QPushButton* m_keep = nullptr;
    QTimer m_tick;
};

} // namespace kivo
