#include "core/SalesSession.h"

#include "core/ConsoleLog.h"
#include "core/NotificationCenter.h"
#include "core/SessionIdentity.h"
#include "core/SessionKeys.h"
#include "core/Settings.h"
#include "core/SettingsKeys.h"
#include "core/StartupValidation.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMetaEnum>
#include <QPromise>
#include <QThread>
#include <QThreadPool>
#include <QTimer>

#include <memory>

namespace kivo {

namespace {

const char* const kClass = "SalesWindowController";
// How long the station waits at its end for a release that is still writing.
constexpr qint64 kReleaseWaitAtEndMs = 30000;

QString key(const char* k)
{
    return QString::fromLatin1(k);
}

// Runs WORK on the global pool; the future's watcher brings the answer back to
// its own thread.
template <typename T, typename Work> QFuture<T> runOnWorker(Work work)
{
    auto promise = std::make_shared<QPromise<T>>();
    QFuture<T> future = promise->future();
    promise->start();
    QThreadPool::globalInstance()->start([promise, work = std::move(work)]() mutable {
        promise->addResult(work());
        promise->finish();
    });
    return future;
}

QVariantMap context(const char* method)
{
    return {{key(keyFromMethod), key(method)}};
}

} // namespace

SalesSession::SalesSession(SessionView* view, QObject* parent) : QObject(parent), m_view(view)
{
    NotificationCenter::defaultCenter().addObserver(
        this, key(kivoEnteredFirstPackageNotification),
        [this](const Notification&) { customerOrderStarted(); });
}

SalesSession::~SalesSession()
{
    if (!m_releaseWatcher)
        return;
    // A release still running is let finish, so that no order is left half-written. Its worker
    // may itself be waiting for this thread (printing, posting on the bus), so keep serving
    // this thread's events while waiting rather than blocking it.
    const QFuture<ReleaseOutcome> running = m_releaseWatcher->future();
    QElapsedTimer waited;
    waited.start();
    while (!running.isFinished() && waited.elapsed() < kReleaseWaitAtEndMs) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(2);
    }
    if (!running.isFinished())
        consoleLog(kClass, "~SalesSession", QStringLiteral("the release did not finish in time"));
}

QString SalesSession::stateName(State state)
{
    return QString::fromLatin1(QMetaEnum::fromType<State>().valueToKey(static_cast<int>(state)));
}

void SalesSession::setState(State state)
{
    if (m_state == state)
        return;
    consoleLog(kClass, "setState",
               QStringLiteral("%1 -> %2").arg(stateName(m_state), stateName(state)));
    m_state = state;
    emit stateChanged(state);
}

void SalesSession::validateSetupBeforeStarting()
{
    consoleLog(kClass, "validateSetupBeforeStarting");
    setState(State::Initializing);
    m_view->openProgress({{key(keyMessage), QStringLiteral("Initializing System...")}});
    auto* watcher = new QFutureWatcher<StartupValidationResult>(this);
    connect(watcher, &QFutureWatcher<StartupValidationResult>::finished, this, [this, watcher] {
        const StartupValidationResult result = watcher->result();
        watcher->deleteLater();
        m_view->closeProgress();
        if (result.ok) {
            emit setupValidated();
            startOver();
            return;
        }
        setState(State::SetupError);
        m_view->openProgress({
            {key(keyMessage), QStringLiteral("UNABLE to Find REQUIRED Volumes...\nYou may "
                                             "need to setup your prefs...?")},
            {key(keyIsError), true},
            {key(keyButtonTitle), QStringLiteral("Open Preferences...")},
            {key(keyButtonAction), QStringLiteral("openPref:")},
        });
    });
    watcher->setFuture(runOnWorker<StartupValidationResult>(
        [] { return performStartupValidation(Settings::standardUserDefaults()); }));
}

void SalesSession::releaseLock()
{
    if (m_lock.createdSessionFile())
        m_lock.deleteSessionInUseFile();
}

void SalesSession::openIdPrompt(const QString& message2, bool isError2)
{
    QVariantMap options{
        {key(keyMessage), QStringLiteral("Please Enter/Scan Your Photo ID")},
        {key(keyButtonTitle), QStringLiteral("Continue")},
        {key(keyContextInfo), context(kMethodStartOver)},
    };
    if (!message2.isNull()) {
        options.insert(key(keyMessage2), message2);
        options.insert(key(keyIsError2), isError2);
    }
    m_view->openKeypad(options);
}

void SalesSession::startOver()
{
    consoleLog(kClass, "startOver");
    // Every way back to the attract screen ends the visit, sold or not: a lock
    // left held here would make this station refuse the customer's own ID next
    // time.
    releaseLock();
    m_view->closeProgress();
    m_sessionStarted = false;
    m_enteredFirstPackage = false;
    m_sessionSheets = 0;
    m_sessionOrder.clear();
    m_view->resetSellingScreen();
    m_view->setScreenMode(1);
    setState(State::Attract);
    openIdPrompt();
}

void SalesSession::startOverLoop()
{
    setState(State::CollectingIDs);
    m_view->openKeypad({
        {key(keyMessage), QStringLiteral("Please Enter Another ID")},
        {key(keyMessage2), QStringLiteral("If NO More ID, Just Hit Enter.")},
        {key(keyButtonTitle), QStringLiteral("Continue")},
        {key(keyContextInfo), context(kMethodStartOverLoop)},
    });
}

void SalesSession::quitStation()
{
    consoleLog(kClass, "quitStation");
    releaseLock();
    setState(State::Quit);
    m_view->showMenuBar();
    m_view->terminateApplication();
}

void SalesSession::requestPreferences(bool fromKeypad)
{
    setState(State::Preferences);
    auto& center = NotificationCenter::defaultCenter();
    const QString name = key(kivoOpenPrefsNotification);
    if (center.observerCount(name) == 0) {
        // Nobody offers preferences in this build: the station carries on with the
        // next visit.
        consoleLog(kClass, "openPreference", QStringLiteral("No preferences to open"));
        startOver();
        return;
    }
    center.postNotification(name, fromKeypad ? this : nullptr);
}

void SalesSession::openPreference()
{
    consoleLog(kClass, "openPreference");
    m_view->closeProgress();
    releaseLock();
    requestPreferences(false);
}

void SalesSession::acceptIdsAndSearch(const QStringList& ids)
{
    const QString folder =
        Settings::standardUserDefaults().stringForKey(key(sPrefMainImagesFolder));
    if (!folder.isEmpty()) {
        releaseLock();
        bool inUseElsewhere = false;
        const CustomerLock::Result taken =
            m_lock.createSessionInUseFile(folder, m_customerIdNumber, &inUseElsewhere);
        if (taken == CustomerLock::Refused && inUseElsewhere) {
            m_view->beep(2);
            setState(State::Attract);
            openIdPrompt(QStringLiteral("Sorry - Your ID [%1] Is In Use By Another System...")
                             .arg(m_customerIdNumber),
                         true);
            return;
        }
    }
    setState(State::Searching);
    if (!m_searcher || !m_searcher->searchForImagesWithID(ids))
        openPreference();
}

void SalesSession::searchFinished(const QStringList& ids, const QStringList& photos,
                                  bool queryFailed)
{
    if (m_state != State::Searching) {
        consoleLog(kClass, "searchFinished", QStringLiteral("Late search result ignored"));
        return;
    }
    m_view->closeProgress();
    if (!photos.isEmpty()) {
        startOrderSessionWithPhotos(photos);
        return;
    }
    consoleLog(kClass, "searchFinished",
               QStringLiteral("No photos for [%1]%2")
                   .arg(ids.join(QLatin1Char(',')),
                        queryFailed ? QStringLiteral(" (query failed)") : QString()));
    releaseLock();
    m_view->beep(3);
    setState(State::Attract);
    openIdPrompt(QStringLiteral("No Images Found for ID: [%1]").arg(ids.join(QLatin1Char(','))),
                 true);
}

void SalesSession::startOrderSessionWithPhotos(const QStringList& photos)
{
    consoleLog(kClass, "startOrderSessionWithPhotos", QString::number(photos.size()));
    m_lastFoundArray = photos;
    m_enteredFirstPackage = false;
    m_sessionStarted = false;
    m_sessionSheets = 0;
    m_view->showPhotos(photos);
    m_view->setScreenMode(0);
    setState(State::Choosing);
    if (Settings::standardUserDefaults().boolForKey(key(sPrefDoPREprintFirstPhoto))) {
        NotificationCenter::defaultCenter().postNotification(
            key(kivoDoMakeSamplePrintNotification), this,
            {{QStringLiteral("PLU"), QStringLiteral("P10021")}});
    }
}

void SalesSession::customerOrderStarted()
{
    m_sessionStarted = true;
    m_enteredFirstPackage = true;
    if (m_state == State::Choosing)
        setState(State::Ordering);
}

void SalesSession::backToChoosing()
{
    m_sessionStarted = false;
    m_enteredFirstPackage = false;
    m_sessionSheets = 0;
    m_sessionOrder.clear();
    if (m_state == State::Ordering)
        setState(State::Choosing);
}

void SalesSession::backToPhotos()
{
    m_view->setScreenMode(0);
    setState(m_sessionStarted ? State::Ordering : State::Choosing);
}

void SalesSession::cancelOrder()
{
    consoleLog(kClass, "cancelOrder", QString::number(m_sessionSheets));
    if (m_sessionSheets <= 0) {
        startOver();
        return;
    }
    // The lock stays until the customer really leaves: "Resume Order" goes on
    // selling.
    m_stateBeforeConfirmation = m_state;
    m_view->beep(1);
    setState(State::CancelConfirmation);
    m_view->openProgress({
        {key(keyMessage), QStringLiteral("Are You Sure Your Want to Cancel This Order?")},
        {key(keyIsError), true},
        {key(keyButtonTitle), QStringLiteral("Cancel Order")},
        {key(keyButtonAction), QStringLiteral("startOver:")},
        {key(keyButton2Title), QStringLiteral("Resume Order")},
        {key(keyButton2Action), QStringLiteral("closeSelf:")},
    });
}

void SalesSession::showOrderSummary()
{
    consoleLog(kClass, "showOrderSummary");
    m_view->setScreenMode(2);
    setState(State::Summary);
    m_view->openOrderSummary(context(kMethodShowOrderSummary));
}

void SalesSession::enterReleaseCode()
{
    setState(State::ReleaseCode);
    m_view->openKeypad({
        {key(keyMessage), QStringLiteral("Enter Release Code...")},
        {key(keyButtonTitle), QStringLiteral("Continue")},
        {key(keyMessage2), QStringLiteral("Please Contact Sales For Help...")},
        {key(keyIsError2), true},
        {key(keyShowSecureText), true},
        {key(keyContextInfo), context(kMethodEnterReleaseCode)},
    });
}

void SalesSession::releaseOrder()
{
    if (m_state == State::Releasing)
        return;
    consoleLog(kClass, "releaseOrder", m_customerIdNumber);
    setState(State::Releasing);
    m_view->showReleasePanel(true);
    const ReleaseRequest request{m_customerIdNumber, m_customerIdArray, m_lastFoundArray,
                                 m_sessionOrder, m_snapshot ? m_snapshot() : QVariant()};
    m_releaseOutcomeArrived = false;
    m_completionPending = false;
    ReleaseFunction release = m_release;
    if (!m_releaseWatcher) {
        m_releaseWatcher = new QFutureWatcher<ReleaseOutcome>(this);
        connect(m_releaseWatcher, &QFutureWatcher<ReleaseOutcome>::finished, this,
                [this] { releaseDone(m_releaseWatcher->result()); });
    }
    m_releaseWatcher->setFuture(runOnWorker<ReleaseOutcome>([release, request] {
        if (!release)
            return ReleaseOutcome{false, QStringLiteral("No order output is set up.")};
        return release(request);
    }));
}

void SalesSession::releaseDone(const ReleaseOutcome& result)
{
    m_releaseOutcomeArrived = true;
    const bool completionWaiting = m_completionPending;
    m_completionPending = false;
    emit releaseFinished(result.ok, result.message);
    if (result.ok) {
        m_lastReleaseError.clear();
        consoleLog(kClass, "releaseOrder", QStringLiteral("Order released"));
        if (!result.completionScheduled)
            QTimer::singleShot(m_completionDelay, this, [this] { timerFireMethod(); });
        else if (completionWaiting)
            timerFireMethod();
        return;
    }
    // Nothing of the order is lost: the sales person sees what failed and tries
    // again, or goes back to the photos with the order as it was.
    m_lastReleaseError = result.message;
    consoleLog(kClass, "releaseOrder", QStringLiteral("Release FAILED: %1").arg(result.message));
    m_view->showReleasePanel(false);
    m_view->beep(1);
    setState(State::ReleaseFailed);
    m_view->openProgress({
        {key(keyMessage), QStringLiteral("UNABLE to Save This Order...\n%1").arg(result.message)},
        {key(keyIsError), true},
        {key(keyShowIndicator), false},
        {key(keyButtonTitle), QStringLiteral("Try Again")},
        {key(keyButtonAction), QStringLiteral("retryRelease:")},
        {key(keyButton2Title), QStringLiteral("Back to Order")},
        {key(keyButton2Action), QStringLiteral("backToOrder:")},
    });
}

void SalesSession::timerFireMethod()
{
    if (m_state != State::Releasing)
        return;
    if (!m_releaseOutcomeArrived) {
        // The output's timer beat its own answer back: starting over now would clear the order
        // while the outcome is still on its way. It runs when the answer arrives.
        consoleLog(kClass, "timerFireMethod", QStringLiteral("waiting for the release's outcome"));
        m_completionPending = true;
        return;
    }
    m_view->showReleasePanel(false);
    startOver();
}

void SalesSession::progressButton(const QString& action)
{
    consoleLog(kClass, "progressButton", action);
    if (action.compare(QLatin1String("startOver:"), Qt::CaseInsensitive) == 0) {
        startOver();
    } else if (action.compare(QLatin1String("openPref:"), Qt::CaseInsensitive) == 0) {
        openPreference();
    } else if (action.compare(QLatin1String("closeSelf:"), Qt::CaseInsensitive) == 0) {
        m_view->closeProgress();
        if (m_state == State::CancelConfirmation)
            setState(m_stateBeforeConfirmation);
    } else if (action.compare(QLatin1String("retryRelease:"), Qt::CaseInsensitive) == 0) {
        m_view->closeProgress();
        if (m_state == State::ReleaseFailed)
            releaseOrder();
    } else if (action.compare(QLatin1String("backToOrder:"), Qt::CaseInsensitive) == 0) {
        m_view->closeProgress();
        if (m_state == State::ReleaseFailed)
            backToPhotos();
    }
}

bool SalesSession::forceSessionToClose()
{
    consoleLog(kClass, "forceSessionToClose");
    releaseLock();
    return true;
}

void SalesSession::didEndSheet(qint64 returnCode, const QVariant& contextInfo)
{
    if (contextInfo.typeId() != QMetaType::QVariantMap) {
        consoleLog(kClass, "didEndSheet",
                   QStringLiteral(">>>>>>>>> WARNING: Unknown Type for ContextInfo=[%1]")
                       .arg(QString::fromLatin1(contextInfo.typeName())));
        return;
    }
    const QVariantMap ctx = contextInfo.toMap();
    const QString method = ctx.value(key(keyFromMethod)).toString();
    const QString data = ctx.value(key(keyReturnData)).toString();
    const auto is = [](const QString& a, const char* b) {
        return a.compare(QLatin1String(b), Qt::CaseInsensitive) == 0;
    };
    consoleLog(kClass, "didEndSheet",
               QStringLiteral("code=%1 fromMethod=%2").arg(returnCode).arg(method));

    if (is(method, kMethodStartOverLoop) || is(method, kMethodStartOver)) {
        if (is(data, kCommandQuitApp)) {
            quitStation();
            return;
        }
        if (is(data, kCommandOpenPref)) {
            requestPreferences(true);
            return;
        }
    }
    if (is(method, kMethodStartOverLoop)) {
        if (is(data, kCommandDoneLoop)) {
            acceptIdsAndSearch(m_customerIdArray);
        } else if (isPhotoID(data)) {
            m_customerIdArray.append(data);
            startOverLoop();
        } else {
            // The keypad lets no other entry through; if one comes, ask again.
            m_view->beep(2);
            startOverLoop();
        }
    } else if (is(method, kMethodStartOver)) {
        if (!isPhotoID(data)) {
            m_customerIdNumber = QString();
            m_view->beep(2);
            startOver();
        } else if (Settings::standardUserDefaults().boolForKey(key(sPrefAllowMultipleIDs))) {
            m_customerIdNumber = formCustomerUniqueID(data);
            m_customerIdArray = QStringList{data};
            startOverLoop();
        } else {
            m_customerIdNumber = data;
            m_customerIdArray = QStringList{data};
            acceptIdsAndSearch(m_customerIdArray);
        }
    } else if (is(method, kMethodEnterReleaseCode)) {
        if (data.compare(QLatin1String(kReleaseCode), Qt::CaseInsensitive) == 0) {
            consoleLog(kClass, "didEndSheet", QStringLiteral("ENTERED VALID RELEASE CODE......."));
            releaseOrder();
        } else {
            consoleLog(kClass, "didEndSheet",
                       QStringLiteral("ENTERED INVALID RELEASE CODE of [%1].......").arg(data));
            backToPhotos();
        }
    } else if (is(method, kMethodShowOrderSummary)) {
        if (returnCode == kSheetReturnStopped) {
            startOver();
        } else if (returnCode == kSheetReturnAccepted) {
            if (Settings::standardUserDefaults().boolForKey(key(sPrefMustEnterReleaseCode)))
                enterReleaseCode();
            else
                releaseOrder();
        } else {
            backToPhotos();
        }
    }
}

} // namespace kivo
