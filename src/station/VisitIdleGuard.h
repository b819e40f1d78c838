#pragma once

#include "core/IdleTimeout.h"
#include "screens/StillTherePrompt.h"
#include "visit/SalesSession.h"

#include <QObject>
#include <QPointer>

namespace kivo {

class SalesWindow;
class Settings;

// Ends a visit left alone for prefIdleTimeoutSeconds: watches the application's input while the
// customer's photos or order are on the screen, shows "Still there?", and when nobody answers
// ends the visit as the selling screen's "Start Over" does after its confirmation (the customer
// lock released, the photos and the order cleared, the attract screen back).
class VisitIdleGuard : public QObject
{
    Q_OBJECT

public:
    VisitIdleGuard(SalesWindow& sales, Settings& settings, QObject* parent = nullptr);
    ~VisitIdleGuard() override;

    IdleTimeout& idleTimeout() { return m_idle; }
    StillTherePrompt* prompt() const { return m_prompt; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void stateChanged(SalesSession::State state);
    void promptShown();
    void expired();

    SalesWindow& m_sales;
    Settings& m_settings;
    IdleTimeout m_idle;
    // A window of its own; goes with the guard, whose watch it reads.
    QPointer<StillTherePrompt> m_prompt;
};

} // namespace kivo
