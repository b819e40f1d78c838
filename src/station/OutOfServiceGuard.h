#pragma once

#include "core/SelfTest.h"

#include <QFutureWatcher>
#include <QList>
#include <QObject>
#include <QPointer>

#include <functional>

class QTimer;

namespace kivo {

class OutOfServiceScreen;

// Keeps the station from selling while a check that stops sales fails: runs the checks on a
// worker thread, shows the out-of-service screen over the sales window with the reasons for the
// staff, and checks again every 30 s until all of them pass, when the screen goes and the
// station is back in service by itself.
class OutOfServiceGuard : public QObject
{
    Q_OBJECT

public:
    using Checks = std::function<QList<CheckResult>()>;

    static constexpr int kRetryIntervalMs = 30000;

    // CHECKS runs on a worker thread: everything it reads must be safe there.
    explicit OutOfServiceGuard(Checks checks, QObject* parent = nullptr);
    // Waits for a check still running, so it never outlives what it reads.
    ~OutOfServiceGuard() override;

    // The window the screen covers (placed on its customer screen); none: the customer screen.
    void setCoveredWindow(QWidget* window) { m_covered = window; }
    void setRetryInterval(int milliseconds);

    // Runs the checks now, unless a round is running already.
    void check();

    bool isOutOfService() const { return m_outOfService; }
    bool isChecking() const { return m_watcher.isRunning(); }
    // The screen, created when first needed.
    OutOfServiceScreen* screen();
    const QList<CheckResult>& lastResults() const { return m_lastResults; }

signals:
    // A round of checks ended; INSERVICE when nothing stops sales.
    void checked(bool inService, const QStringList& salesStoppers);
    // The station went out of service, or came back.
    void outOfServiceChanged(bool outOfService);

private:
    void roundFinished();
    void showScreen(const QStringList& reasons);
    void hideScreen();

    Checks m_checks;
    QFutureWatcher<QList<CheckResult>> m_watcher;
    QTimer* m_retry = nullptr;
    QPointer<QWidget> m_covered;
    QPointer<OutOfServiceScreen> m_screen;
    QList<CheckResult> m_lastResults;
    bool m_outOfService = false;
};

} // namespace kivo
