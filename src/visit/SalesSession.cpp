#include "visit/SalesSession.h"

#include "core/CodeGuard.h"
#include "core/ConsoleLog.h"
#include "core/Log.h"
#include "core/SessionIdentity.h"
#include "core/Settings.h"
#include "core/SiteCodes.h"
#include "core/StartupValidation.h"
#include "imaging/ThumbnailLoader.h"
#include "output/ReleaseJournal.h"
#include "search/PhotoSearch.h"
#include "visit/Logging.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QMetaEnum>
#include <QMetaMethod>
#include <QPromise>
#include <QThreadPool>
#include <QTimer>

#include <algorithm>
#include <memory>

namespace kivo {

namespace {

const char* const kClass = "SalesSession";
// How long the station waits at its end for a release that is still writing.
constexpr int kReleaseWaitAtEndMs = 30000;
// A share that comes up after the station (a file server slow after a power cut) is found
// within this long.
constexpr int kSetupRetryMs = 5000;

// What a view that has gone away is left with: the session shows nothing more.
class DetachedView final : public SessionView
{
public:
    void openKeypad(const KeypadOptions&) override {}
    void openProgress(const ProgressOptions&) override {}
    void closeProgress() override {}
    void setScreenMode(ScreenMode) override {}
    void beep(int) override {}
    void showMenuBar() override {}
    void terminateApplication() override {}
    void resetSellingScreen() override {}
    void showPhotos(const QStringList&) override {}
    void openOrderSummary(const SheetContext&) override {}
    void showReleasePanel(bool) override {}
    ReleaseSnapshot orderSnapshot() override { return {}; }
    void withdrawPhotos(const QStringList&) override {}
};

DetachedView g_detachedView;

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

SheetContext context(SheetMethod method)
{
    return SheetContext{method, QString(), KeypadCommand::None};
}

} // namespace

SalesSession::SalesSession(SessionView* view, Settings& settings, QObject* parent)
    : QObject(parent), m_view(view), m_settings(settings),
      m_search(new PhotoSearch(settings, this)), m_output(new OrderReleaseBridge(settings, this)),
      m_setupRetry(new QTimer(this)), m_codeGuard(&CodeGuard::station())
{
    connect(m_search, &PhotoSearch::searchFinished, this, &SalesSession::searchFinished);
    connect(m_output, &OrderReleaseBridge::startOverDue, this, &SalesSession::onStartOverTimer);
    m_setupRetry->setSingleShot(true);
    m_setupRetry->setInterval(kSetupRetryMs);
    connect(m_setupRetry, &QTimer::timeout, this, [this] {
        if (m_state == State::SetupError)
            runSetupValidation(true);
    });
}

SalesSession::~SalesSession()
{
    detachView();
    if (!finishRelease(kReleaseWaitAtEndMs))
        consoleLog(lcVisit(), kClass, "~SalesSession",
                   QStringLiteral("the release did not finish in time"));
}

void SalesSession::detachView()
{
    m_view = &g_detachedView;
}

bool SalesSession::finishRelease(int timeoutMs)
{
    if (!m_releaseWatcher || m_releaseWatcher->isFinished())
        return true;
    // The release is let finish, so that no order is left half-written. Its worker may itself
    // be waiting for this thread (printing, posting on the bus), so this thread keeps serving
    // its events while it waits.
    QEventLoop loop;
    QTimer deadline;
    deadline.setSingleShot(true);
    connect(&deadline, &QTimer::timeout, &loop, &QEventLoop::quit);
    connect(m_releaseWatcher, &QFutureWatcher<ReleaseOutcome>::finished, &loop, &QEventLoop::quit);
    deadline.start(timeoutMs);
    if (!m_releaseWatcher->isFinished())
        loop.exec();
    return m_releaseWatcher->isFinished();
}

QString SalesSession::stateName(State state)
{
    return QString::fromLatin1(QMetaEnum::fromType<State>().valueToKey(static_cast<int>(state)));
}

void SalesSession::setState(State state)
{
    if (m_state == state)
        return;
    consoleLog(lcVisit(), kClass, "setState",
               QStringLiteral("%1 -> %2").arg(stateName(m_state), stateName(state)));
    m_state = state;
    // A visit that ends, or a station that quits, after a release stopped between its renames
    // gives up that release: "Try Again" was the only way on to it.
    if (state == State::Attract || state == State::Quit)
        ReleaseJournal::rollBackUnfinishedAttempts();
    emit stateChanged(state);
}

bool SalesSession::showsCustomerContent(State state)
{
    switch (state) {
    case State::Choosing:
    case State::Ordering:
    case State::CancelConfirmation:
    case State::Summary:
    case State::ReleaseCode:
        return true;
    default:
        return false;
    }
}

void SalesSession::setSetupRetryInterval(int milliseconds)
{
    m_setupRetry->setInterval(milliseconds);
}

void SalesSession::validateSetupBeforeStarting()
{
    consoleLog(lcVisit(), kClass, "validateSetupBeforeStarting");
    m_setupRetry->stop();
    setState(State::Initializing);
    ProgressOptions options;
    options.message = tr("Initializing System...");
    m_view->openProgress(options);
    runSetupValidation(false);
}

// The check runs on a worker (a share that stopped answering must not freeze the screen). A
// RETRY is the setup-problem screen looking again by itself: it changes nothing on the screen
// unless the folders are there, and is dropped when the staff have moved on meanwhile.
void SalesSession::runSetupValidation(bool retry)
{
    auto* watcher = new QFutureWatcher<StartupValidationResult>(this);
    connect(watcher, &QFutureWatcher<StartupValidationResult>::finished, this,
            [this, watcher, retry] {
                const StartupValidationResult result = watcher->result();
                watcher->deleteLater();
                if (!result.missing.contains(settingKeyString(Setting::mainImagesFolder)))
                    emit fileSystemChecked(result.fileSystemProblem);
                if (retry && m_state != State::SetupError)
                    return;
                if (!retry || result.ok)
                    m_view->closeProgress();
                if (result.ok) {
                    emit setupValidated();
                    startOver();
                    return;
                }
                if (!retry)
                    showSetupError();
                else
                    m_setupRetry->start();
            });
    watcher->setFuture(runOnWorker<StartupValidationResult>(
        [&settings = m_settings] { return performStartupValidation(settings); }));
}

void SalesSession::showSetupError()
{
    setState(State::SetupError);
    ProgressOptions options;
    options.message = tr("UNABLE to Find REQUIRED Volumes...\nYou may need to setup your "
                         "prefs...?");
    options.isError = true;
    options.button1 = {tr("Open Preferences..."), SheetAction::OpenPreferences};
    m_view->openProgress(options);
    m_setupRetry->start();
}

void SalesSession::releaseLock()
{
    if (m_lock.createdSessionFile())
        m_lock.deleteSessionInUseFile();
    for (CustomerLock& lock : m_idLocks)
        lock.deleteSessionInUseFile();
    m_idLocks.clear();
}

void SalesSession::openIdPrompt(const std::optional<QString>& error)
{
    KeypadOptions options;
    options.message = tr("Please Enter/Scan Your Photo ID");
    options.button.title = tr("Continue");
    options.context = context(SheetMethod::StartOver);
    if (error) {
        options.message2 = error;
        options.isError2 = true;
    }
    m_view->openKeypad(options);
}

void SalesSession::startOver()
{
    consoleLog(lcVisit(), kClass, "startOver");
    // Every way back to the attract screen ends the visit, sold or not: a lock
    // left held here would make this station refuse the customer's own ID next
    // time.
    releaseLock();
    m_view->closeProgress();
    m_sessionStarted = false;
    m_enteredFirstPackage = false;
    m_sessionSheets = 0;
    m_view->resetSellingScreen();
    m_view->setScreenMode(ScreenMode::Attract);
    setState(State::Attract);
    openIdPrompt();
}

void SalesSession::startOverLoop()
{
    setState(State::CollectingIDs);
    KeypadOptions options;
    options.message = tr("Please Enter Another ID");
    options.message2 = tr("If NO More ID, Just Hit Enter.");
    options.button.title = tr("Continue");
    options.context = context(SheetMethod::StartOverLoop);
    m_view->openKeypad(options);
}

void SalesSession::quitStation()
{
    consoleLog(lcVisit(), kClass, "quitStation");
    releaseLock();
    setState(State::Quit);
    m_view->showMenuBar();
    m_view->terminateApplication();
}

void SalesSession::requestPreferences(bool fromKeypad)
{
    setState(State::Preferences);
    if (!isSignalConnected(QMetaMethod::fromSignal(&SalesSession::preferencesRequested))) {
        // Nobody offers preferences in this build: the station carries on with the next visit.
        consoleLog(lcVisit(), kClass, "openPreference", QStringLiteral("No preferences to open"));
        startOver();
        return;
    }
    emit preferencesRequested(fromKeypad);
}

void SalesSession::openPreference()
{
    consoleLog(lcVisit(), kClass, "openPreference");
    askForCode(tr("Enter the Administrator Code..."));
}

void SalesSession::askForQuitCode()
{
    consoleLog(lcVisit(), kClass, "askForQuitCode");
    askForCode(tr("Enter the Quit Code..."));
}

// Any command code works at this prompt, as at the ID prompt; the message says which is wanted.
void SalesSession::askForCode(const QString& message)
{
    m_view->closeProgress();
    releaseLock();
    if (m_state != State::AdminCode)
        m_stateBeforeAdminCode = m_state;
    setState(State::AdminCode);
    KeypadOptions options;
    options.message = message;
    options.message2 = tr("Staff Only - Enter With No Code to Go Back.");
    options.secureText = true;
    options.context = context(SheetMethod::EnterAdminCode);
    m_view->openKeypad(options);
}

void SalesSession::adminCodeAnswered(const SheetContext& context)
{
    if (context.command == KeypadCommand::OpenPreferences) {
        requestPreferences(true);
        return;
    }
    if (context.command == KeypadCommand::QuitApp) {
        quitStation();
        return;
    }
    // No code: back to where the staff came from.
    if (m_stateBeforeAdminCode == State::SetupError)
        showSetupError();
    else
        startOver();
}

void SalesSession::acceptIdsAndSearch(const QStringList& ids)
{
    const QString folder = m_settings.mainImagesFolder();
    if (!folder.isEmpty()) {
        releaseLock();
        QString refused; // the ID another station serves
        QString problem; // what no station made holds a lock's path
        bool inUseElsewhere = false;
        const CustomerLock::Result taken =
            m_lock.createSessionInUseFile(folder, m_customerIdNumber, &inUseElsewhere);
        if (taken == CustomerLock::Refused && inUseElsewhere)
            refused = m_customerIdNumber;
        else if (taken == CustomerLock::Blocked)
            problem = m_lock.problem();
        // A visit of several IDs is named by an identity no other station forms, so its lock
        // alone would let another station open the same photo ID: each ID is locked as well,
        // under the name a station serving that ID alone uses.
        for (const QString& id : ids) {
            if (!refused.isEmpty() || !problem.isEmpty())
                break;
            if (id == m_customerIdNumber ||
                std::any_of(m_idLocks.cbegin(), m_idLocks.cend(), [&](const CustomerLock& l) {
                    return l.heldPath() == CustomerLock::lockPath(folder, id);
                }))
                continue;
            CustomerLock lock;
            const CustomerLock::Result idTaken =
                lock.createSessionInUseFile(folder, id, &inUseElsewhere);
            if (idTaken == CustomerLock::Created)
                m_idLocks.push_back(lock);
            else if (idTaken == CustomerLock::Refused && inUseElsewhere)
                refused = id;
            else if (idTaken == CustomerLock::Blocked)
                problem = lock.problem();
        }
        if (!refused.isEmpty()) {
            releaseLock();
            m_view->beep(2);
            setState(State::Attract);
            openIdPrompt(tr("Sorry - Your ID [%1] Is In Use By Another System...").arg(refused));
            return;
        }
        if (!problem.isEmpty()) {
            // Something no station made sits where a lock belongs (a folder, a link, a
            // pipe). Selling on without the lock would let a second station take the same
            // customer, so the visit stops here and the staff are told what to remove.
            releaseLock();
            Log::err(lcVisit(), QStringLiteral("SalesSession acceptIdsAndSearch: %1").arg(problem));
            m_view->beep(2);
            setState(State::Attract);
            openIdPrompt(tr("Please call a staff member: %1").arg(problem));
            return;
        }
    }
    setState(State::Searching);
    const bool started =
        m_searcher ? m_searcher->searchForPhotos(ids) : m_search->searchForPhotos(ids);
    if (!started) {
        // No images folder: the setup-problem screen, which finds it once it is set.
        releaseLock();
        validateSetupBeforeStarting();
        return;
    }
    ProgressOptions options;
    options.message = tr("Searching For Your Photos...");
    m_view->openProgress(options);
}

void SalesSession::searchFinished(const QStringList& ids, const QStringList& photos,
                                  bool queryFailed)
{
    if (m_state != State::Searching) {
        consoleLog(lcVisit(), kClass, "searchFinished",
                   QStringLiteral("Late search result ignored"));
        return;
    }
    m_view->closeProgress();
    if (!photos.isEmpty()) {
        startOrderSession(photos);
        return;
    }
    consoleLog(lcVisit(), kClass, "searchFinished",
               QStringLiteral("No photos for [%1]%2")
                   .arg(ids.join(QLatin1Char(',')),
                        queryFailed ? QStringLiteral(" (query failed)") : QString()));
    releaseLock();
    m_view->beep(3);
    setState(State::Attract);
    openIdPrompt(tr("No Images Found for ID: [%1]").arg(ids.join(QLatin1Char(','))));
}

void SalesSession::startOrderSession(const QStringList& photos)
{
    consoleLog(lcVisit(), kClass, "startOrderSession", QString::number(photos.size()));
    m_lastFoundPhotos = photos;
    m_enteredFirstPackage = false;
    m_sessionStarted = false;
    m_sessionSheets = 0;
    m_view->showPhotos(photos);
    m_view->setScreenMode(ScreenMode::Selling);
    setState(State::Choosing);
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
    if (m_state == State::Ordering)
        setState(State::Choosing);
}

void SalesSession::backToPhotos()
{
    m_view->setScreenMode(ScreenMode::Selling);
    setState(m_sessionStarted ? State::Ordering : State::Choosing);
}

void SalesSession::cancelOrder()
{
    consoleLog(lcVisit(), kClass, "cancelOrder", QString::number(m_sessionSheets));
    if (m_sessionSheets <= 0) {
        startOver();
        return;
    }
    // The lock stays until the customer really leaves: "Resume Order" goes on
    // selling.
    m_stateBeforeConfirmation = m_state;
    m_view->beep(1);
    setState(State::CancelConfirmation);
    ProgressOptions options;
    // A question for the customer, not a fault: asked calmly, with nothing at work.
    options.message = tr("Are You Sure You Want to Cancel This Order?");
    options.showIndicator = false;
    options.button1 = {tr("Cancel Order"), SheetAction::StartOver};
    options.button2 = {tr("Resume Order"), SheetAction::CloseSelf};
    m_view->openProgress(options);
}

void SalesSession::showOrderSummary()
{
    consoleLog(lcVisit(), kClass, "showOrderSummary");
    m_view->setScreenMode(ScreenMode::ContentHidden);
    setState(State::Summary);
    m_view->openOrderSummary(context(SheetMethod::ShowOrderSummary));
}

void SalesSession::enterReleaseCode()
{
    setState(State::ReleaseCode);
    KeypadOptions options;
    options.message = tr("Enter Release Code...");
    options.button.title = tr("Continue");
    options.message2 = tr("Please Contact Sales For Help...");
    options.isError2 = true;
    options.secureText = true;
    options.context = context(SheetMethod::EnterReleaseCode);
    m_view->openKeypad(options);
}

void SalesSession::releaseOrder()
{
    if (m_state == State::Releasing)
        return;
    consoleLog(lcVisit(), kClass, "releaseOrder", m_customerIdNumber);
    setState(State::Releasing);
    m_view->showReleasePanel(true);
    // Taken now, on this thread: the worker never reads the screen's live orders.
    const ReleaseRequest request{m_customerIdNumber, m_view->orderSnapshot()};
    m_releaseOutcomeArrived = false;
    m_completionPending = false;
    ReleaseFunction release = m_release;
    if (!release) {
        OrderReleaseBridge* output = m_output;
        release = [output](const ReleaseRequest& r) { return output->release(r); };
    }
    if (!m_releaseWatcher) {
        m_releaseWatcher = new QFutureWatcher<ReleaseOutcome>(this);
        connect(m_releaseWatcher, &QFutureWatcher<ReleaseOutcome>::finished, this,
                [this] { releaseDone(m_releaseWatcher->result()); });
    }
    m_releaseWatcher->setFuture(runOnWorker<ReleaseOutcome>(
        [this, release, request] { return checkPhotosAndRelease(release, request); }));
}

ReleaseOutcome SalesSession::checkPhotosAndRelease(const ReleaseFunction& release,
                                                   const ReleaseRequest& request)
{
    // On the release's worker: the files are read here, never on the screens' thread.
    const PhotoOrdersSnapshot& orders = request.order.orders;
    QStringList broken;
    for (qsizetype i = 0; i < orders.photos.size() && i < orders.orders.size(); ++i) {
        if (orders.orders.at(i).computeTotalSheets() <= 0)
            continue;
        const QString& photo = orders.photos.at(i);
        const QString problem = photoProblem(photo);
        if (problem.isEmpty())
            continue;
        consoleLog(lcVisit(), kClass, "releaseOrder",
                   QStringLiteral("[%1] cannot be delivered: %2").arg(photo, problem));
        // A photo whose folder does not answer says nothing about the photo: the share it lives
        // on is away (its client answers with input/output errors, or the mount is gone).
        // Taking it off the order would lose the customer's choice for good; the release fails
        // as a failed write does, and "Try Again" goes through once the share is back.
        const QString folder = QFileInfo(photo).absolutePath();
        if (!QFileInfo(folder).isDir()) {
            const QString detail =
                tr("The order of %1 was not saved: the photos cannot be read, their folder %2 "
                   "does not answer (is the share there?)")
                    .arg(request.customerIdNumber, folder);
            consoleLog(lcVisit(), kClass, "releaseOrder", detail);
            emit m_output->staffNoticeChanged(detail);
            return ReleaseOutcome{false, OrderReleaseBridge::failureMessage({})};
        }
        broken.append(photo);
    }
    if (broken.isEmpty())
        return release(request);
    // Taken off the order before the customer is back at the photos (queued ahead of the
    // outcome).
    QMetaObject::invokeMethod(this, [this, broken] { m_view->withdrawPhotos(broken); });
    QStringList names;
    for (const QString& path : std::as_const(broken))
        names.append(QFileInfo(path).fileName());
    ReleaseOutcome outcome{false, tr("This photo can no longer be printed: %1. It has been taken "
                                     "off your order and nothing was charged for it; please look "
                                     "over your order again.")
                                      .arg(names.join(QStringLiteral(", ")))};
    outcome.retryable = false;
    return outcome;
}

void SalesSession::releaseDone(const ReleaseOutcome& result)
{
    m_releaseOutcomeArrived = true;
    const bool completionWaiting = m_completionPending;
    m_completionPending = false;
    emit releaseFinished(result.ok, result.message);
    if (result.ok) {
        m_lastReleaseError.clear();
        consoleLog(lcVisit(), kClass, "releaseOrder", QStringLiteral("Order released"));
        if (!result.completionScheduled)
            QTimer::singleShot(m_completionDelay, this, [this] { onStartOverTimer(); });
        else if (completionWaiting)
            onStartOverTimer();
        return;
    }
    // Nothing of the order is lost: the sales person sees what failed and tries
    // again, or goes back to the photos with the order as it was.
    m_lastReleaseError = result.message;
    consoleLog(lcVisit(), kClass, "releaseOrder",
               QStringLiteral("Release FAILED: %1").arg(result.message));
    m_view->showReleasePanel(false);
    m_view->beep(1);
    setState(State::ReleaseFailed);
    ProgressOptions options;
    options.message = tr("UNABLE to Save This Order...\n%1").arg(result.message);
    options.isError = true;
    options.showIndicator = false;
    if (result.retryable) {
        options.button1 = {tr("Try Again"), SheetAction::RetryRelease};
        options.button2 = {tr("Back to Order"), SheetAction::BackToOrder};
    } else {
        options.button1 = {tr("Back to Order"), SheetAction::BackToOrder};
    }
    m_view->openProgress(options);
}

void SalesSession::onStartOverTimer()
{
    if (m_state != State::Releasing)
        return;
    if (!m_releaseOutcomeArrived) {
        // The output's timer beat its own answer back: starting over now would clear the order
        // while the outcome is still on its way. It runs when the answer arrives.
        consoleLog(lcVisit(), kClass, "onStartOverTimer",
                   QStringLiteral("waiting for the release's outcome"));
        m_completionPending = true;
        return;
    }
    m_view->showReleasePanel(false);
    startOver();
}

void SalesSession::performSheetAction(SheetAction action)
{
    consoleLog(lcVisit(), kClass, "performSheetAction", QString::number(static_cast<int>(action)));
    switch (action) {
    case SheetAction::None:
        break;
    case SheetAction::StartOver:
        startOver();
        break;
    case SheetAction::OpenPreferences:
        openPreference();
        break;
    case SheetAction::CloseSelf:
        m_view->closeProgress();
        if (m_state == State::CancelConfirmation)
            setState(m_stateBeforeConfirmation);
        break;
    case SheetAction::RetryRelease:
        m_view->closeProgress();
        if (m_state == State::ReleaseFailed)
            releaseOrder();
        break;
    case SheetAction::BackToOrder:
        m_view->closeProgress();
        if (m_state == State::ReleaseFailed)
            backToPhotos();
        break;
    }
}

void SalesSession::forceSessionToClose()
{
    consoleLog(lcVisit(), kClass, "forceSessionToClose");
    releaseLock();
}

void SalesSession::didEndSheet(SheetReturn returnCode, const SheetContext& context)
{
    const SheetMethod method = context.fromMethod;
    consoleLog(lcVisit(), kClass, "didEndSheet",
               QStringLiteral("code=%1 fromMethod=%2")
                   .arg(static_cast<int>(returnCode))
                   .arg(static_cast<int>(method)));

    switch (method) {
    case SheetMethod::None:
        consoleLog(lcVisit(), kClass, "didEndSheet",
                   QStringLiteral(">>>>>>>>> WARNING: no prompt to answer"));
        return;
    case SheetMethod::StartOver:
    case SheetMethod::StartOverLoop:
        if (context.command == KeypadCommand::QuitApp) {
            quitStation();
            return;
        }
        if (context.command == KeypadCommand::OpenPreferences) {
            requestPreferences(true);
            return;
        }
        if (method == SheetMethod::StartOverLoop)
            idLoopAnswered(context);
        else
            firstIdAnswered(context.returnData);
        return;
    case SheetMethod::EnterReleaseCode: {
        // While wrong codes are refused the entry is not even compared.
        const bool locked = m_codeGuard->isLocked();
        if (context.command == KeypadCommand::None && !locked &&
            SiteCodes(m_settings).matches(SiteCodes::ReleaseCode, context.returnData)) {
            m_codeGuard->recordRight();
            consoleLog(lcVisit(), kClass, "didEndSheet",
                       QStringLiteral("ENTERED VALID RELEASE CODE......."));
            releaseOrder();
        } else {
            // The entry itself stays out of the log: it may be a near miss of the real code.
            consoleLog(lcVisit(), kClass, "didEndSheet",
                       locked ? QStringLiteral("wrong code entered (codes are refused now)")
                              : QStringLiteral("wrong code entered"));
            if (context.command == KeypadCommand::None && !context.returnData.isEmpty())
                m_codeGuard->recordWrong(QStringLiteral("release code"));
            backToPhotos();
        }
        return;
    }
    case SheetMethod::EnterAdminCode:
        adminCodeAnswered(context);
        return;
    case SheetMethod::ShowOrderSummary:
        if (returnCode == SheetReturn::Stopped) {
            startOver();
        } else if (returnCode == SheetReturn::Accepted) {
            if (m_settings.mustEnterReleaseCode())
                enterReleaseCode();
            else
                releaseOrder();
        } else {
            backToPhotos();
        }
        return;
    }
}

void SalesSession::firstIdAnswered(const QString& id)
{
    if (!isPhotoID(id)) {
        m_customerIdNumber = QString();
        m_view->beep(2);
        startOver();
    } else if (m_settings.allowMultipleIds()) {
        m_customerIdNumber = formCustomerUniqueID(id);
        m_customerIdList = QStringList{id};
        startOverLoop();
    } else {
        m_customerIdNumber = id;
        m_customerIdList = QStringList{id};
        acceptIdsAndSearch(m_customerIdList);
    }
}

void SalesSession::idLoopAnswered(const SheetContext& context)
{
    if (context.command == KeypadCommand::DoneLoop) {
        acceptIdsAndSearch(m_customerIdList);
    } else if (context.command == KeypadCommand::None && isPhotoID(context.returnData)) {
        m_customerIdList.append(context.returnData);
        startOverLoop();
    } else {
        // The keypad lets no other entry through; if one comes, ask again.
        m_view->beep(2);
        startOverLoop();
    }
}

} // namespace kivo
