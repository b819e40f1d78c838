#pragma once

// The selling screen of a station with the demo catalogue, for the benchmarks that fill it with
// photos (they link the screens library; the rest of the bench support does not need it).

#include "core/Settings.h"
#include "orders/PackageCatalogue.h"
#include "screens/OrderSummaryModel.h"
#include "screens/PackagePanelModel.h"
#include "screens/PhotoGridModel.h"
#include "screens/PhotoGridView.h"
#include "screens/SellingCoordinator.h"
#include "screens/SellingScreen.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <memory>

namespace kivo::bench {

// Before the QApplication: the offscreen platform unless another is asked for, the resources at
// RESOURCES unless KIVO_RESOURCES names others, and ROOT as the station's KIVO_ROOT.
inline void useBenchEnvironment(const char* resources, const QTemporaryDir& root)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("KIVO_RESOURCES"))
        qputenv("KIVO_RESOURCES", resources);
    qputenv("KIVO_ROOT", QFile::encodeName(root.path()));
}

struct SellingStation
{
    explicit SellingStation(QSize window)
        : settings(QDir::temp().filePath(QStringLiteral("kivo-bench-settings.plist")))
    {
        catalogue = std::make_unique<PackageCatalogue>(settings);
        catalogue->load();
        grid = std::make_unique<PhotoGridModel>(*catalogue);
        panel.build(*catalogue);
        summary = std::make_unique<OrderSummaryModel>(*catalogue, settings);
        coordinator = std::make_unique<SellingCoordinator>(*grid, panel, *summary, settings);
        screen = std::make_unique<SellingScreen>(*grid, panel, *coordinator);
        screen->resize(window);
        screen->show();
        QCoreApplication::processEvents();
    }
    ~SellingStation() { screen.reset(); }

    PhotoGridView& view() const { return *screen->photoGrid(); }
    // Every photo's thumbnail and the preview's own picture are in.
    bool filled(const QStringList& photos) const
    {
        return view().previewComplete() &&
               std::all_of(photos.begin(), photos.end(),
                           [this](const QString& p) { return !view().thumbnail(p).isNull(); });
    }

    Settings settings;
    std::unique_ptr<PackageCatalogue> catalogue;
    std::unique_ptr<PhotoGridModel> grid;
    PackagePanelModel panel;
    std::unique_ptr<OrderSummaryModel> summary;
    std::unique_ptr<SellingCoordinator> coordinator;
    std::unique_ptr<SellingScreen> screen;
};

// Runs the event loop until CONDITION holds, looking at least every TICKMS (the loop sleeps
// between events, as the station's does: a busy wait would take a core from the decoders).
template <typename Condition>
bool spinUntil(Condition condition, int tickMs = 2, int timeoutMs = 120000)
{
    QTimer tick;
    tick.start(tickMs);
    QElapsedTimer t;
    t.start();
    while (!condition()) {
        if (t.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

} // namespace kivo::bench
