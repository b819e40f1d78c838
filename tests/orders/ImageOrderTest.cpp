#include "OrdersTestSupport.h"

#include "orders/ImageOrder.h"
#include "orders/OrderConstants.h"
#include "orders/SinglePackageModel.h"

#include <QMetaProperty>
#include <QObject>
#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace kivo;

namespace {

QVariantList records(int count)
{
    QVariantList list;
    for (int i = 0; i < count; ++i)
        list << test::packageRecord(QString("P%1").arg(i), QString("Package %1").arg(i), 1.0 + i,
                                    i % 2 ? "Flash" : "Print");
    return list;
}

} // namespace

TEST(ImageOrder, DefaultsFillAtMostEightLinesAndCopiesStartEmpty)
{
    // Ten records: lines 0 to 7 from records 0 to 7, quantities cleared.
    ImageOrder order;
    order.line(2).setPkgQty(4);
    ASSERT_TRUE(order.copyDefaultsToOrder(records(10)));
    ASSERT_EQ(order.lineCount(), 8);
    EXPECT_EQ(order.lineForKey("Line7")->pkgPLU(), "P7");
    EXPECT_EQ(order.line(2).pkgKivoPkgName(), "Package 2 host");
    EXPECT_EQ(order.line(2).pkgQty(), 0);
    EXPECT_EQ(order.lineForKey("Line8"), nullptr);
    EXPECT_EQ(order.lineForKey("Line03"), nullptr);
    // A duplicated thumbnail starts with a default order, not the lines.
    order.line(0).setPkgQty(5);
    EXPECT_EQ(order.copy().line(0).pkgQty(), 0);

    // Five records: lines 5 to 7 keep their placeholders. Not a list: nothing changes.
    ImageOrder small;
    ASSERT_TRUE(small.copyDefaultsToOrder(records(5)));
    EXPECT_EQ(small.line(4).pkgPLU(), "P4");
    EXPECT_EQ(small.line(5).pkgPLU(), "PLU 5555");
    EXPECT_TRUE(small.copyDefaultsToOrder(QVariant("not a list")));
    EXPECT_EQ(small.line(0).pkgPLU(), "P0");
}

TEST(ImageOrder, PanelRowQuantitiesReachEveryLineOfThatName)
{
    QVariantList list = records(4);
    QVariantMap duplicate = list.at(3).toMap();
    duplicate.insert("pkgDisplayName", "PACKAGE 1");
    list[3] = duplicate;
    ImageOrder order;
    order.copyDefaultsToOrder(list);

    SinglePackageModel model;
    model.assignName("package 1");
    model.assignValue(3);
    model.assignAltValue(2);
    model.assignHasExtraCountValue(1);
    model.assignPrePrintedQtyValue(1);
    EXPECT_TRUE(order.copySinglePackageModelToOrder(&model));
    for (int i : {1, 3}) {
        EXPECT_EQ(order.line(i).pkgQty(), 3);
        EXPECT_EQ(order.line(i).pkgAltQty(), 2);
        EXPECT_EQ(order.line(i).pkgHasExtraCount(), 1);
        EXPECT_EQ(order.line(i).pkgPrePrintQty(), 1);
    }
    EXPECT_EQ(order.line(3).pkgPLU(), "P3"); // PLU and price untouched
    EXPECT_FALSE(order.copySinglePackageModelToOrder(nullptr));

    SinglePackageModel nobody;
    nobody.assignName("no such package");
    nobody.assignValue(7);
    EXPECT_TRUE(order.copySinglePackageModelToOrder(&nobody));
    EXPECT_EQ(order.computeTotalSheets(), 6);
}

// What follows the quantity through its property (a binding, a property watcher) takes the
// change signal's first argument for the new value.
TEST(SinglePackageModel, TheQuantityPropertySignalsItsNewValue)
{
    SinglePackageModel model;
    const QMetaObject* meta = model.metaObject();
    const QMetaProperty quantity = meta->property(meta->indexOfProperty("packageQtyValue"));
    ASSERT_TRUE(quantity.hasNotifySignal());
    QSignalSpy spy(&model, quantity.notifySignal());
    model.assignValue(3);
    model.assignValue(3);
    model.assignValue(5);
    ASSERT_EQ(spy.size(), 2);
    EXPECT_EQ(spy.at(0).value(0).toInt(), 3);
    EXPECT_EQ(spy.at(1).value(0).toInt(), 5);
    EXPECT_EQ(quantity.read(&model).toInt(), 5);
}

TEST(ImageOrder, SheetsByTypeIgnoringCaseAndSubtotal)
{
    ImageOrder order;
    order.line(0) = test::makeLine("A", "print", 2, 5.00f);
    order.line(1) = test::makeLine("B", "FLASH", 1, 12.50f);
    order.line(2) = test::makeLine("C", "promo", 0, 4.0f);
    order.line(3) = test::makeLine("D", "Print", 0, 1.0f);
    order.line(3).setPkgTotal(3.0f); // stale
    order.computeTotalSheetsNew();
    EXPECT_EQ(order.printSheetCount(), 2);
    EXPECT_EQ(order.flashItemCount(), 1);
    EXPECT_EQ(order.computeTotalSheets(), 3);
    EXPECT_FLOAT_EQ(order.computeSubTotal(), 22.50f);
    EXPECT_FLOAT_EQ(order.line(3).pkgTotal(), 0.0f);

    order.release();
    EXPECT_EQ(order.lineCount(), 0);
    EXPECT_EQ(order.printSheetCount(), 0);
}

TEST(SinglePackageModel, QuantityAndUnitPriceRecomputeTheSubTotal)
{
    SinglePackageModel model;
    model.assignUnitPrice(2.5f);
    model.assignValue(3);
    EXPECT_FLOAT_EQ(model.subTotal(), 7.5f);
    model.assignAltValue(1);
    model.assignUnitPrice(4.0f);
    EXPECT_FLOAT_EQ(model.subTotal(), 12.0f);
}
