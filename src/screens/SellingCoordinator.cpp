#include "screens/SellingCoordinator.h"

#include "core/ConsoleLog.h"
#include "core/Settings.h"
#include "orders/OrderConstants.h"
#include "orders/PricedSession.h"
#include "screens/Logging.h"
#include "screens/OrderSummaryModel.h"
#include "screens/PhotoGridModel.h"

#include <QFileInfo>
#include <QTimer>

#include <algorithm>

namespace kivo {

namespace {

void log(const char* method, const QString& text = QString())
{
    consoleLog(lcScreens(), "SellingCoordinator", method, text);
}

} // namespace

SellingCoordinator::SellingCoordinator(PhotoGridModel& grid, PackagePanelModel& panel,
                                       OrderSummaryModel& summary, Settings& settings,
                                       QObject* parent)
    : QObject(parent), m_grid(grid), m_panel(panel), m_summary(summary), m_settings(settings)
{
    connect(&m_grid, &PhotoGridModel::photoSelected, this,
            &SellingCoordinator::handlePhotoSelected);
    // A photo found broken loses its order: the totals follow at once.
    connect(&m_grid, &PhotoGridModel::orderWithdrawn, this, [this] { recomputeTotals(); });
    connect(&m_panel, &PackagePanelModel::quantityChanged, this,
            &SellingCoordinator::handleQuantityChanged);
    connect(&m_panel, &PackagePanelModel::firstPackageEntered, this,
            &SellingCoordinator::handleFirstPackageEntered);
}

QString SellingCoordinator::currentPhotoName() const
{
    return m_currentPath.isEmpty() ? tr("????????") : QFileInfo(m_currentPath).fileName();
}

void SellingCoordinator::startVisit(const QStringList& photos, bool samplePrint)
{
    log("startVisit", QStringLiteral("%1 photos").arg(photos.size()));
    m_enteredFirstPackage = false;
    setSessionStarted(false);
    if (!photos.isEmpty())
        emit photosLoading();
    m_grid.loadImagesIntoView(photos);
    m_panel.showPackageView(int(PackagePanelModel::Container::Regular));
    setButtons(false, false);
    if (!m_grid.selectFirstItem())
        handlePhotoSelected(-1, QString(), false);
    if (samplePrint && !photos.isEmpty() && m_settings.doPreprintFirstPhoto())
        requestSamplePrint(QLatin1String(sSamplePrintPLU));
}

void SellingCoordinator::endVisit()
{
    startVisit({});
    m_summary.clearAllQtyAndSubtotals();
}

void SellingCoordinator::zoom()
{
    log("zoom", m_currentPath);
    emit zoomRequested(m_currentPath);
}

void SellingCoordinator::onPhotoDoubleClicked()
{
    log("onPhotoDoubleClicked", m_currentPath);
    emit editRequested(m_currentPath);
}

void SellingCoordinator::back()
{
    log("back");
    m_enteredFirstPackage = false;
    setSessionStarted(false);
    m_grid.initOrderInfo();
    m_panel.showPackageView(int(PackagePanelModel::Container::Regular));
    m_summary.clearAllQtyAndSubtotals();
    // Selecting the first photo loads its (now empty) order into the panel and recomputes.
    if (!m_grid.selectFirstItem())
        handlePhotoSelected(-1, QString(), false);
    setButtons(false, false);
}

void SellingCoordinator::showSummary()
{
    m_summary.assignOrder(m_grid.snapshot());
}

void SellingCoordinator::requestSamplePrint(const QString& plu)
{
    if (plu.isEmpty()) {
        log("handleDoMakeSamplePrintNotification", QStringLiteral("no PLU"));
        return;
    }
    m_panel.addSamplePrint(plu);
    QVariantMap info{{QStringLiteral("PLU"), plu}};
    if (!m_currentPath.isEmpty())
        info.insert(QStringLiteral("imagePath"), m_currentPath);
    emit samplePrintRequested(info);
}

void SellingCoordinator::handlePhotoSelected(int entry, const QString& path, bool showable)
{
    const bool changed = path != m_currentPath || showable != m_currentShowable;
    m_currentPath = path;
    m_currentShowable = showable;
    if (changed)
        emit currentPhotoChanged(m_currentPath, currentPhotoName(), m_currentShowable);

    // The grid has already made ENTRY the target of the panel's changes, so loading its order
    // into the rows can never write into the photo that was shown before.
    const ImageOrder* order = entry >= 0 ? m_grid.thisImageOrder() : nullptr;
    m_panel.zeroSubtotalsAndQtys(order && m_enteredFirstPackage);
    if (order)
        m_panel.copyImageOrderToModelData(*order);
    recomputeTotals();
}

void SellingCoordinator::handleQuantityChanged(int row)
{
    m_grid.routeQuantity(row, m_panel.rowModel(row));
    scheduleRecompute();
}

void SellingCoordinator::handleFirstPackageEntered(int row, PackagePanelModel::FirstItemKind)
{
    log("handleEnteredFirstPackgeNotification", QStringLiteral("row [%1]").arg(row));
    m_enteredFirstPackage = true;
    setSessionStarted(true);
    setButtons(m_summaryEnabled, true);
}

void SellingCoordinator::scheduleRecompute()
{
    // Every change gets its own recomputation; each reads the quantities as they are when it
    // runs, so a later change is never overwritten by an earlier one's figures.
    ++m_pending;
    QTimer::singleShot(m_delayMs, this, [this] {
        --m_pending;
        recomputeTotals();
    });
}

void SellingCoordinator::recomputeTotals()
{
    // The money comes from the pricing the summary and the release run, first-item and drive
    // prices included, so the figure the customer watches here is the one the summary shows.
    PricedSession priced(m_summary.catalogue(), m_settings);
    priced.price(m_grid.snapshot());
    SellingTotals totals;
    m_panel.computeAllSubTotals();
    for (const SummaryRow& row : priced.pricing().rows()) {
        if (!m_currentPath.isEmpty() && row.name == m_currentPath)
            totals.photoSubTotal += row.subTotal();
    }
    totals.photoSheets = m_panel.computeAllTotalSheets();
    totals.orderSubTotal = priced.pricing().totals().subTotal;
    totals.orderSheets = m_grid.computeAllTotalSheets();
    const SessionOrderAssembly& assembly = priced.assembly();
    const qint64 reducedUsbMinimum = m_settings.minPrintsForReducedUsbPrice();
    m_panel.setSessionPricing({assembly.itemsWithPrints(), assembly.fTotalPrintSheets(),
                               assembly.itemsWithUsbDrive(),
                               int(std::clamp<qint64>(reducedUsbMinimum, 1, 1 << 15))});
    m_grid.computeTotalSheetsNew();
    totals.printItems = m_grid.printSheetCount();
    totals.usbItems = m_grid.flashItemCount();
    setTotals(totals);
    const bool hasSheets = totals.orderSheets > 0;
    setButtons(hasSheets, hasSheets || m_sessionStarted);
}

void SellingCoordinator::setTotals(const SellingTotals& totals)
{
    m_totals = totals;
    emit totalsChanged(m_totals);
}

void SellingCoordinator::setButtons(bool summary, bool back)
{
    if (summary != m_summaryEnabled) {
        m_summaryEnabled = summary;
        emit summaryButtonEnabledChanged(summary);
    }
    if (back != m_backEnabled) {
        m_backEnabled = back;
        emit backButtonEnabledChanged(back);
    }
}

void SellingCoordinator::setSessionStarted(bool started)
{
    if (started == m_sessionStarted)
        return;
    m_sessionStarted = started;
    emit sessionStartedChanged(started);
}

} // namespace kivo
