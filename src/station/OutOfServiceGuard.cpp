#include "station/OutOfServiceGuard.h"

#include "core/ConsoleLog.h"
#include "core/Log.h"
#include "screens/OutOfServiceScreen.h"
#include "station/Logging.h"
#include "station/ScreenPlacement.h"

#include <QPromise>
#include <QThreadPool>
#include <QTime>
#include <QTimer>

namespace kivo {

OutOfServiceGuard::OutOfServiceGuard(Checks checks, QObject* parent)
    : QObject(parent), m_checks(std::move(checks)), m_retry(new QTimer(this))
{
    m_retry->setSingleShot(true);
    m_retry->setInterval(kRetryIntervalMs);
    connect(m_retry, &QTimer::timeout, this, &OutOfServiceGuard::check);
    connect(&m_watcher, &QFutureWatcher<QList<CheckResult>>::finished, this,
            &OutOfServiceGuard::roundFinished);
}

OutOfServiceGuard::~OutOfServiceGuard()
{
    m_watcher.waitForFinished();
    delete m_screen;
}

void OutOfServiceGuard::setRetryInterval(int milliseconds)
{
    m_retry->setInterval(milliseconds);
}

void OutOfServiceGuard::check()
{
    if (m_watcher.isRunning())
        return;
    auto promise = std::make_shared<QPromise<QList<CheckResult>>>();
    m_watcher.setFuture(promise->future());
    promise->start();
    QThreadPool::globalInstance()->start([promise, checks = m_checks] {
        promise->addResult(checks());
        promise->finish();
    });
}

void OutOfServiceGuard::roundFinished()
{
    const QFuture<QList<CheckResult>> future = m_watcher.future();
    m_lastResults = future.resultCount() > 0 ? future.result() : QList<CheckResult>();
    for (const CheckResult& result : m_lastResults)
        if (!result.ok)
            consoleLog(lcStation(), "OutOfServiceGuard", "check", SelfTest::line(result));
    const QStringList stoppers = SelfTest::salesStoppers(m_lastResults);
    const bool inService = stoppers.isEmpty();
    if (inService) {
        hideScreen();
    } else {
        showScreen(stoppers);
        m_retry->start();
    }
    if (m_outOfService == inService) {
        m_outOfService = !inService;
        Log::err(
            lcStation(),
            inService
                ? QStringLiteral("back in service")
                : QStringLiteral("out of service: %1").arg(stoppers.join(QStringLiteral("; "))));
        emit outOfServiceChanged(m_outOfService);
    }
    emit checked(inService, stoppers);
}

OutOfServiceScreen* OutOfServiceGuard::screen()
{
    if (!m_screen) {
        m_screen = new OutOfServiceScreen();
        m_screen->setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
        // Over every sheet of the sales window (the keypad among them): nothing under it can be
        // touched while it shows.
        m_screen->setWindowModality(Qt::ApplicationModal);
    }
    return m_screen;
}

void OutOfServiceGuard::showScreen(const QStringList& reasons)
{
    OutOfServiceScreen* s = screen();
    s->setReasons(reasons);
    s->setNextCheck(QTime::currentTime().addMSecs(m_retry->interval()));
    s->setGeometry(externalMonitorRect(m_covered ? m_covered.data() : s));
    s->show();
    s->raise();
    s->activateWindow();
}

void OutOfServiceGuard::hideScreen()
{
    if (m_screen)
        m_screen->hide();
}

} // namespace kivo
