#pragma once

#include "search/KeypadHoldTimer.h"

#include <QPushButton>

#include <functional>

namespace kivo {

// A push button that knows whether it was held down: a press held longer than the hold time
// (3 s) counts as a hold, and its release beeps to say so.
class HoldDownButton : public QPushButton
{
    Q_OBJECT

public:
    explicit HoldDownButton(const QString& title, QWidget* parent = nullptr);

    KeypadHoldTimer& holdTimer() { return m_timer; }
    void setBeep(std::function<void(int)> beep) { m_beep = std::move(beep); }
    // A continuous button sends its action repeatedly while held.
    void setContinuous(bool continuous) { setAutoRepeat(continuous); }
    bool isContinuous() const { return autoRepeat(); }

    // YES when SENDER is a hold-down button that was held long enough; starts one beep then.
    static bool didHoldDownLongEnough(QObject* sender);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    KeypadHoldTimer m_timer;
    std::function<void(int)> m_beep;
};

} // namespace kivo
