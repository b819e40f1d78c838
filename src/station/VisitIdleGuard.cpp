#include "station/VisitIdleGuard.h"

#include "core/ConsoleLog.h"
#include "core/Settings.h"
#include "screens/StillTherePrompt.h"
#include "station/Logging.h"
#include "station/SalesWindow.h"

#include <QCoreApplication>
#include <QMouseEvent>

#include <algorithm>

namespace kivo {

namespace {

constexpr const char* kClass = "VisitIdleGuard";
// Longer than a day is as good as off, and keeps the milliseconds within an int.
constexpr qint64 kLongestTimeoutSeconds = qint64(24) * 60 * 60;

// What counts as the customer being there. Mouse moves count only with a button held: a
// window appearing under a resting pointer makes moves nobody did.
bool isCustomerInput(const QEvent* event)
{
    if (!event->spontaneous())
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::Wheel:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TabletPress:
        return true;
    case QEvent::MouseMove:
        return static_cast<const QMouseEvent*>(event)->buttons() != Qt::NoButton;
    default:
        return false;
    }
}

} // namespace

VisitIdleGuard::VisitIdleGuard(SalesWindow& sales, Settings& settings, QObject* parent)
    : QObject(parent), m_sales(sales), m_settings(settings)
{
    m_prompt = new StillTherePrompt(m_idle, sales.window());
    connect(sales.session(), &SalesSession::stateChanged, this, &VisitIdleGuard::stateChanged);
    connect(&m_idle, &IdleTimeout::promptShown, this, &VisitIdleGuard::promptShown);
    connect(&m_idle, &IdleTimeout::expired, this, &VisitIdleGuard::expired);
    QCoreApplication::instance()->installEventFilter(this);
    stateChanged(sales.session()->state());
}

VisitIdleGuard::~VisitIdleGuard()
{
    if (QCoreApplication* app = QCoreApplication::instance())
        app->removeEventFilter(this);
    delete m_prompt;
}

bool VisitIdleGuard::eventFilter(QObject* watched, QEvent* event)
{
    if (m_idle.phase() != IdleTimeout::Phase::Off && isCustomerInput(event))
        m_idle.activity();
    return QObject::eventFilter(watched, event);
}

void VisitIdleGuard::stateChanged(SalesSession::State state)
{
    const bool visit = SalesSession::showsCustomerContent(state);
    if (visit && m_idle.phase() == IdleTimeout::Phase::Off) {
        // Read as each visit begins: a changed setting holds from the next customer on.
        const qint64 seconds =
            std::clamp<qint64>(m_settings.idleTimeoutSeconds(), 0, kLongestTimeoutSeconds);
        m_idle.setTimeout(int(seconds * 1000));
    }
    m_idle.setVisitActive(visit);
}

void VisitIdleGuard::promptShown()
{
    consoleLog(lcStation(), kClass, "promptShown",
               QStringLiteral("no input for %1 s in the visit of [%2]: Still there?")
                   .arg(m_idle.timeout() / 1000)
                   .arg(m_sales.session()->customerIdNumber()));
}

void VisitIdleGuard::expired()
{
    consoleLog(lcStation(), kClass, "expired",
               QStringLiteral("no answer: the visit of [%1] ends")
                   .arg(m_sales.session()->customerIdNumber()));
    m_sales.startOver();
}

} // namespace kivo
