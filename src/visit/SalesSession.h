#pragma once

#include "core/CustomerLock.h"
#include "core/SheetOptions.h"
#include "output/OrderReleaseBridge.h"

#include <QFutureWatcher>
#include <QObject>
#include <QStringList>
#include <QTimer>

#include <functional>
#include <optional>
#include <vector>

namespace kivo {

class CodeGuard;
class PhotoSearch;
class Settings;

// What the session shows and asks for; the sales window implements it with its sheets, tests
// with a recorder. A sheet's end comes back as SalesSession::didEndSheet with the context it
// was opened with; a sheet button's action as SalesSession::performSheetAction.
class SessionView
{
public:
    virtual ~SessionView() = default;
    virtual void openKeypad(const KeypadOptions& options) = 0;
    virtual void openProgress(const ProgressOptions& options) = 0;
    virtual void closeProgress() = 0;
    virtual void setScreenMode(ScreenMode mode) = 0;
    virtual void beep(int count) = 0;
    virtual void showMenuBar() = 0;
    virtual void terminateApplication() = 0;
    // The selling screen cleared: no photos, fresh orders, totals 0.
    virtual void resetSellingScreen() = 0;
    // The selling screen loaded with the customer's photos.
    virtual void showPhotos(const QStringList& photos) = 0;
    // The order summary as a sheet.
    virtual void openOrderSummary(const SheetContext& context) = 0;
    virtual void showReleasePanel(bool shown) = 0;
    // The order as the selling screen holds it (the photos' orders and the catalogue they were
    // priced with), copied whole as the release starts.
    virtual ReleaseSnapshot orderSnapshot() = 0;
    // PHOTOS can no longer be printed: they leave the order and cannot be ordered again.
    virtual void withdrawPhotos(const QStringList& photos) = 0;
};

// Starts the search for the photos of IDS; false when no images folder is set. The outcome
// comes back through SalesSession::searchFinished. The session searches with the station's
// PhotoSearch unless one of these is set (tests).
class PhotoSearcher
{
public:
    virtual ~PhotoSearcher() = default;
    virtual bool searchForPhotos(const QStringList& ids) = 0;
};

// Writes every file of a released order; runs on a worker thread.
using ReleaseFunction = std::function<ReleaseOutcome(const ReleaseRequest&)>;

// One customer's visit, from the attract screen to the next start-over: the
// states of the sales window, the answers of its sheets, the customer lock, the
// photo search and the release into the order output. It needs Qt Core only; the
// sales window shows what it asks for through SessionView. Everything runs on the
// thread that owns it (the main thread); the start-up check and the release run on
// worker threads and come back here.
class SalesSession : public QObject
{
    Q_OBJECT

public:
    enum class State
    {
        Initializing,
        SetupError,
        Preferences,
        Attract,
        CollectingIDs,
        Searching,
        Choosing,
        Ordering,
        CancelConfirmation,
        Summary,
        ReleaseCode,
        Releasing,
        ReleaseFailed,
        Quit,
        AdminCode, // the administrator code is asked before the preferences open
    };
    Q_ENUM(State)

    SalesSession(SessionView* view, Settings& settings, QObject* parent = nullptr);
    // Lets a release still writing finish (see finishRelease) without showing anything.
    ~SalesSession() override;

    // The view is going away: from now on the session shows nothing and never calls it again.
    void detachView();
    // Waits, serving this thread's events, until a running release has written its files or
    // TIMEOUTMS have passed; true when no release is left running.
    bool finishRelease(int timeoutMs);

    // The order output the session releases into (its receipt is set by the station).
    OrderReleaseBridge* releaseBridge() const { return m_output; }
    // Replace the photo search and the order output (tests); null and empty give back the
    // session's own.
    void setPhotoSearcher(PhotoSearcher* searcher) { m_searcher = searcher; }
    void setReleaseFunction(ReleaseFunction release) { m_release = std::move(release); }
    // The pause between a finished release and the start-over (1 s).
    void setCompletionDelay(int milliseconds) { m_completionDelay = milliseconds; }
    // How often the setup-problem screen looks for the folders again by itself (5 s).
    void setSetupRetryInterval(int milliseconds);
    // What counts wrong codes (the station's guard unless a test gives its own).
    void setCodeGuard(CodeGuard* guard) { m_codeGuard = guard; }

    State state() const { return m_state; }
    static QString stateName(State state);
    // The states in which a customer's photos or order are on the screen, watched for a
    // customer who walked away. Not the release: an order being written is never cancelled.
    static bool showsCustomerContent(State state);

    // The visit.
    void validateSetupBeforeStarting();
    void startOver();
    void startOverLoop();
    void didEndSheet(SheetReturn returnCode, const SheetContext& context);
    void searchFinished(const QStringList& ids, const QStringList& photos, bool queryFailed);
    void startOrderSession(const QStringList& photos);
    void customerOrderStarted();
    void backToChoosing();
    void cancelOrder();
    void showOrderSummary();
    void enterReleaseCode();
    void releaseOrder();
    // Asks for the administrator code (the open-preferences command code) on the keypad; the
    // preferences open only when it is given. Every way into the preferences but the keypad's
    // own codes comes here.
    void openPreference();
    // The same prompt, for the quit code: a menu left showing quits only with it.
    void askForQuitCode();
    void forceSessionToClose();
    // The completion after a released order: closes the release panel and starts over.
    void onStartOverTimer();
    // A sheet button's action (progress sheet, keypad).
    void performSheetAction(SheetAction action);

    // The session's order as the selling screens report it.
    void setSessionSheets(int sheets) { m_sessionSheets = sheets; }
    int sessionSheets() const { return m_sessionSheets; }

    QString customerIdNumber() const { return m_customerIdNumber; }
    QStringList customerIdList() const { return m_customerIdList; }
    QStringList lastFoundPhotos() const { return m_lastFoundPhotos; }
    bool sessionStarted() const { return m_sessionStarted; }
    bool enteredFirstPackage() const { return m_enteredFirstPackage; }
    const CustomerLock& customerLock() const { return m_lock; }
    QString lastReleaseError() const { return m_lastReleaseError; }

signals:
    void stateChanged(kivo::SalesSession::State state);
    // The start-up check found the folders; the first visit starts right after.
    void setupValidated();
    // The start-up check tried the images folder's file system: PROBLEM names what it does not
    // keep of what the station relies on, or is empty when it keeps it all.
    void fileSystemChecked(const QString& problem);
    void releaseFinished(bool ok, const QString& message);
    // The operator asked for the preferences (FROMKEYPAD: by the keypad's code or admin key).
    // Without a receiver the station carries on with the next visit.
    void preferencesRequested(bool fromKeypad);

private:
    void setState(State state);
    // The first ID prompt; ERROR, when given, as its red second line.
    void openIdPrompt(const std::optional<QString>& error = std::nullopt);
    void firstIdAnswered(const QString& id);
    void idLoopAnswered(const SheetContext& context);
    void acceptIdsAndSearch(const QStringList& ids);
    void requestPreferences(bool fromKeypad);
    void runSetupValidation(bool retry);
    void showSetupError();
    void askForCode(const QString& message);
    void adminCodeAnswered(const SheetContext& context);
    void quitStation();
    void backToPhotos();
    void releaseLock();
    // RELEASE after a look at every ordered photo of REQUEST (on the release's worker): one that
    // went missing or broke since it was chosen stops the release before anything is written,
    // leaves the order, and the customer is told.
    ReleaseOutcome checkPhotosAndRelease(const ReleaseFunction& release,
                                         const ReleaseRequest& request);
    void releaseDone(const ReleaseOutcome& result);

    SessionView* m_view;
    Settings& m_settings;
    PhotoSearch* m_search;
    PhotoSearcher* m_searcher = nullptr;
    OrderReleaseBridge* m_output;
    ReleaseFunction m_release;
    int m_completionDelay = 1000;
    QTimer* m_setupRetry = nullptr;
    CodeGuard* m_codeGuard = nullptr;
    // Where a prompt for the administrator code that is not answered goes back to.
    State m_stateBeforeAdminCode = State::Attract;

    State m_state = State::Initializing;
    State m_stateBeforeConfirmation = State::Choosing;
    CustomerLock m_lock;
    // With several IDs in one visit, the lock of each photo ID besides the visit's own.
    std::vector<CustomerLock> m_idLocks;
    QString m_customerIdNumber = QStringLiteral("unknown");
    QStringList m_customerIdList;
    QStringList m_lastFoundPhotos;
    QString m_lastReleaseError;
    bool m_sessionStarted = false;
    bool m_enteredFirstPackage = false;
    int m_sessionSheets = 0;
    // The release's outcome has come back (a completion may arrive before it), and a completion
    // that came first waits for it.
    bool m_releaseOutcomeArrived = false;
    bool m_completionPending = false;
    QFutureWatcher<ReleaseOutcome>* m_releaseWatcher = nullptr;
};

} // namespace kivo
