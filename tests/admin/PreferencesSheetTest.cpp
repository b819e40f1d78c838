#include "admin/ui/PreferencesSheet.h"
#include "admin/PreferencesModel.h"
#include "admin/PrinterList.h"
#include "admin/ui/EditableTextSheet.h"
#include "core/Settings.h"
#include "output/print/ReceiptPrintService.h"
#include "output/print/ReceiptPrinting.h"
#include "support/TestRoot.h"

#include <QAbstractSpinBox>
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace kivo;

namespace {

template <typename T> T* named(QWidget* within, const QString& name)
{
    for (T* w : within->findChildren<T*>()) {
        if (w->accessibleName() == name)
            return w;
    }
    return nullptr;
}

} // namespace

// The sheet as the operator meets it: every control named, a typed amount applied when the field
// is left, Escape ignored, and the two closing buttons.
TEST(PreferencesSheet, ControlsApplyAtOnceAndButtonsEndTheSheet)
{
    test::TestRoot root;
    Settings& settings = Settings::instance();
    QWidget salesWindow;
    salesWindow.resize(1280, 1024);
    salesWindow.show();
    auto* printers = new PrinterList([] { return PrinterNames{{QStringLiteral("ReceiptA")}, {}}; });
    PreferencesSheet sheet(settings, &salesWindow, printers);
    sheet.openSheet();
    ASSERT_TRUE(sheet.isVisible());
    EXPECT_EQ(sheet.accessibleName(), QStringLiteral("Preferences"));
    EXPECT_EQ(sheet.tabs()->count(), 8);
    // Every page scrolls, so that Quit and Continue stay on a small kiosk screen (1280x800).
    EXPECT_LE(sheet.minimumSizeHint().height(), 760);
    // The page tabs and, where they do not all fit (a 1024 pixel wide screen), the arrows that
    // scroll them take a finger.
    sheet.resize(1000, sheet.height());
    QApplication::processEvents();
    const QTabBar* tabBar = sheet.tabs()->tabBar();
    for (int i = 0; i < tabBar->count(); ++i)
        EXPECT_GE(tabBar->tabRect(i).height(), 64) << tabBar->tabText(i).toStdString();
    const QList<QToolButton*> arrows = tabBar->findChildren<QToolButton*>();
    ASSERT_EQ(arrows.size(), 2);
    for (const QToolButton* arrow : arrows) {
        EXPECT_TRUE(arrow->isVisible());
        EXPECT_GE(arrow->width(), 64);
        EXPECT_GE(arrow->height(), 64);
    }
    // Named as a screen reader hears it, by its label: a combo box too, though Qt on Linux would
    // name it by its text (none at all in a printer's box with nothing typed), and the text field
    // of an editable one.
    for (QWidget* w : sheet.findChildren<QWidget*>()) {
        // (The table's own corner button is Qt's, not one of the sheet's controls; the text field
        // of the day's date is a part of that control.)
        const bool part =
            w->inherits("QTableCornerButton") || qobject_cast<QAbstractSpinBox*>(w->parentWidget());
        if (!part && (qobject_cast<QAbstractButton*>(w) || qobject_cast<QLineEdit*>(w) ||
                      qobject_cast<QComboBox*>(w))) {
            const QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
            ASSERT_NE(a, nullptr);
            EXPECT_EQ(a->text(QAccessible::Name), w->accessibleName());
            EXPECT_FALSE(w->accessibleName().isEmpty()) << w->metaObject()->className();
        }
    }
    auto* method = named<QComboBox>(&sheet, QStringLiteral("Photo search"));
    ASSERT_NE(method, nullptr);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(method)->text(QAccessible::Value),
              method->currentText());

    auto* tax = named<QLineEdit>(&sheet, QStringLiteral("Sales tax rate (0.0875 is 8.75 %)"));
    ASSERT_TRUE(tax);
    tax->setText(QStringLiteral("0.07"));
    emit tax->editingFinished();
    EXPECT_DOUBLE_EQ(Settings(settings.storePath()).taxRate(), 0.07);
    tax->setText(QStringLiteral("seven"));
    emit tax->editingFinished();
    EXPECT_EQ(tax->text(), QStringLiteral("0.07"));

    QSignalSpy ended(&sheet, &PreferencesSheet::sheetEnded);
    QTest::keyClick(&sheet, Qt::Key_Escape);
    EXPECT_TRUE(sheet.isVisible());
    named<QPushButton>(&sheet, QStringLiteral("Continue"))->click();
    ASSERT_EQ(ended.size(), 1);
    EXPECT_EQ(ended.at(0).at(0).value<SheetReturn>(), SheetReturn::Accepted);
    EXPECT_FALSE(sheet.isVisible());
    sheet.openSheet();
    named<QPushButton>(&sheet, QStringLiteral("Quit"))->click();
    EXPECT_EQ(ended.at(1).at(0).value<SheetReturn>(), SheetReturn::Cancelled);
}

// The move buttons of the text items move the row chosen last (by a touch or a screen reader's
// selection), keep it chosen so that it moves on, and store the new order at once.
TEST(PreferencesSheet, TextItemsMoveWithTheirButtons)
{
    test::TestRoot root;
    Settings& settings = Settings::instance();
    settings.setValue(Setting::editableTextArray, QVariantList{"a", "b", "c"});
    QWidget salesWindow;
    salesWindow.show();
    EditableTextSheet sheet(settings, &salesWindow);
    sheet.openSheet();
    sheet.tableView()->selectRow(0);
    auto* down = named<QPushButton>(&sheet, QStringLiteral("Move Down"));
    ASSERT_TRUE(down);
    down->click();
    down->click();
    auto* item = named<QLineEdit>(&sheet, QStringLiteral("Selected item"));
    ASSERT_TRUE(item);
    EXPECT_EQ(item->text(), QStringLiteral("a"));
    EXPECT_EQ(Settings(settings.storePath()).editableTextArray(), (QVariantList{"b", "c", "a"}));
    down->click(); // already last: stays
    named<QPushButton>(&sheet, QStringLiteral("Move Up"))->click();
    EXPECT_EQ(Settings(settings.storePath()).editableTextArray(), (QVariantList{"b", "a", "c"}));
}

namespace {

struct RecordingPrinter : ReceiptPrintService
{
    QStringList printed;
    bool hasPrinter(const QString&) override { return true; }
    bool print(const QString& name, const QByteArray&, int copies, QString*) override
    {
        printed << QStringLiteral("%1x%2").arg(name).arg(copies);
        return true;
    }
};

struct ScriptedPanel : ReceiptPrintPanel
{
    QList<bool> answers;
    QStringList asked;
    void open(const QString& printer, int copies, Answer answer) override
    {
        asked << printer;
        const bool accepted = answers.takeFirst();
        answer(accepted, printer + QStringLiteral("-chosen"), copies + 1);
    }
};

} // namespace

// With the print dialog switched on, each printer's dialog decides: the chosen printer and copy
// count are used, a cancelled dialog prints nothing there, and the visit still ends.
TEST(PreferencesSheet, PrintPanelComesBeforeEachReceiptPrinter)
{
    test::TestRoot root;
    Settings& settings = Settings::instance();
    settings.setAlwaysShowPrintPanel(true);
    settings.setDoPrintReceiptPrimary(true);
    settings.setDoPrintReceiptSecondary(true);
    settings.setReceiptPrinterNamePrimary(QStringLiteral("One"));
    settings.setReceiptPrinterNameSecondary(QStringLiteral("Two"));
    settings.setLocalReceiptPath(root.folder("receipts"));
    settings.setPrintCopies(1);
    RecordingPrinter printer;
    ScriptedPanel panel;
    panel.answers = {true, false};
    ReceiptPrinting receipt(settings);
    receipt.setPrintService(&printer);
    receipt.setPrintPanel(&panel);
    bool startedOver = false;
    ReceiptRequest request;
    request.order = ReceiptOrder::fromOrderMap(
        {{"listOfPackages", QVariantList{QVariantMap{{"name", "/p/100001_01.jpg"},
                                                     {"pkgPLU", "P10810"},
                                                     {"pkgQty", 1},
                                                     {"pkgDisplayName", "8x10 Print"},
                                                     {"pkgUnitPrice", 10.0},
                                                     {"pkgTotal", 10.0}}}},
         {"curOrderTotalsInfo", QVariantMap{{"subTotal", 10.0}, {"total", 10.0}}}});
    request.startOver = [&] { startedOver = true; };
    request.startOverDelayMs = 0;
    receipt.printOrderSummaryReceipt(request);
    ASSERT_TRUE(test::waitUntil([&] { return startedOver; }));
    EXPECT_EQ(panel.asked, QStringList({"One", "Two"}));
    EXPECT_EQ(printer.printed, QStringList({"One-chosenx2"}));
    EXPECT_TRUE(receipt.lastResult().pdfWritten);
}
