#include "station/SalesWindow.h"

#include "core/ConsoleLog.h"
#include "core/Settings.h"
#include "core/StaffNotices.h"
#include "imaging/ui/PhotoEditingWindow.h"
#include "imaging/ui/ZoomWindow.h"
#include "output/OrderOutput.h"
#include "output/OrderReleaseBridge.h"
#include "output/print/ReceiptPrinting.h"
#include "output/ui/ReceiptNamePromptDialog.h"
#include "screens/AttractScreen.h"
#include "screens/ImageBrowserModel.h"
#include "screens/MarkingWindow.h"
#include "screens/OrderSummaryModel.h"
#include "screens/OrderSummarySheet.h"
#include "screens/PackagePanelModel.h"
#include "screens/PhotoGridModel.h"
#include "screens/ProgressSheet.h"
#include "screens/SellingCoordinator.h"
#include "screens/SellingScreen.h"
#include "screens/StaffNoticeIndicator.h"
#include "screens/StationStyle.h"
#include "search/FileNameIndexService.h"
#include "search/KeypadBeeper.h"
#include "search/PhotoSearch.h"
#include "search/ui/KeypadSheet.h"
#include "station/BorderlessWindow.h"
#include "station/Logging.h"
#include "station/StationApp.h"
#include "visit/SalesSession.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QMenuBar>
#include <QPixmapCache>
#include <QScreen>
#include <QVBoxLayout>

#include <sys/stat.h>

namespace kivo {

namespace {

const char* const kClass = "SalesWindow";
// How long the station waits at its end for a release that is still writing.
constexpr int kReleaseWaitAtEndMs = 30000;

} // namespace

SalesWindow::SalesWindow(Settings& settings, QObject* parent)
    : QObject(parent), m_settings(settings), m_session(new SalesSession(this, settings, this)),
      m_keypad(new KeypadSheet(settings, this)), m_progress(new ProgressSheet(this)),
      m_screenSaver(new AttractScreen(settings, this)), m_catalogue(settings)
{
    // Every screen takes its look from the station's style sheet.
    applyStationStyleSheet();
    connect(m_keypad, &KeypadSheet::sheetEnded, m_session, &SalesSession::didEndSheet);
    connect(m_keypad, &KeypadSheet::buttonAction, m_session, &SalesSession::performSheetAction);
    connect(m_progress, &ProgressSheet::buttonClicked, m_session,
            &SalesSession::performSheetAction);
    connect(m_progress, &ProgressSheet::quitRequested, this, [this] { terminateApplication(); });
    OrderReleaseBridge* output = m_session->releaseBridge();
    output->setReceipt(new ReceiptPrinting(m_settings, output));

    // The selling screen's models; the rules of choosing packages live in the coordinator.
    m_catalogueStamp = catalogueStamp();
    if (!m_catalogue.load())
        consoleLog(lcStation(), kClass, "SalesWindow", QStringLiteral("no package catalogue"));
    m_grid = new PhotoGridModel(m_catalogue, this);
    m_panel = new PackagePanelModel(this);
    m_panel->build(m_catalogue);
    m_summaryModel = new OrderSummaryModel(m_catalogue, m_settings, this);
    m_coordinator = new SellingCoordinator(*m_grid, *m_panel, *m_summaryModel, m_settings, this);
    connect(
        m_coordinator, &SellingCoordinator::totalsChanged, this,
        [this](const SellingTotals& totals) { m_session->setSessionSheets(totals.orderSheets); });
    connect(m_coordinator, &SellingCoordinator::sessionStartedChanged, this, [this](bool started) {
        if (started)
            m_session->customerOrderStarted();
    });
    // A sample print of the photo on show goes to the print host at once.
    connect(m_coordinator, &SellingCoordinator::samplePrintRequested, this,
            [this](const QVariantMap& info) {
                OrderOutput(m_settings, nullptr, {})
                    .sendOrderToBePrePrinted(m_session->customerIdNumber(),
                                             info.value(QStringLiteral("imagePath")).toString());
            });
    // The preferences store a setting and the screens show it at once: the selling screen's
    // sponsor logo here, the attract screen on its own.
    connect(&m_settings, &Settings::changed, this, [this](Setting key) {
        if (m_selling && isSponsorLogoSetting(key))
            showHideSponsorLogo(m_selling->sponsorView(), m_settings);
    });
    connect(m_session, &SalesSession::setupValidated, this, [this] { warmPhotoIndex(); });
}

SalesWindow::~SalesWindow()
{
    // The station's end: nobody is left to type a name on the receipt, and the session shows
    // nothing more, so that a release ending now cannot reach views that are going away.
    m_session->releaseBridge()->receiptStarter()->setNamePrompt(nullptr);
    m_session->detachView();
    // A release still on its worker uses the bridge and may wait for this thread: it is let
    // finish while everything it may touch is still whole.
    if (!m_session->finishRelease(kReleaseWaitAtEndMs))
        consoleLog(lcStation(), kClass, "~SalesWindow",
                   QStringLiteral("the release did not finish in time"));
    delete m_session;
    m_session = nullptr;
    delete m_window;
}

QWidget* SalesWindow::window()
{
    if (!m_window)
        buildWindow();
    return m_window;
}

SellingScreen* SalesWindow::sellingScreen()
{
    window();
    return m_selling;
}

OrderSummarySheet* SalesWindow::orderSummary()
{
    window();
    return m_summary;
}

void SalesWindow::buildWindow()
{
    auto* w = new BorderlessWindow();
    w->setObjectName(QStringLiteral("SalesWindow"));
    w->setWindowTitle(tr("Kivo Sales Station"));
    w->resize(1280, 800);
    w->installEventFilter(this);
    m_window = w;

    m_background = new QWidget(w);
    m_background->setObjectName(QStringLiteral("ibBackgroundImageView"));

    m_main = new QWidget(w);
    m_main->setObjectName(QStringLiteral("ibMainView"));
    auto* layout = new QVBoxLayout(m_main);
    layout->setContentsMargins(0, 0, 0, 0);
    m_selling = new SellingScreen(*m_grid, *m_panel, *m_coordinator, m_main);
    layout->addWidget(m_selling);
    m_staffNotice = m_selling->staffNotice();
    connect(m_selling->startOverButton(), &QAbstractButton::clicked, this,
            [this] { m_session->cancelOrder(); });
    // The screen clears the orders itself; the session forgets the started order.
    connect(m_selling->backButton(), &QAbstractButton::clicked, m_session,
            &SalesSession::backToChoosing);
    connect(m_selling->summaryButton(), &QAbstractButton::clicked, m_session,
            &SalesSession::showOrderSummary);
    showHideSponsorLogo(m_selling->sponsorView(), m_settings);
    m_selling->browserModel()->setSettings(&m_settings);
    connect(m_coordinator, &SellingCoordinator::zoomRequested, this, &SalesWindow::showZoom);
    connect(m_coordinator, &SellingCoordinator::editRequested, this, &SalesWindow::showZoom);

    m_summary = new OrderSummarySheet(*m_summaryModel, m_settings, w);
    connect(m_summary, &OrderSummarySheet::sheetEnded, this,
            [this](SheetReturn code) { m_session->didEndSheet(code, m_summaryContext); });

    QWidget* attract = m_screenSaver->view();
    attract->setParent(w);
    attract->show();

    m_releasePanel = new QDialog(w);
    m_releasePanel->setObjectName(QStringLiteral("ibReleaseOrderPanel"));
    m_releasePanel->setWindowModality(Qt::WindowModal);
    auto* panelLayout = new QVBoxLayout(m_releasePanel);
    panelLayout->addWidget(new QLabel(tr("Processing Your Order..."), m_releasePanel));

    m_namePrompt = new ReceiptNamePromptDialog(w);
    m_session->releaseBridge()->receiptStarter()->setNamePrompt(m_namePrompt);

    m_main->hide();
    layoutContent();
}

void SalesWindow::layoutContent()
{
    if (!m_window)
        return;
    const QRect r = m_window->rect();
    m_background->setGeometry(r);
    m_main->setGeometry(r);
    m_screenSaver->view()->setGeometry(r);
    m_staffNotice->placeInCorner();
}

bool SalesWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_window && event->type() == QEvent::Resize)
        layoutContent();
    if (watched == m_window && event->type() == QEvent::Close)
        confirmClose();
    return QObject::eventFilter(watched, event);
}

void SalesWindow::fitToScreen()
{
    window();
    m_background->setGeometry(m_window->rect());
}

void SalesWindow::validateSetupBeforeStarting()
{
    window();
    m_session->validateSetupBeforeStarting();
}

void SalesWindow::sizeWindowToMainScreen()
{
    QWidget* w = window();
    QScreen* screen = w->screen() ? w->screen() : QGuiApplication::primaryScreen();
    if (screen)
        w->setGeometry(screen->availableGeometry());
}

QString SalesWindow::catalogueStamp()
{
    // The time alone misses a file saved twice within one tick of the file system's clock (a
    // catalogue mended right after a bad save): its size and its file number (a new one for
    // every save that replaces it) tell those apart.
    QString stamp;
    for (const QString& path :
         {PackageCatalogue::displayListPath(), PackageCatalogue::masterItemListPath()}) {
        struct stat info = {};
        if (::stat(QFile::encodeName(path).constData(), &info) != 0) {
            stamp += path + QStringLiteral("@none;");
            continue;
        }
        stamp += QStringLiteral("%1@%2.%3:%4:%5;")
                     .arg(path)
                     .arg(qint64(info.st_mtim.tv_sec))
                     .arg(qint64(info.st_mtim.tv_nsec))
                     .arg(qint64(info.st_size))
                     .arg(quint64(info.st_ino));
    }
    return stamp;
}

void SalesWindow::reloadChangedCatalogue()
{
    const QString stamp = catalogueStamp();
    if (stamp == m_catalogueStamp)
        return;
    m_catalogueStamp = stamp;
    // The files are read once, and only a catalogue that loads whole replaces the one on sale
    // (the grid and the summary price from that very object): a second read could meet files
    // changed in between. A site catalogue that is refused keeps the one on sale too, rather
    // than the shipped one at other prices.
    PackageCatalogue fresh(m_settings);
    const bool loaded = fresh.load();
    if (!loaded || !fresh.siteLoadError().isEmpty()) {
        const QString text =
            tr("The changed package catalogue is not used (%1); the station sells from the one "
               "it had.")
                .arg(loaded ? fresh.siteLoadError() : fresh.loadError());
        consoleLog(lcStation(), kClass, "reloadChangedCatalogue", text);
        if (m_staffNotices)
            m_staffNotices->set(QStringLiteral("catalogue"), text);
        return;
    }
    m_catalogue = fresh;
    if (m_staffNotices)
        m_staffNotices->clear(QStringLiteral("catalogue"));
    consoleLog(lcStation(), kClass, "reloadChangedCatalogue", QStringLiteral("catalogue reloaded"));
    m_panel->build(m_catalogue);
}

void SalesWindow::catalogueSaved()
{
    // The photos on show are sold from the catalogue they were offered with.
    if (m_screenMode != ScreenMode::Selling)
        reloadChangedCatalogue();
}

void SalesWindow::startOver()
{
    // A catalogue saved in the preferences (or changed by hand) serves from the next visit on.
    reloadChangedCatalogue();
    window()->show();
    m_window->raise();
    m_window->activateWindow();
    m_session->startOver();
    bringSheetsToFront();
}

void SalesWindow::bringSheetsToFront()
{
    if (!m_window)
        return;
    QWidget* modal = QApplication::activeModalWidget();
    for (QObject* child : m_window->children()) {
        auto* sheet = qobject_cast<QWidget*>(child);
        if (sheet && sheet != modal && sheet->isWindow() && sheet->isVisible())
            sheet->raise();
    }
    if (modal && modal->isVisible()) {
        modal->raise();
        modal->activateWindow();
    }
}

void SalesWindow::onHostQuit()
{
    if (m_keypad->isVisible())
        m_keypad->closeForQuit();
    if (m_progress->isVisible())
        m_progress->closeForQuit();
}

bool SalesWindow::confirmClose()
{
    if (m_closing)
        return true;
    m_closing = true;
    consoleLog(lcStation(), kClass, "confirmClose");
    for (QDialog* sheet : {m_keypad->window(), m_releasePanel})
        if (sheet)
            sheet->hide();
    closeProgress();
    resetSellingScreen();
    m_session->forceSessionToClose();
    auto* app = qobject_cast<StationApp*>(parent());
    if (!app || !app->isTerminating())
        terminateApplication();
    m_closing = false;
    return true;
}

void SalesWindow::setIndexWarmer(std::function<void(const QString&)> warmer)
{
    m_indexWarmer = std::move(warmer);
}

void SalesWindow::warmPhotoIndex()
{
    const qint64 method = m_settings.searchIdMethodTag();
    if (method != 1)
        return;
    const QString folder = PhotoSearch::searchFolder(m_settings);
    if (folder.isEmpty())
        return;
    consoleLog(lcStation(), kClass, "warmPhotoIndex", folder);
    if (m_indexWarmer)
        m_indexWarmer(folder);
    else
        FileNameIndexService::instance().prepare(folder);
}

void SalesWindow::setTerminator(std::function<void()> terminator)
{
    m_terminator = std::move(terminator);
}

void SalesWindow::applyScreenMode(ScreenMode mode)
{
    window();
    m_screenMode = mode;
    QWidget* attract = m_screenSaver->view();
    m_main->setVisible(mode != ScreenMode::ContentHidden);
    attract->setVisible(mode != ScreenMode::Selling);
    if (mode != ScreenMode::Selling)
        attract->raise();
}

void SalesWindow::setStaffNotice(const QString& text)
{
    window();
    m_staffNotice->setNotice(text);
    m_screenSaver->setStaffNotice(text);
}

StaffNoticeIndicator* SalesWindow::sellingStaffNotice()
{
    window();
    return m_staffNotice;
}

void SalesWindow::openKeypad(const KeypadOptions& options)
{
    m_keypad->openSheet(options, window());
    bringSheetsToFront();
}

void SalesWindow::openProgress(const ProgressOptions& options)
{
    m_progress->openSheet(options, window());
    bringSheetsToFront();
}

void SalesWindow::closeProgress()
{
    if (m_progress->isVisible())
        m_progress->closeProgress();
}

void SalesWindow::beep(int count)
{
    m_keypad->beeper()->playBeeps(count);
}

void SalesWindow::showMenuBar()
{
    if (auto* app = qobject_cast<StationApp*>(parent())) {
        if (QMenuBar* bar = app->menuBar())
            bar->show();
    }
}

void SalesWindow::terminateApplication()
{
    if (m_terminator) {
        m_terminator();
        return;
    }
    if (auto* app = qobject_cast<StationApp*>(parent())) {
        QMetaObject::invokeMethod(
            app, [app] { app->quitStation(); }, Qt::QueuedConnection);
        return;
    }
    QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
}

void SalesWindow::resetSellingScreen()
{
    window();
    if (m_marking)
        m_marking->closeOut();
    if (m_zoom && m_zoom->isVisible())
        m_zoom->done(QDialog::Rejected);
    if (m_editing && m_editing->isVisible())
        m_editing->done(QDialog::Rejected);
    m_coordinator->endVisit();
    m_selling->customerLabel()->clear();
    if (m_summary->isVisible())
        m_summary->hide();
    // Qt keeps every scaled and highlighted copy of a picture it draws through an icon (the
    // grid's thumbnails) in its pixmap cache, keyed by picture; a photo is never drawn again
    // once its visit is over, so without this each visit's copies stayed until the cache was
    // full, some 80 KB a visit for the first hundred visits.
    QPixmapCache::clear();
}

void SalesWindow::showPhotos(const QStringList& photos)
{
    window();
    const bool marking = !m_applyingMarks && !photos.isEmpty() && m_settings.doShowWowWindow();
    const bool sellMarkedOnly = m_settings.sellMarkedPhotosOnly();
    // When only the marked photos are sold, the sale (and its sample print) starts with them.
    m_coordinator->startVisit(photos, !(marking && sellMarkedOnly));
    m_selling->customerLabel()->setText(
        tr("ID %1: %n photo(s)", nullptr, static_cast<int>(photos.size()))
            .arg(m_session->customerIdNumber()));
    if (marking) {
        // With the mark method a touch toggles a photo; the instructions come up over it.
        markingWindow()->showPhotos(photos, sellMarkedOnly);
        markingWindow()->showInstructions();
    }
}

MarkingWindow* SalesWindow::markingWindow()
{
    if (!m_marking) {
        m_marking = new MarkingWindow(window());
        connect(m_marking, &MarkingWindow::photosChosen, this, &SalesWindow::handleMarkedPhotos);
    }
    return m_marking;
}

void SalesWindow::handleMarkedPhotos(const PhotoChoice& choice)
{
    consoleLog(lcStation(), kClass, "handleMarkedPhotos",
               QStringLiteral("%1 marked").arg(choice.markedPaths.size()));
    if (!m_settings.sellMarkedPhotosOnly()) {
        const int entry = int(m_grid->photoList().indexOf(choice.lastPath));
        if (entry >= 0)
            m_grid->selectItem(entry);
        return;
    }
    // The marks travel as paths, so the sale holds exactly the photos the customer marked.
    const QStringList photos =
        choice.markedPaths.isEmpty() ? m_session->lastFoundPhotos() : choice.markedPaths;
    if (photos.isEmpty()) {
        beep(2);
        return;
    }
    m_applyingMarks = true;
    m_session->startOrderSession(photos);
    m_applyingMarks = false;
}

ZoomWindow* SalesWindow::zoomView()
{
    if (!m_zoom) {
        m_zoom = new ZoomWindow(m_settings, window());
        // The zoom window's sample print is of the photo on show.
        connect(m_zoom, &ZoomWindow::samplePrintRequested, m_coordinator,
                &SellingCoordinator::requestSamplePrint);
    }
    return m_zoom;
}

PhotoEditingWindow* SalesWindow::photoEditingWindow()
{
    if (!m_editing) {
        m_editing = new PhotoEditingWindow(m_settings, window());
        connect(m_editing, &PhotoEditingWindow::photoHandedBack, this,
                &SalesWindow::photoHandedBack);
    }
    return m_editing;
}

void SalesWindow::openCropEditor()
{
    consoleLog(lcStation(), kClass, "openCropEditor");
    photoEditingWindow()->showPhoto(QString());
}

void SalesWindow::photoHandedBack(const QString& path)
{
    // The photo comes back on show: selected again when the visit still holds it.
    const int entry = int(m_grid->photoList().indexOf(path));
    if (entry >= 0 && entry != m_grid->selectedIndex())
        m_grid->selectItem(entry);
}

void SalesWindow::showZoom(const QString& path)
{
    if (path.isEmpty()) {
        beep(1);
        return;
    }
    zoomView()->showPhoto(path);
}

void SalesWindow::openOrderSummary(const SheetContext& context)
{
    window();
    // Priced exactly as the release will price it, from the orders as they are now.
    m_coordinator->showSummary();
    m_summaryContext = context;
    m_summary->openSheet();
}

ReleaseSnapshot SalesWindow::orderSnapshot()
{
    // The photos' orders as the grid holds them, and the catalogue the summary priced them with.
    return ReleaseSnapshot{m_grid->snapshot(), m_catalogue};
}

void SalesWindow::withdrawPhotos(const QStringList& photos)
{
    for (int row = 0; row < m_grid->rowCount(); ++row) {
        if (photos.contains(m_grid->pathAt(row)))
            m_grid->setShowable(row, false);
    }
}

void SalesWindow::showReleasePanel(bool shown)
{
    window();
    if (shown)
        m_releasePanel->open();
    else
        m_releasePanel->hide();
}

} // namespace kivo
