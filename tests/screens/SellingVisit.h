#pragma once

// A visit over a catalogue (the demo's, or records of the test's own) with real photos in the
// test's own root: the grid, package panel, summary and coordinator the selling screen shows.
// The model tests use it as it is; the widget tests put a SellingScreen over it.
#include "core/Settings.h"
#include "orders/OrdersTestSupport.h"
#include "orders/PackageCatalogue.h"
#include "screens/ImageBrowserModel.h"
#include "screens/ImageBrowserView.h"
#include "screens/OrderSummaryModel.h"
#include "screens/PackagePanelModel.h"
#include "screens/PackagePanelView.h"
#include "screens/PhotoGridModel.h"
#include "screens/PhotoGridView.h"
#include "screens/PhotoPreview.h"
#include "screens/SellingCoordinator.h"
#include "screens/SellingScreen.h"
#include "screens/ValueLabel.h"
#include "support/TestJpeg.h"
#include "support/TestRoot.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QListView>

#include <gtest/gtest.h>

#include <memory>

namespace kivo::test {

struct SellingVisit
{
    struct Options
    {
        int photoCount = 3;
        int firstNumber = 0; // the photos are 100001_NN.jpg from this number on
        QSize photoSize{64, 48};
        int recomputeDelay = 20;
        QList<QVariantMap> records; // empty: the demo catalogue
        QStringList displayPLUs;
        int firstItems = 2;
    };

    explicit SellingVisit(const Options& options)
        : settings(root.file("config/test.plist")), catalogue(settings)
    {
        if (options.records.isEmpty())
            EXPECT_TRUE(catalogue.load());
        else
            loadCatalogue(root, catalogue, options.records, options.displayPLUs,
                          options.firstItems);
        for (int i = 0; i < options.photoCount; ++i) {
            const QString path = root.file(QStringLiteral("photos/100001_%1.jpg")
                                               .arg(options.firstNumber + i, 2, 10, QChar('0')));
            QDir().mkpath(QFileInfo(path).absolutePath());
            writeJpeg(path, markedImage(options.photoSize.width(), options.photoSize.height()), 1);
            photos.append(path);
        }
        grid = std::make_unique<PhotoGridModel>(catalogue);
        panel.build(catalogue);
        summary = std::make_unique<OrderSummaryModel>(catalogue, settings);
        coordinator = std::make_unique<SellingCoordinator>(*grid, panel, *summary, settings);
        coordinator->setRecomputeDelay(options.recomputeDelay);
    }

    TestRoot root;
    Settings settings;
    PackageCatalogue catalogue;
    QStringList photos;
    std::unique_ptr<PhotoGridModel> grid;
    PackagePanelModel panel;
    std::unique_ptr<OrderSummaryModel> summary;
    std::unique_ptr<SellingCoordinator> coordinator;
};

// The same visit on the selling screen, shown at 1024 x 768.
struct SellingScreenVisit : SellingVisit
{
    explicit SellingScreenVisit(int photoCount = 2)
        : SellingVisit({photoCount, 0, {120, 80}, 10, {}, {}, 2})
    {
        screen = std::make_unique<SellingScreen>(*grid, panel, *coordinator);
        screen->resize(1024, 768);
        screen->show();
    }

    // The visit's photos, with the browser showing them.
    void startVisit()
    {
        coordinator->startVisit(photos);
        ASSERT_TRUE(
            waitUntil([this] { return screen->browserModel()->rowCount() == photos.size(); }));
    }
    ValueLabel* quantity(int row) const { return screen->packagePanel()->quantityLabel(row); }
    QRect cell(int row) const
    {
        QListView* list = screen->browser()->list();
        return list->visualRect(list->model()->index(row, 0));
    }
    PhotoGridView& view() const { return *screen->photoGrid(); }
    PhotoPreview& preview() const { return *view().preview(); }
    // Until the thumbnails and the preview in hand are shown.
    void settle() const
    {
        view().waitForImages();
        QCoreApplication::processEvents();
    }

    std::unique_ptr<SellingScreen> screen;
};

} // namespace kivo::test
