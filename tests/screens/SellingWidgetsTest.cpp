// The selling screen's widgets over their models: touches reach the models, the views show
// what the models hold, and every value carries its fixed accessible name.
#include "core/SettingsSchema.h"
#include "imaging/ui/ZoomableImageView.h"
#include "orders/SinglePackageModel.h"
#include "screens/OrderSummarySheet.h"
#include "screens/SellingTotalsView.h"
#include "screens/SellingVisit.h"
#include "screens/StaffNoticeIndicator.h"
#include "screens/StationStyle.h"
#include "support/Translated.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QMessageBox>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <optional>

using namespace kivo;

namespace {

// Demo catalogue rows: 8x10 Print at 10.00 (the first at 25.00) and the USB Drive at 20.00 (40.00
// while the prints stay below three).
constexpr int kRow8x10 = 0;
constexpr int kRowUsb = 4;

using Screen = test::SellingScreenVisit;

QString accessibleText(QObject* object, QAccessible::Text which)
{
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(object);
    return iface ? iface->text(which) : QStringLiteral("<no interface>");
}

} // namespace

// The touches the whole visit does not make: "Remove", a touch in the browser, and "Back", which
// empties the totals and the summary button and moves the browser's selection with the grid's.
TEST(SellingWidgets, RemoveAndBackReachTheModelsAndTheViewsFollow)
{
    Screen s;
    s.startVisit();
    PackagePanelView* panel = s.screen->packagePanel();
    QTest::mouseClick(panel->addButton(kRow8x10), Qt::LeftButton);
    QTest::mouseClick(panel->addButton(kRow8x10), Qt::LeftButton);
    QTest::mouseClick(panel->removeButton(kRow8x10), Qt::LeftButton);
    EXPECT_EQ(s.panel.rowModel(kRow8x10)->packageQtyValue(), 1);
    EXPECT_EQ(s.quantity(kRow8x10)->text(), "1");
    SellingTotalsView* totals = s.screen->totals();
    ASSERT_TRUE(test::waitUntil([&] { return totals->orderSubtotal()->text() == "25.00"; }))
        << totals->orderSubtotal()->text().toStdString();
    EXPECT_TRUE(s.screen->summaryButton()->isEnabled());

    QTest::mouseClick(s.screen->browser()->list()->viewport(), Qt::LeftButton, {},
                      s.cell(1).center());
    EXPECT_EQ(s.grid->selectedIndex(), 1);
    QTest::mouseClick(s.screen->backButton(), Qt::LeftButton);
    ASSERT_TRUE(test::waitUntil([&] { return totals->orderSubtotal()->text() == "0.00"; }))
        << totals->orderSubtotal()->text().toStdString();
    EXPECT_FALSE(s.screen->summaryButton()->isEnabled());
    const QModelIndexList shown = s.screen->browser()->list()->selectionModel()->selectedIndexes();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(shown.at(0).row(), 0);
}

// Zoomed in, the photo on show is cut again from the selected photo's own file.
TEST(SellingWidgets, ThePhotoOnShowZoomsFromItsFile)
{
    Screen s(2);
    s.startVisit();
    s.grid->selectItem(1);
    PhotoGridView* view = s.screen->photoGrid();
    view->waitForImages();
    QCoreApplication::processEvents();
    ZoomableImageView* photo = view->preview()->imageView();
    ASSERT_TRUE(photo->isVisible());
    photo->setZoomFactor(photo->contents().zoomFactorMax());
    photo->waitForRefresh();
    EXPECT_FALSE(photo->sharpImage().isNull());
}

// The names are fixed: the same on a screen that shows another language.
TEST(SellingWidgets, AccessibleNamesAndSelectionThroughAccessibility)
{
    const test::Translated french(QStringLiteral("fr"));
    ASSERT_TRUE(french.loaded());
    Screen s;
    s.startVisit();
    PackagePanelView* panel = s.screen->packagePanel();
    EXPECT_EQ(panel->clearButton(kRowUsb)->text(), QStringLiteral("Effacer"));
    QTest::mouseClick(panel->addButton(kRowUsb), Qt::LeftButton);
    EXPECT_EQ(accessibleText(s.quantity(kRowUsb), QAccessible::Description), "1");
    // The shipped catalogue sells every package from a regular row: no buy-first-one button.
    for (int row = 0; row < panel->rowCount(); ++row)
        EXPECT_EQ(panel->buyButton(row), nullptr) << row;

    // The photos are named by their files, and selecting one through the accessibility
    // interface acts as a touch.
    QListView* list = s.screen->browser()->list();
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(list);
    ASSERT_NE(iface, nullptr);
    ASSERT_NE(iface->tableInterface(), nullptr);
    QAccessibleInterface* second = iface->tableInterface()->cellAt(1, 0);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->text(QAccessible::Name), "100001_01.jpg");
    EXPECT_TRUE(iface->tableInterface()->selectRow(1));
    EXPECT_EQ(s.grid->selectedIndex(), 1);
    EXPECT_EQ(s.quantity(kRowUsb)->text(), "0");
}

// Up to eight packages, every row's buttons and "Show Summary" stand whole on screen without
// scrolling, at the kiosks' sizes and upright; more rows scroll, with a cue while some lie below.
// The heading keeps to one line and the staff's dot to a place of its own.
TEST(SellingWidgets, EveryRowAndShowSummaryStandWholeAtEveryScreenSize)
{
    QList<QVariantMap> records;
    QStringList plus;
    for (int i = 0; i < 10; ++i) {
        plus.append(QStringLiteral("P3%1").arg(i, 4, 10, QChar('0')));
        records.append(test::packageRecord(
            plus.last(), QStringLiteral("Holiday Ornament %1").arg(i), 8, "Print"));
    }
    struct Case
    {
        QSize size;
        int packages;
        bool cue;
        const char* language; // null: English, the sources' own
    } cases[] = {
        {{1024, 768}, 8, false, nullptr},  {{1280, 800}, 8, false, nullptr},
        {{1920, 1080}, 8, false, nullptr}, {{1080, 1920}, 8, false, nullptr},
        {{1024, 768}, 10, true, nullptr},  {{1024, 768}, 8, false, "fr"},
        {{1024, 768}, 8, false, "es"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(QStringLiteral("%1x%2, %3 packages, %4")
                         .arg(c.size.width())
                         .arg(c.size.height())
                         .arg(c.packages)
                         .arg(QLatin1String(c.language ? c.language : "en"))
                         .toStdString());
        std::optional<test::Translated> translated;
        if (c.language) {
            translated.emplace(QString::fromLatin1(c.language));
            ASSERT_TRUE(translated->loaded());
        }
        test::SellingVisit visit(
            {2, 0, {120, 80}, 10, records.mid(0, c.packages), plus.mid(0, c.packages), 0});
        SellingScreen screen(*visit.grid, visit.panel, *visit.coordinator);
        screen.setStyleSheet(stationStyleSheet());
        screen.customerLabel()->setText(QStringLiteral("ID 100001: 12 photo(s)"));
        QPixmap logo(600, 300);
        logo.fill(Qt::white);
        screen.sponsorView()->setPixmap(logo);
        screen.resize(c.size);
        screen.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&screen));
        visit.coordinator->startVisit(visit.photos);
        QCoreApplication::processEvents();
        ASSERT_EQ(screen.size(), c.size);

        PackagePanelView* panel = screen.packagePanel();
        QWidget* viewport = panel->findChild<QScrollArea*>("PackageScroll")->viewport();
        const auto whole = [&screen](QWidget* w, QWidget* within) {
            return w->isVisible() &&
                   within->rect().contains(QRect(w->mapTo(within, QPoint()), w->size())) &&
                   screen.rect().contains(QRect(w->mapTo(&screen, QPoint()), w->size()));
        };
        EXPECT_TRUE(whole(screen.summaryButton(), &screen));
        // Every button is wide enough for its text, in every language shipped.
        for (QAbstractButton* b : screen.findChildren<QAbstractButton*>()) {
            if (b->isVisible()) {
                EXPECT_GE(b->width(), b->sizeHint().width()) << b->text().toStdString();
            }
        }
        const auto onScreen = [&screen](QWidget* w) {
            return QRect(w->mapTo(&screen, QPoint()), w->size());
        };
        // The staff's dot covers nothing the customer sees.
        StaffNoticeIndicator* dot = screen.staffNotice();
        dot->setNotice(QStringLiteral("Receipt printer is missing"));
        for (QWidget* w : screen.findChildren<QWidget*>()) {
            if (w != dot && w->isVisible() && !w->isAncestorOf(dot)) {
                EXPECT_FALSE(onScreen(w).intersects(onScreen(dot)))
                    << w->objectName().toStdString();
            }
        }
        // The heading stays on one line, with room for it whole in the smallest body text.
        QLabel* heading = screen.customerLabel();
        QFont smallest = heading->font();
        smallest.setPixelSize(18);
        EXPECT_FALSE(heading->wordWrap());
        EXPECT_LE(QFontMetrics(smallest).horizontalAdvance(heading->text()),
                  heading->contentsRect().width());
        // Upright the packages stand below the photo, else beside it.
        const QRect photo = onScreen(screen.photoGrid()->preview());
        const QRect packages = onScreen(panel);
        if (c.size.height() > c.size.width()) {
            EXPECT_GE(packages.top(), photo.bottom());
        } else {
            EXPECT_GE(packages.left(), photo.right());
        }
        int rowsOnScreen = 0;
        for (int row = 0; row < panel->rowCount(); ++row) {
            bool rowWhole = true;
            for (QAbstractButton* b :
                 {panel->addButton(row), panel->removeButton(row), panel->clearButton(row)})
                rowWhole = rowWhole && whole(b, viewport);
            rowsOnScreen += rowWhole ? 1 : 0;
        }
        EXPECT_EQ(rowsOnScreen == panel->rowCount(), !c.cue) << rowsOnScreen;
        EXPECT_EQ(panel->moreRowsCue()->isVisible(), c.cue);
        if (c.cue) {
            EXPECT_TRUE(whole(panel->moreRowsCue(), &screen));
            QScrollBar* bar = panel->findChild<QScrollArea*>("PackageScroll")->verticalScrollBar();
            bar->setValue(bar->maximum());
            EXPECT_FALSE(panel->moreRowsCue()->isVisible());
            EXPECT_TRUE(whole(panel->clearButton(panel->rowCount() - 1), viewport));
        }
    }
}

TEST(OrderSummarySheet, ChoicesAnswerTheirSheetReturn)
{
    struct Case
    {
        const char* what;
        QAbstractButton* (OrderSummarySheet::*button)() const;
        SheetReturn code;
        const char* name;
    } cases[] = {
        {"accept", &OrderSummarySheet::acceptButton, SheetReturn::Accepted, "Accept Order"},
        {"edit", &OrderSummarySheet::editButton, SheetReturn::Cancelled, "Edit Order"},
        {"start over", &OrderSummarySheet::startOverButton, SheetReturn::Stopped, "Start Over"},
    };
    // In French too: the choices' accessible names are fixed.
    const test::Translated french(QStringLiteral("fr"));
    ASSERT_TRUE(french.loaded());
    Screen s;
    s.coordinator->startVisit(s.photos);
    s.panel.increment(kRow8x10);
    s.panel.increment(kRow8x10);
    s.coordinator->showSummary();
    QWidget parent;
    parent.resize(1024, 768);
    parent.show();
    OrderSummarySheet sheet(*s.summary, s.settings, &parent);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        sheet.openSheet();
        ASSERT_TRUE(sheet.isVisible());
        QSignalSpy ended(&sheet, &OrderSummarySheet::sheetEnded);
        QAbstractButton* b = (sheet.*c.button)();
        EXPECT_EQ(accessibleText(b, QAccessible::Name), c.name);
        QTest::mouseClick(b, Qt::LeftButton);
        ASSERT_EQ(ended.count(), 1);
        EXPECT_EQ(ended.at(0).at(0).value<SheetReturn>(), c.code);
        EXPECT_FALSE(sheet.isVisible());
    }

    // The totals carry their figures as shown; one row for the one photo ordered, its columns
    // under headings (the money ones only while prices show).
    ASSERT_EQ(sheet.rows().size(), 1);
    const auto headings = [&sheet] {
        QStringList texts;
        for (const QLabel* l : sheet.rows().at(0)->findChildren<QLabel*>("SummaryColumnHeading"))
            texts.append(l->text());
        return texts;
    };
    EXPECT_EQ(headings(), QStringList({"Qté", "Forfait", "Prix", "Montant"}));
    s.settings.setZeroOutMasterItemListPrices(true);
    s.coordinator->showSummary();
    sheet.openSheet();
    EXPECT_EQ(headings(), QStringList({"Qté", "Forfait"}));
    for (const char* name :
         {"Subtotal", "Discount", "Tax", "Total", "Item count", "Free items", "Message"}) {
        SCOPED_TRACE(name);
        ValueLabel* v = sheet.value(QString::fromLatin1(name));
        ASSERT_NE(v, nullptr);
        EXPECT_EQ(accessibleText(v, QAccessible::Name), name);
        EXPECT_EQ(accessibleText(v, QAccessible::Description), v->text());
    }
    EXPECT_EQ(sheet.value("Total")->text(), moneyText(s.summary->totals().total));
}

TEST(OrderSummarySheet, SalesPersonPromptHoldsEveryChoice)
{
    Screen s(1);
    s.settings.setPromptForSalesPersonBeforeReleaseCode(true);
    s.coordinator->startVisit(s.photos);
    s.panel.increment(kRowUsb);
    s.coordinator->showSummary();
    OrderSummarySheet sheet(*s.summary, s.settings, s.screen.get());
    QSignalSpy ended(&sheet, &OrderSummarySheet::sheetEnded);

    for (const char* answer : {"Go Back", "Attendant..."}) {
        SCOPED_TRACE(answer);
        sheet.openSheet();
        bool answered = false;
        QTimer::singleShot(0, &sheet, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->windowTitle(), "PLEASE CALL FOR SALES PERSON");
            for (QAbstractButton* b : box->buttons()) {
                if (b->text() == QLatin1String(answer)) {
                    answered = true;
                    b->click();
                }
            }
        });
        QTest::mouseClick(sheet.acceptButton(), Qt::LeftButton);
        EXPECT_TRUE(answered);
    }
    // "Go Back" left the summary open; "Attendant..." let the acceptance through.
    ASSERT_EQ(ended.count(), 1);
    EXPECT_EQ(ended.at(0).at(0).value<SheetReturn>(), SheetReturn::Accepted);
}
